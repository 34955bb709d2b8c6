// Fonts and text colours of the windows, chosen in one place.
//
// Every toolkit control sets its own font and text colour when it is created, so a
// control never takes the caption font of the group box it sits in: a bold maroon group
// box caption stays on the caption.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <utility>

class QWidget;

enum class TTextColour { WindowText, Black, Maroon, Blue };

struct TFontSpec {
  TFontSpec(TTextColour colour = TTextColour::WindowText, bool bold = false, int pixelSize = 11,
            QString family = {})
      : Colour(colour), Bold(bold), PixelSize(pixelSize), Family(std::move(family)) {}

  TTextColour Colour;
  bool Bold;
  int PixelSize;   // the windows are designed for 11-pixel text
  QString Family;  // empty: the toolkit's sans face
};

// The sans face the windows are designed with ("Liberation Sans", which has the metrics
// of the usual Windows sans faces; "DejaVu Sans" if it is missing).
QFont ToolkitFont(const TFontSpec& style = {});

QColor ToQColor(TTextColour colour);

// Sets the widget's font and the colour of its text (window, edit and button text) for
// the active and inactive states; disabled text keeps the style's greyed colour.
void ApplyFont(QWidget* widget, const TFontSpec& style);

// Makes the toolkit's regular font the application's default (message boxes, tooltips).
void InstallToolkitFont();
