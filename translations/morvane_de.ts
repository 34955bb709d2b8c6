<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ChartExport</name>
    <message>
        <source>Save chart</source>
        <translation>Diagramm speichern</translation>
    </message>
    <message>
        <source>Copy Chart as Image</source>
        <translation>Diagramm als Bild kopieren</translation>
    </message>
    <message>
        <source>Save Chart as PNG...</source>
        <translation>Diagramm als PNG speichern...</translation>
    </message>
    <message>
        <source>Save Chart as PNG</source>
        <translation>Diagramm als PNG speichern</translation>
    </message>
    <message>
        <source>Image pixels per screen pixel:</source>
        <translation>Bildpunkte je Bildschirmpunkt:</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>Save Chart as SVG...</source>
        <translation>Diagramm als SVG speichern...</translation>
    </message>
    <message>
        <source>SVG image (*.svg)</source>
        <translation>SVG-Bild (*.svg)</translation>
    </message>
    <message>
        <source>Save Series as CSV...</source>
        <translation>Datenreihen als CSV speichern...</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV-Tabelle (*.csv)</translation>
    </message>
</context>
<context>
    <name>ChartWidget</name>
    <message>
        <source>%1 against %2; nothing plotted yet</source>
        <translation>%1 über %2; noch nichts gezeichnet</translation>
    </message>
    <message>
        <source>%1 from %2 to %3 against %4 from %5 to %6</source>
        <translation>%1 von %2 bis %3 über %4 von %5 bis %6</translation>
    </message>
    <message>
        <source>stale fit: </source>
        <translation>veraltete Anpassung: </translation>
    </message>
</context>
<context>
    <name>ElicitationFileActions</name>
    <message>
        <source>Elicitations (*.morvane);;All files (*)</source>
        <translation>Befragungen (*.morvane);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save the changes to &quot;%1&quot; before going on?</source>
        <translation>Die Änderungen an „%1“ speichern, bevor es weitergeht?</translation>
    </message>
    <message>
        <source>Your changes are lost if you do not save them.</source>
        <translation>Ihre Änderungen gehen verloren, wenn Sie sie nicht speichern.</translation>
    </message>
    <message>
        <source>Cannot open %1:
%2</source>
        <translation>%1 kann nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>Cannot write the report %1:
%2</source>
        <translation>Der Bericht %1 kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>Cannot save %1:
%2</source>
        <translation>%1 kann nicht gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>Open Elicitation</source>
        <translation>Befragung öffnen</translation>
    </message>
    <message>
        <source>Save Elicitation As</source>
        <translation>Befragung speichern unter</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Export Report</source>
        <translation>Bericht exportieren</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Export Report...</source>
        <translation>Bericht &amp;exportieren...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>it holds no expert&apos;s judgements</source>
        <translation>sie enthält keine Angaben eines Experten</translation>
    </message>
</context>
<context>
    <name>ExpertList</name>
    <message>
        <source>Expert:</source>
        <translation>Experte:</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>The expert whose judgements the fields show</source>
        <translation>Der Experte, dessen Angaben die Felder zeigen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Adds an expert with the initial judgements</source>
        <translation>Fügt einen Experten mit den anfänglichen Angaben hinzu</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Renames the expert shown</source>
        <translation>Benennt den gezeigten Experten um</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Takes the expert shown out of the elicitation</source>
        <translation>Nimmt den gezeigten Experten aus der Erhebung</translation>
    </message>
    <message>
        <source>Rename Expert</source>
        <translation>Experten umbenennen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Expert %1</source>
        <translation>Experte %1</translation>
    </message>
    <message>
        <source>Add Expert</source>
        <translation>Experten hinzufügen</translation>
    </message>
    <message>
        <source>Remove Expert</source>
        <translation>Experten entfernen</translation>
    </message>
    <message>
        <source>Change Pool Weights</source>
        <translation>Gewichte des Pools ändern</translation>
    </message>
</context>
<context>
    <name>FeedbackWindow</name>
    <message>
        <source>Feedback FORM for elicited Two-Sided Power Distribution</source>
        <translation>Rückmeldung zur erfragten zweiseitigen Potenzverteilung</translation>
    </message>
    <message>
        <source>Lower Bound (a)</source>
        <translation>Untere Grenze (a)</translation>
    </message>
    <message>
        <source>Upper Bound (b)</source>
        <translation>Obere Grenze (b)</translation>
    </message>
    <message>
        <source>Power Parameter n</source>
        <translation>Potenzparameter n</translation>
    </message>
    <message>
        <source>Mode Probability Q</source>
        <translation>Modus-Wahrsch. Q</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Standard Deviation</source>
        <translation>Standardabweichung</translation>
    </message>
    <message>
        <source>Probability below x_s as a function of n, given quantiles a_p, b_r, parameter m and the level s; a mark at each n that fits</source>
        <translation>Wahrscheinlichkeit unterhalb von x_s als Funktion von n, gegeben die Quantile a_p, b_r, den Parameter m und das Niveau s; eine Marke bei jedem passenden n</translation>
    </message>
    <message>
        <source>Additional Quantile</source>
        <translation>Zusatzquantil</translation>
    </message>
    <message>
        <source>also fits x_s:</source>
        <translation>passt auch zu x_s:</translation>
    </message>
    <message>
        <source>Every power n that fits x_s: %1. Click one to see its fit.</source>
        <translation>Jede Potenz n, die zu x_s passt: %1. Klicken Sie eine an, um ihre Anpassung zu sehen.</translation>
    </message>
    <message>
        <source>90% Credibility Interval</source>
        <translation>90-%-Glaubwürdigkeitsintervall</translation>
    </message>
    <message>
        <source>Lower Credibility Limit</source>
        <translation>Untere Intervallgrenze</translation>
    </message>
    <message>
        <source>Credibility level: the percent of probability left outside the interval, half below its lower and half above its upper limit</source>
        <translation>Glaubwürdigkeitsniveau: der Anteil der Wahrscheinlichkeit in Prozent außerhalb des Intervalls, je zur Hälfte unter seiner unteren und über seiner oberen Grenze</translation>
    </message>
    <message>
        <source>Upper Credibility Limit</source>
        <translation>Obere Intervallgrenze</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>Dichte</translation>
    </message>
    <message>
        <source>Two-Sider Power density function with specified quantiles, a_p, b_r, mode m and power parameter n</source>
        <translation>Dichte der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, b_r, dem Modus m und dem Potenzparameter n</translation>
    </message>
    <message>
        <source>CDF</source>
        <translation>Verteilungsfunktion</translation>
    </message>
    <message>
        <source>Two-Sider Power CDF with specified quantiles, a_p, b_r, mode m and power parameter n</source>
        <translation>Verteilungsfunktion der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, b_r, dem Modus m und dem Potenzparameter n</translation>
    </message>
    <message>
        <source>Mode Probability</source>
        <translation>Modus-Wahrsch.</translation>
    </message>
    <message>
        <source>Mode Probability q as a function of n, given quantiles a_p, b_r and parameter m </source>
        <translation>Modus-Wahrscheinlichkeit q als Funktion von n, gegeben die Quantile a_p, b_r und den Parameter m </translation>
    </message>
    <message>
        <source>Lower Bound</source>
        <translation>Untergrenze</translation>
    </message>
    <message>
        <source>Lower bound a as a function of n, given quantiles a_p, b_r and parameter m </source>
        <translation>Untere Grenze a als Funktion von n, gegeben die Quantile a_p, b_r und den Parameter m </translation>
    </message>
    <message>
        <source>Upper Bound</source>
        <translation>Obergrenze</translation>
    </message>
    <message>
        <source>Upper bound b as a function of n, given quantiles a_p, b_r and parameter m </source>
        <translation>Obere Grenze b als Funktion von n, gegeben die Quantile a_p, b_r und den Parameter m </translation>
    </message>
    <message>
        <source>Quantiles</source>
        <translation>Quantile</translation>
    </message>
    <message>
        <source>Credibility level</source>
        <translation>Glaubwürdigkeitsniveau</translation>
    </message>
    <message>
        <source>Other powers n that fit x_s</source>
        <translation>Weitere Potenzen n, die zu x_s passen</translation>
    </message>
    <message>
        <source>Each is a link that shows the fit of that power</source>
        <translation>Jede ist ein Verweis auf die Anpassung mit dieser Potenz</translation>
    </message>
    <message>
        <source>Graph pages</source>
        <translation>Diagrammseiten</translation>
    </message>
    <message>
        <source>Density chart</source>
        <translation>Dichtediagramm</translation>
    </message>
    <message>
        <source>Distribution function chart</source>
        <translation>Diagramm der Verteilungsfunktion</translation>
    </message>
    <message>
        <source>Mode probability chart</source>
        <translation>Diagramm der Modus-Wahrscheinlichkeit</translation>
    </message>
    <message>
        <source>Lower bound chart</source>
        <translation>Diagramm der unteren Grenze</translation>
    </message>
    <message>
        <source>Upper bound chart</source>
        <translation>Diagramm der oberen Grenze</translation>
    </message>
    <message>
        <source>Additional quantile chart</source>
        <translation>Diagramm des zusätzlichen Quantils</translation>
    </message>
    <message>
        <source>Copy Judgements and Fit</source>
        <translation>Angaben und Anpassung kopieren</translation>
    </message>
    <message>
        <source>Copy as</source>
        <translation>Kopieren als</translation>
    </message>
    <message>
        <source>Python (NumPy) Function</source>
        <translation>Python-Funktion (NumPy)</translation>
    </message>
    <message>
        <source>R Function</source>
        <translation>R-Funktion</translation>
    </message>
    <message>
        <source>Spreadsheet Formula</source>
        <translation>Tabellenkalkulationsformel</translation>
    </message>
    <message>
        <source>%1% Credibility Interval</source>
        <translation>%1-%-Glaubwürdigkeitsintervall</translation>
    </message>
    <message>
        <source>Credibility Interval: type a percentage in steps of 0.1, such as 2.5</source>
        <translation>Glaubwürdigkeitsintervall: Prozentsatz in Schritten von 0.1 eingeben, etwa 2.5</translation>
    </message>
    <message>
        <source>anti-mode</source>
        <translation>Antimodus</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source> - previous judgements: </source>
        <translation> - frühere Angaben: </translation>
    </message>
    <message>
        <source>Fit of the previous judgements: </source>
        <translation>Anpassung der früheren Angaben: </translation>
    </message>
    <message>
        <source>Quantile Level (p)</source>
        <translation>Quantilniveau (p)</translation>
    </message>
    <message>
        <source>Quantile Level (r)</source>
        <translation>Quantilniveau (r)</translation>
    </message>
    <message>
        <source>Quantile Level (s)</source>
        <translation>Quantilniveau (s)</translation>
    </message>
    <message>
        <source>Powers n that fit x_s</source>
        <translation>Potenzen n, die zu x_s passen</translation>
    </message>
    <message>
        <source>Credibility Level (percent outside)</source>
        <translation>Glaubwürdigkeitsniveau (Prozent außerhalb)</translation>
    </message>
    <message>
        <source>Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m</source>
        <translation>Dichte der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, x_s, b_r und dem Parameter m</translation>
    </message>
    <message>
        <source>Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m</source>
        <translation>Verteilungsfunktion der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, x_s, b_r und dem Parameter m</translation>
    </message>
    <message>
        <source>Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power parameter n</source>
        <translation>Dichte der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, b_r, dem Parameter m und dem Potenzparameter n</translation>
    </message>
    <message>
        <source>Two-Sider Power CDF with specified quantiles, a_p, b_r, parameter m and power parameter n</source>
        <translation>Verteilungsfunktion der zweiseitigen Potenzverteilung mit den angegebenen Quantilen a_p, b_r, dem Parameter m und dem Potenzparameter n</translation>
    </message>
    <message>
        <source>Expert %1</source>
        <translation>Experte %1</translation>
    </message>
    <message>
        <source>Pool</source>
        <translation>Pool</translation>
    </message>
</context>
<context>
    <name>InputWindow</name>
    <message>
        <source>Basic Information Specification</source>
        <translation>Grundlegende Angaben</translation>
    </message>
    <message>
        <source>Quantile Level (p)</source>
        <translation>Quantilniveau (p)</translation>
    </message>
    <message>
        <source>(When 0&lt;n&lt;1 m is an anti-mode!)</source>
        <translation>(Für 0&lt;n&lt;1 ist m ein Antimodus!)</translation>
    </message>
    <message>
        <source>Quantile Level (r)</source>
        <translation>Quantilniveau (r)</translation>
    </message>
    <message>
        <source>Additional Information Specification</source>
        <translation>Zusätzliche Angaben</translation>
    </message>
    <message>
        <source>Power Parameter (n)</source>
        <translation>Potenzparameter (n)</translation>
    </message>
    <message>
        <source>Additional Quantile (x_s)</source>
        <translation>Zusätzliches Quantil (x_s)</translation>
    </message>
    <message>
        <source>Quantile Level (s)</source>
        <translation>Quantilniveau (s)</translation>
    </message>
    <message>
        <source>Boundaries for Additional Quantile that Guarantee TSP feasibility</source>
        <translation>Grenzen des zusätzlichen Quantils für eine mögliche TSP-Anpassung</translation>
    </message>
    <message>
        <source>Lower Bound x_s</source>
        <translation>Untergrenze x_s</translation>
    </message>
    <message>
        <source>Upper Bound x_s</source>
        <translation>Obergrenze x_s</translation>
    </message>
    <message>
        <source>Plot Two-Sided Power Graphs</source>
        <translation>Graphen der zweiseitigen Potenzverteilung zeichnen</translation>
    </message>
    <message>
        <source>Two-sided power elicitation</source>
        <translation>Erfragung zweiseitiger Potenzverteilungen</translation>
    </message>
    <message>
        <source>Probability in percent of a value below the lower quantile a_p</source>
        <translation>Wahrscheinlichkeit in Prozent für einen Wert unterhalb des unteren Quantils a_p</translation>
    </message>
    <message>
        <source>Probability in percent of a value below the upper quantile b_r</source>
        <translation>Wahrscheinlichkeit in Prozent für einen Wert unterhalb des oberen Quantils b_r</translation>
    </message>
    <message>
        <source>Probability in percent of a value below the additional quantile x_s</source>
        <translation>Wahrscheinlichkeit in Prozent für einen Wert unterhalb des zusätzlichen Quantils x_s</translation>
    </message>
    <message>
        <source>Smallest additional quantile x_s that can be fitted</source>
        <translation>Kleinstes zusätzliches Quantil x_s, das angepasst werden kann</translation>
    </message>
    <message>
        <source>Largest additional quantile x_s that can be fitted</source>
        <translation>Größtes zusätzliches Quantil x_s, das angepasst werden kann</translation>
    </message>
    <message>
        <source>Fourth judgement</source>
        <translation>Vierte Angabe</translation>
    </message>
    <message>
        <source>Whether the power parameter n or an additional quantile x_s is given</source>
        <translation>Ob der Potenzparameter n oder ein zusätzliches Quantil x_s angegeben wird</translation>
    </message>
    <message>
        <source>Fits the distribution to the judgements and shows the feedback window</source>
        <translation>Passt die Verteilung an die Angaben an und zeigt das Rückmeldungsfenster</translation>
    </message>
    <message>
        <source>Messages of the last fit</source>
        <translation>Meldungen der letzten Anpassung</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>%1 read %2, outside 0 % to 100 %: it now reads %3 %.</source>
        <translation>%1 lautete %2, außerhalb von 0 % bis 100 %: jetzt steht dort %3 %.</translation>
    </message>
</context>
<context>
    <name>JudgementUndo</name>
    <message>
        <source>Change Notes</source>
        <translation>Notizen ändern</translation>
    </message>
    <message>
        <source>Switch to Additional Quantile (x_s)</source>
        <translation>Zum zusätzlichen Quantil (x_s) wechseln</translation>
    </message>
    <message>
        <source>Switch to Power Parameter (n)</source>
        <translation>Zum Potenzparameter (n) wechseln</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Change Quantile Level (p)</source>
        <translation>Quantilniveau (p) ändern</translation>
    </message>
    <message>
        <source>Change Quantile Level (r)</source>
        <translation>Quantilniveau (r) ändern</translation>
    </message>
    <message>
        <source>Change Quantile Level (s)</source>
        <translation>Quantilniveau (s) ändern</translation>
    </message>
    <message>
        <source>Change Judgements</source>
        <translation>Angaben ändern</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Notes...</source>
        <translation>&amp;Notizen...</translation>
    </message>
</context>
<context>
    <name>NotesDialog</name>
    <message>
        <source>Elicitation Notes</source>
        <translation>Notizen zur Befragung</translation>
    </message>
    <message>
        <source>yyyy-mm-dd</source>
        <translation>jjjj-mm-tt</translation>
    </message>
    <message>
        <source>&amp;Quantity</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Unit</source>
        <translation>&amp;Einheit</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <translation>E&amp;xperte</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>Why a_p at p</source>
        <translation>Warum a_p bei p</translation>
    </message>
    <message>
        <source>Why m</source>
        <translation>Warum m</translation>
    </message>
    <message>
        <source>Why b_r at r</source>
        <translation>Warum b_r bei r</translation>
    </message>
    <message>
        <source>Why n</source>
        <translation>Warum n</translation>
    </message>
    <message>
        <source>Why x_s at s</source>
        <translation>Warum x_s bei s</translation>
    </message>
    <message>
        <source>On the &amp;whole</source>
        <translation>&amp;Insgesamt</translation>
    </message>
</context>
<context>
    <name>SessionAutosave</name>
    <message>
        <source>Morvane ended last time without saving its session. Restore the judgements and notes it held?</source>
        <translation>Morvane wurde beim letzten Mal beendet, ohne die Sitzung zu speichern. Die Angaben und Notizen der Sitzung wiederherstellen?</translation>
    </message>
    <message>
        <source>Restored, they are unsaved until you save them.</source>
        <translation>Wiederhergestellt bleiben sie ungespeichert, bis Sie sie speichern.</translation>
    </message>
</context>
<context>
    <name>SystemText</name>
    <message>
        <source>Lower Quantile (a_p)</source>
        <translation>Unteres Quantil (a_p)</translation>
    </message>
    <message>
        <source>Most Likely Value (m)</source>
        <translation>Wahrscheinlichster Wert (m)</translation>
    </message>
    <message>
        <source>Upper Quantile (b_r)</source>
        <translation>Oberes Quantil (b_r)</translation>
    </message>
    <message>
        <source>Power Parameter n</source>
        <translation>Potenzparameter n</translation>
    </message>
    <message>
        <source>Additional Quantile (x_s)</source>
        <translation>Zusätzliches Quantil (x_s)</translation>
    </message>
    <message>
        <source>Additional Quantile Specification not Feasible</source>
        <translation>Angabe des zusätzlichen Quantils nicht erfüllbar</translation>
    </message>
    <message>
        <source>Your Estimate m is an anti-mode which is not consistent with a most likely estimate</source>
        <translation>Ihr Schätzwert m ist ein Antimodus und damit nicht mit einem wahrscheinlichsten Wert vereinbar</translation>
    </message>
    <message>
        <source>It is recommended to elicit and additional quantile x_s &gt; m with quantile level 0.80</source>
        <translation>Es wird empfohlen, ein zusätzliches Quantil x_s &gt; m mit dem Quantilniveau 0.80 zu erfragen</translation>
    </message>
    <message>
        <source>It is recommended to elicit and additional quantile x_s &lt; m with quantile level 0.20</source>
        <translation>Es wird empfohlen, ein zusätzliches Quantil x_s &lt; m mit dem Quantilniveau 0.20 zu erfragen</translation>
    </message>
    <message>
        <source>Invalid floating point operation.</source>
        <translation>Ungültige Gleitkommaoperation.</translation>
    </message>
    <message>
        <source>Floating point division by zero.</source>
        <translation>Gleitkommadivision durch null.</translation>
    </message>
    <message>
        <source>Floating point overflow.</source>
        <translation>Gleitkommaüberlauf.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Unbekannter Fehler.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>There is no fit to show at another power.</source>
        <translation>Es gibt keine Anpassung, die bei einer anderen Potenz zu zeigen wäre.</translation>
    </message>
    <message>
        <source>Probability Density</source>
        <translation>Wahrscheinlichkeitsdichte</translation>
    </message>
    <message>
        <source>Cumulative Distribution Function</source>
        <translation>Verteilungsfunktion</translation>
    </message>
    <message>
        <source>Mode Probability q</source>
        <translation>Modus-Wahrscheinlichkeit q</translation>
    </message>
    <message>
        <source>Lower Bound</source>
        <translation>Untere Grenze</translation>
    </message>
    <message>
        <source>Upper Bound</source>
        <translation>Obere Grenze</translation>
    </message>
    <message>
        <source>Probability below x_s</source>
        <translation>Wahrscheinlichkeit unterhalb von x_s</translation>
    </message>
</context>
<context>
    <name>TPoolPage</name>
    <message>
        <source>Quantiles of the pool</source>
        <translation>Quantile des Pools</translation>
    </message>
    <message>
        <source>%1 % quantile</source>
        <translation>%1-%-Quantil</translation>
    </message>
    <message>
        <source>Lower Bound (a)</source>
        <translation>Untere Grenze (a)</translation>
    </message>
    <message>
        <source>Upper Bound (b)</source>
        <translation>Obere Grenze (b)</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Standard Deviation</source>
        <translation>Standardabweichung</translation>
    </message>
    <message>
        <source>Weights of the experts</source>
        <translation>Gewichte der Experten</translation>
    </message>
    <message>
        <source>Copy %1 Draws</source>
        <translation>%1 Ziehungen kopieren</translation>
    </message>
    <message>
        <source>Copy %1 draws from the pool</source>
        <translation>%1 Ziehungen aus dem Pool kopieren</translation>
    </message>
    <message>
        <source>Copies draws from the pool, one a line, as morvane-fit --sample writes them</source>
        <translation>Kopiert Ziehungen aus dem Pool, eine je Zeile, wie morvane-fit --sample sie schreibt</translation>
    </message>
    <message>
        <source>The expert&apos;s weight in the pool: 0 or more</source>
        <translation>Das Gewicht des Experten im Pool: 0 oder mehr</translation>
    </message>
    <message>
        <source>Weight of %1</source>
        <translation>Gewicht von %1</translation>
    </message>
    <message numerus="yes">
        <source>The pool leaves out %n expert(s) without a fit.</source>
        <translation>
            <numerusform>Der Pool lässt %n Experten ohne Anpassung aus.</numerusform>
            <numerusform>Der Pool lässt %n Experten ohne Anpassung aus.</numerusform>
        </translation>
    </message>
    <message>
        <source>The weights cannot all be 0: at least one expert needs weight.</source>
        <translation>Die Gewichte können nicht alle 0 sein: mindestens ein Experte braucht ein Gewicht.</translation>
    </message>
    <message>
        <source>One weight for each expert in the pool</source>
        <translation>Ein Gewicht für jeden Experten im Pool</translation>
    </message>
</context>
<context>
    <name>TQuantilePage</name>
    <message>
        <source>Fitted quantiles</source>
        <translation>Angepasste Quantile</translation>
    </message>
    <message>
        <source>%1 % quantile</source>
        <translation>%1-%-Quantil</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>P(X &lt;= x)</source>
        <translation>P(X &lt;= x)</translation>
    </message>
    <message>
        <source>x1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>x2</source>
        <translation>x2</translation>
    </message>
    <message>
        <source>P(x1 &lt; X &lt;= x2)</source>
        <translation>P(x1 &lt; X &lt;= x2)</translation>
    </message>
    <message>
        <source>A value x, for the probability P(X &lt;= x)</source>
        <translation>Ein Wert x, für die Wahrscheinlichkeit P(X &lt;= x)</translation>
    </message>
    <message>
        <source>The lower end of an interval from x1 to x2</source>
        <translation>Das untere Ende eines Intervalls von x1 bis x2</translation>
    </message>
    <message>
        <source>The upper end of an interval from x1 to x2</source>
        <translation>Das obere Ende eines Intervalls von x1 bis x2</translation>
    </message>
</context>
<context>
    <name>TSpinEdit</name>
    <message>
        <source>Step up</source>
        <translation>Einen Schritt höher</translation>
    </message>
    <message>
        <source>Step down</source>
        <translation>Einen Schritt tiefer</translation>
    </message>
</context>
</TS>
