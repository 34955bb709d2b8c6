// morvane-snapshot: opens the two windows on Qt's offscreen platform, enters the judgements
// given on the command line into the input window, presses the plot button, and writes
// what a person would see: a PNG of the input window, a PNG of the feedback window on each
// of its pages, and texts.json with every text both windows show and the messages raised.
//
// Exit status: 0 when the images and texts were written (whether or not the judgements
// could be fitted), 1 when something could not be written, 2 on a usage error.
#include <CLI/CLI.hpp>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QRadioButton>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "Appearance.h"
#include "ApplicationWindows.h"
#include "ChartWidget.h"
#include "ElicitationFileActions.h"
#include "FeedbackWindow.h"
#include "InputWindow.h"
#include "MessageService.h"
#include "MorvaneVersion.h"
#include "NotesDialog.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "Translations.h"

namespace {

using json = nlohmann::ordered_json;

struct TOptions {
  std::optional<std::string> ap, m, br, n, xs;
  // Levels as typed into their fields, in percent to a tenth ("2.5").
  std::optional<std::string> p, r, s, credibility;
  std::vector<int> feedbackSize;  // width and height, or empty for the designed size
  std::string open;               // an elicitation file to open first, or empty
  std::string out;
  std::string language = "en";  // the windows' language
  bool dark = false;            // the Fusion style in a dark palette
};

// A dark palette of the kind desktops offer, for checking that every text stays readable.
QPalette DarkPalette() {
  QPalette palette;
  const QColor window(45, 45, 48);
  const QColor base(30, 30, 30);
  const QColor text(230, 230, 230);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, window);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::BrightText, Qt::red);
  palette.setColor(QPalette::Light, QColor(80, 80, 84));
  palette.setColor(QPalette::Midlight, QColor(65, 65, 68));
  palette.setColor(QPalette::Mid, QColor(55, 55, 58));
  palette.setColor(QPalette::Dark, QColor(20, 20, 22));
  palette.setColor(QPalette::Shadow, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
  palette.setColor(QPalette::HighlightedText, Qt::black);
  palette.setColor(QPalette::Link, QColor(100, 170, 255));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
  }
  return palette;
}

std::string Str(const QString& text) {
  return text.toStdString();
}

// Whether the text shows whole in the control at its present size.
bool ShowsWhole(const QWidget& control) {
  const QFontMetrics metrics(control.font());
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    const QRect room = label->contentsRect();
    if (label->wordWrap()) {
      return label->heightForWidth(label->width()) <= label->height();
    }
    return metrics.horizontalAdvance(label->text()) <= room.width() &&
           metrics.height() <= room.height();
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
    // The caption sits between two short pieces of the frame.
    return metrics.horizontalAdvance(box->title()) + 16 <= box->width();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    return button->sizeHint().width() <= button->width();
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
    return metrics.horizontalAdvance(edit->text()) + 6 <= edit->width();
  }
  return true;
}

// Also whether the control lies inside its parent.
bool InsideParent(const QWidget& control) {
  const QWidget* parent = control.parentWidget();
  return control.isWindow() || parent == nullptr || parent->rect().contains(control.geometry());
}

json Describe(const QWidget& control) {
  json item;
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    item["text"] = Str(label->text());
  } else if (const auto* group = qobject_cast<const TRadioGroup*>(&control)) {
    json items = json::array();
    for (int i = 0; i < group->Count(); ++i) {
      items.push_back(Str(group->Item(i)->text()));
    }
    item["items"] = items;
    item["item_index"] = group->ItemIndex();
  } else if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
    item["text"] = Str(box->title());
  } else if (const auto* spin = qobject_cast<const TSpinEdit*>(&control)) {
    item["text"] = Str(spin->Text());
    // The range in the units the field shows: percent for a level in tenths.
    if (spin->Decimals() == 1) {
      item["min"] = spin->MinValue() / 10.0;
      item["max"] = spin->MaxValue() / 10.0;
    } else {
      item["min"] = spin->MinValue();
      item["max"] = spin->MaxValue();
    }
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    item["text"] = Str(button->text());
  } else if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
    item["text"] = Str(edit->text());
  }
  const QRect g = control.geometry();
  item["geometry"] = {g.x(), g.y(), g.width(), g.height()};
  item["visible"] = control.isVisibleTo(control.window());
  item["enabled"] = control.isEnabled();
  // Only a window on screen has its final layout.
  if (control.window()->isVisible()) {
    item["shows_whole"] = ShowsWhole(control) && InsideParent(control);
  }
  return item;
}

// Every named control of the window, by name.
json Controls(const QWidget& window) {
  json controls;
  for (const QWidget* child : window.findChildren<QWidget*>()) {
    const QString name = child->objectName();
    // The window's controls are toolkit controls with names; Qt's own parts (the notebook's
    // scroll buttons) are left out, and so are the charts, whose texts are their series.
    const bool toolkit = QLatin1String(child->metaObject()->className()).startsWith(u'T');
    if (name.isEmpty() || !toolkit) {
      continue;
    }
    controls[Str(name)] = Describe(*child);
  }
  return controls;
}

json Series(const FeedbackWindow& form) {
  const std::pair<const char*, const TChartSeries*> series[] = {
      {"DensitySeries", form.DensitySeries},
      {"DensityMarksSeries", form.DensityMarksSeries},
      {"ModeProbabilitySeries", form.ModeProbabilitySeries},
      {"DistributionSeries", form.DistributionSeries},
      {"ModeProbabilityLimitSeries", form.ModeProbabilityLimitSeries},
      {"ModeProbabilityMarksSeries", form.ModeProbabilityMarksSeries},
      {"LowerBoundSeries", form.LowerBoundSeries},
      {"DistributionMarksSeries", form.DistributionMarksSeries},
      {"LowerBoundMarksSeries", form.LowerBoundMarksSeries},
      {"UpperBoundSeries", form.UpperBoundSeries},
      {"UpperBoundMarksSeries", form.UpperBoundMarksSeries}};
  json out;
  for (const auto& [name, s] : series) {
    json points = json::array();
    for (int i = 0; i < s->PointCount(); ++i) {
      points.push_back({s->XValue(i), s->YValue(i)});
    }
    out[name] = {{"count", s->PointCount()}, {"points", points}};
  }
  return out;
}

// The text of a page's tab as the English windows show it.
QString EnglishTabText(const FeedbackWindow& form, int index) {
  const QWidget* page = form.Notebook->widget(index);
  if (page == form.ExtraQuantilePage) {
    return QStringLiteral("Additional Quantile");
  }
  static constexpr const char* kTabs[] = {"PDF",         "CDF",         "Mode Probability",
                                          "Lower Bound", "Upper Bound", "Quantiles"};
  int fixed = index;
  if (const int extra = form.Notebook->indexOf(form.ExtraQuantilePage);
      extra >= 0 && extra < index) {
    --fixed;
  }
  return fixed >= 0 && fixed < static_cast<int>(std::size(kTabs)) ? QLatin1String(kTabs[fixed])
                                                                  : form.Notebook->tabText(index);
}

bool Save(const QWidget& widget, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QLatin1String(name));
  const bool ok = const_cast<QWidget&>(widget).grab().save(path, "PNG");
  if (!ok) {
    std::fprintf(stderr, "morvane-snapshot: could not write %s\n", path.toLocal8Bit().constData());
  }
  return ok;
}

std::string KindName(TMessageBoxKind kind) {
  switch (kind) {
    case TMessageBoxKind::Error:
      return "Error";
    case TMessageBoxKind::Warning:
      return "Warning";
    case TMessageBoxKind::MathError:
      break;
  }
  return "MathError";
}

// Carries out the expert's actions one by one and notes the messages each raised.
class TSession {
 public:
  explicit TSession(TMessageRecorder& recorder) : Recorder_(recorder) {}

  template <typename Action>
  void Do(const std::string& what, Action action) {
    const std::size_t before = Recorder_.Records().size();
    action();
    QApplication::processEvents();
    json step = {{"action", what}};
    json raised = json::array();
    for (std::size_t i = before; i < Recorder_.Records().size(); ++i) {
      const TMessageRecord& r = Recorder_.Records()[i];
      raised.push_back({{"kind", KindName(r.Kind)}, {"title", r.Title}, {"text", r.Text}});
      Messages_.push_back(
          {{"after", what}, {"kind", KindName(r.Kind)}, {"title", r.Title}, {"text", r.Text}});
    }
    step["messages"] = raised;
    Steps_.push_back(step);
  }

  const json& Steps() const { return Steps_; }
  const json& Messages() const { return Messages_; }

 private:
  TMessageRecorder& Recorder_;
  json Steps_ = json::array();
  json Messages_ = json::array();
};

int Run(const TOptions& options) {
  const QDir dir(QString::fromStdString(options.out));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "morvane-snapshot: cannot create %s\n", options.out.c_str());
    return 1;
  }
  InstallToolkitFont();
  if (options.dark) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
  }
  InstallTranslation(QString::fromStdString(options.language));
  TMessageRecorder recorder;

  // Start-up as the program does it, every message recorded instead of shown.
  ApplicationWindows windows(recorder);
  InputWindow& inputWindow = *windows.Main();
  FeedbackWindow& feedbackWindow = *windows.Feedback();
  inputWindow.show();
  QApplication::processEvents();

  TSession session(recorder);
  if (!options.open.empty()) {
    session.Do("open " + options.open,
               [&] { windows.Files().Open(QString::fromStdString(options.open)); });
    // The notes of the file as their dialog shows them.
    NotesDialog notes(windows.Document().Notes(), &inputWindow);
    notes.show();
    QApplication::processEvents();
    Save(notes, dir, "notes-dialog.png");
  }
  const auto write = [&](TEdit* edit, const std::optional<std::string>& text, const char* name) {
    if (text) {
      session.Do(std::string("type ") + name + " = " + *text,
                 [&] { edit->SetText(QString::fromStdString(*text)); });
    }
  };
  const auto level = [&](TSpinEdit* spin, const std::optional<std::string>& value,
                         const char* name) {
    if (value && spin->Text() != QString::fromStdString(*value)) {
      session.Do(std::string("set ") + name + " = " + *value,
                 [&] { spin->SetText(QString::fromStdString(*value)); });
    }
  };
  write(inputWindow.LowerQuantileEdit, options.ap, "a_p");
  write(inputWindow.ModeValueEdit, options.m, "m");
  write(inputWindow.UpperQuantileEdit, options.br, "b_r");
  write(inputWindow.PowerEdit, options.n, "n");
  write(inputWindow.ExtraQuantileEdit, options.xs, "x_s");
  level(feedbackWindow.CredibilitySpin, options.credibility, "the credibility level");
  level(inputWindow.LowerLevelSpin, options.p, "p");
  level(inputWindow.UpperLevelSpin, options.r, "r");
  if (options.xs) {
    session.Do("select \"Additional Quantile (x_s)\"",
               [&] { inputWindow.ModeSwitch->SetItemIndex(1); });
    level(inputWindow.ExtraLevelSpin, options.s, "s");
  }
  session.Do("press \"Plot Two-Sided Power Graphs\"", [&] { inputWindow.PlotButton->click(); });
  if (options.feedbackSize.size() == 2) {
    feedbackWindow.resize(options.feedbackSize[0], options.feedbackSize[1]);
    QApplication::processEvents();
  }

  bool ok = Save(inputWindow, dir, "input-window.png");
  const bool shown = feedbackWindow.isVisible();
  // Every text each chart drew, with its rectangle in the page image's pixels.
  json chartTexts = json::object();
  if (shown) {
    // One image per page, named for its tab in English, whatever the windows' language:
    // "Mode Probability" is feedback-mode-probability.png.
    for (int i = 0; i < feedbackWindow.Notebook->PageCount(); ++i) {
      feedbackWindow.Notebook->SetPageIndex(i);
      QApplication::processEvents();
      const QString name = QStringLiteral("feedback-") +
                           EnglishTabText(feedbackWindow, i).toLower().replace(u' ', u'-') +
                           QStringLiteral(".png");
      ok = Save(feedbackWindow, dir, name.toLatin1().constData()) && ok;
      const auto* chart = feedbackWindow.Notebook->Page(i)->findChild<const ChartWidget*>();
      if (chart == nullptr) {
        continue;  // a page of numbers, whose texts are among the controls
      }
      const QPoint origin = chart->mapTo(&feedbackWindow, QPoint(0, 0));
      const qreal ratio = feedbackWindow.devicePixelRatioF();
      json texts = json::array();
      for (const QtCanvas::TDrawnText& t : chart->DrawnTexts()) {
        if (t.Text.find_first_not_of(' ') == std::string::npos) {
          continue;  // the blank title line
        }
        texts.push_back({{"text", t.Text},
                         {"x", qRound((t.Box.x() + origin.x()) * ratio)},
                         {"y", qRound((t.Box.y() + origin.y()) * ratio)},
                         {"w", qRound(t.Box.width() * ratio)},
                         {"h", qRound(t.Box.height() * ratio)}});
      }
      chartTexts[Str(feedbackWindow.Notebook->tabText(i))] = texts;
    }
    feedbackWindow.Notebook->SetPageIndex(0);
  }

  json tabs = json::array();
  for (int i = 0; i < feedbackWindow.Notebook->PageCount(); ++i) {
    tabs.push_back(Str(feedbackWindow.Notebook->tabText(i)));
  }
  const json texts = {
      {"input_window",
       {{"caption", Str(inputWindow.windowTitle())},
        {"client_size", {inputWindow.width(), inputWindow.height()}},
        {"controls", Controls(inputWindow)}}},
      {"feedback_window",
       {{"caption", Str(feedbackWindow.windowTitle())},
        {"shown", shown},
        {"client_size", {feedbackWindow.width(), feedbackWindow.height()}},
        {"pages", tabs},
        {"controls", Controls(feedbackWindow)},
        {"series", Series(feedbackWindow)},
        {"chart_texts", chartTexts}}},
      {"steps", session.Steps()},
      {"messages", session.Messages()},
      {"beeps", recorder.BeepCount()},
  };
  std::ofstream file(dir.filePath(QStringLiteral("texts.json")).toStdString());
  file << texts.dump(2) << "\n";
  ok = static_cast<bool>(file) && ok;

  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  CLI::App app{
      "Opens the two windows headless, enters the judgements, presses the plot button and "
      "writes PNGs of the input window and of each feedback page, and texts.json with the "
      "texts both windows show and the messages raised. Options not given keep the input "
      "window's initial values.",
      "morvane-snapshot"};
  app.set_version_flag("--version", std::string(app.get_name()) + " " + MORVANE_VERSION);
  app.add_option("--ap", options.ap, "lower quantile a_p");
  app.add_option("--p", options.p, "level p of a_p, in percent");
  app.add_option("--m", options.m, "most likely value m");
  app.add_option("--br", options.br, "upper quantile b_r");
  app.add_option("--r", options.r, "level r of b_r, in percent");
  auto* power = app.add_option("--n", options.n, "power parameter n");
  auto* extra = app.add_option("--xs", options.xs,
                               "additional quantile x_s, instead of n (selects its mode)");
  auto* level = app.add_option("--s", options.s, "level s of x_s, in percent");
  app.add_option("--credibility", options.credibility,
                 "credibility level: percent of probability outside the interval");
  app.add_option("--feedback-size", options.feedbackSize,
                 "width and height of the feedback window, such as 1600 1200")
      ->expected(2)
      ->check(CLI::Range(100, 10000));
  auto* open = app.add_option("--open", options.open,
                              "open this elicitation file first; writes notes-dialog.png too");
  app.add_option("--lang", options.language, "the windows' language: en (the default) or de")
      ->check(CLI::IsMember({"en", "de"}));
  app.add_flag("--dark", options.dark, "the Fusion style in a dark palette");
  app.add_option("--out", options.out, "folder to write the images and texts.json into")
      ->required();
  power->excludes(extra);
  level->needs(extra);
  for (const char* judgement : {"--ap", "--p", "--m", "--br", "--r", "--n", "--xs", "--s"}) {
    open->excludes(app.get_option(judgement));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : 2;
  }

  // Always headless, so that the images do not depend on a desktop.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  return Run(options);
}
