// A soak test of the two windows: a long seeded random sequence of what a user does to them
// on Qt's offscreen platform, every message box answered by the recorder, and after every
// action the windows' invariants checked (SoakChecks.h): no exception left a handler, every
// message is one the program means to give, the fields of the selected mode are the ones
// shown, and the feedback window shows one fit, whose figures its own panels reproduce.
//
// The actions: typing into the number fields the window shows (SoakTyping.h: sensible
// judgements at sizes from denormal to 1e4932, mended ones, near misses, reversed orders,
// texts that are no numbers); stepping the levels p, r and s with the arrow buttons or the
// keys, or holding an arrow down; typing levels in and beyond their ranges, then often
// moving the focus on, which rewrites a level typed beyond its range; selecting either mode;
// pressing the plot button; stepping and typing the feedback window's credibility level,
// also inside that window with the focus leaving the field; choosing a chart page; closing
// the feedback window, which the next plot opens again.
//
// Environment:
//   MORVANE_SOAK_ACTIONS=<count>  the number of actions, 20000 unless set; a long run takes
//                                 a million, about fifty times as long
//   MORVANE_SOAK_SEED=<seed>      another sequence than the default one
//   MORVANE_SOAK_STRICT=0         an arithmetic-error report is taken as the program's own
//                                 last resort and only listed in the summary; by default
//                                 it fails the run, since every judgement the expert can
//                                 type has a message of its own
// A failure names the seed, the number of the failing action, the last actions before it
// and what the windows show; the same seed and count repeat the same sequence.

#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ApplicationWindows.h"
#include "ErrorBoundary.h"
#include "FeedbackWindow.h"
#include "InputWindow.h"
#include "MessageService.h"
#include "QtTestSupport.h"
#include "QuantilePage.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SoakChecks.h"
#include "SoakCrashNote.h"
#include "SoakTyping.h"
#include "SolverRecord.h"
#include "SpinEdit.h"
#include "TwoSidedPower.h"

namespace {

constexpr std::uint64_t kDefaultSeed = 20240605;
constexpr long long kDefaultActions = 20000;
// How many of the last actions a failure lists.
constexpr std::size_t kLogLength = 40;
// How many actions that ended in an arithmetic-error report the summary lists.
constexpr std::size_t kArithmeticShown = 5;
// How long a window may take to become active.
constexpr int kActivationMs = 2000;

// A positive whole number from the environment, the fallback when unset, nothing when set to
// anything else.
std::optional<long long> EnvironmentCount(const char* name, long long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') {
    return fallback;
  }
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (*end != '\0' || errno != 0 || value <= 0) {
    return std::nullopt;
  }
  return value;
}

std::string Shortened(const std::string& text, std::size_t length = 110) {
  return text.size() <= length ? text : text.substr(0, length) + "...";
}

// Qt's own warnings: a widget misused on the way shows up here. The offscreen platform's
// remarks on what it cannot do are not the program's.
std::vector<std::string>* qtWarnings = nullptr;

void RecordQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg ||
      text.startsWith(QStringLiteral("This plugin does not support"))) {
    return;
  }
  if (qtWarnings != nullptr) {
    qtWarnings->push_back(text.toStdString());
  }
}

enum class TAction {
  TypeNumber,
  StepLevel,
  HoldArrow,
  TypeLevel,
  MoveFocus,
  SelectMode,
  PressPlot,
  StepCredibility,
  TypeCredibility,
  LeaveCredibility,
  SelectPage,
  CloseFeedback,
  PressEnter,
  CopyFit,
  TypeQuantileField,
};

struct TActionKind {
  TAction Action;
  const char* Name;
  int Weight;  // per mille
};

// The plots, which cost the most, are the level actions and the plot button: about a third
// of all actions.
const std::vector<TActionKind> kActions = {
    {TAction::TypeNumber, "type a number", 270},
    {TAction::StepLevel, "step a level", 140},
    {TAction::HoldArrow, "hold a level arrow", 2},
    {TAction::TypeLevel, "type a level", 60},
    {TAction::MoveFocus, "move the focus", 60},
    {TAction::SelectMode, "select a mode", 70},
    {TAction::PressPlot, "press plot", 110},
    {TAction::StepCredibility, "step the credibility level", 80},
    {TAction::TypeCredibility, "type the credibility level", 60},
    {TAction::LeaveCredibility, "leave a typed credibility level", 8},
    {TAction::SelectPage, "choose a chart page", 50},
    {TAction::CloseFeedback, "close the feedback window", 40},
    {TAction::PressEnter, "press Enter in the input window", 20},
    {TAction::CopyFit, "copy the fit", 10},
    {TAction::TypeQuantileField, "type into the Quantiles page", 20},
};

// What a run did, for the summary it prints.
struct TSoakTally {
  std::vector<long long> Actions = std::vector<long long>(kActions.size(), 0);
  long long FitsShown = 0;
  long long Reopened = 0;
  std::array<long long, 3> Messages{};  // by TMessageBoxKind
  std::vector<std::string> Arithmetic;  // the first actions that ended in such a report
  TShownFitTally Figures;
  int Activations = 0;
};

class WindowSoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Windows.emplace(Recorder);
    Main = Windows->Main();
    Feedback = Windows->Feedback();
    qtWarnings = &QtWarnings;
    PreviousHandler = qInstallMessageHandler(RecordQtMessage);
    // A modal window that does not go through the message service would wait for a user
    // for ever: close it, and say so.
    ModalWatch.setInterval(200);
    QObject::connect(&ModalWatch, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        PendingProblems.push_back("a modal window \"" + modal->windowTitle().toStdString() +
                                  "\" opened outside the message service");
        modal->close();
      }
    });
    ModalWatch.start();
    ASSERT_TRUE(ShowActive(*Main));
  }

  void TearDown() override {
    ModalWatch.stop();
    qInstallMessageHandler(PreviousHandler);
    qtWarnings = nullptr;
    Windows.reset();
  }

  void Soak(std::uint64_t seed, long long count);

  // [SECTION] Choosing an action

  bool Possible(TAction action) const {
    switch (action) {
      case TAction::StepCredibility:
      case TAction::TypeCredibility:
      case TAction::LeaveCredibility:
      case TAction::SelectPage:
      case TAction::CloseFeedback:
      case TAction::CopyFit:
      case TAction::TypeQuantileField:
        return Feedback->isVisible();
      default:
        return true;
    }
  }

  std::size_t PickAction() {
    for (int attempt = 0; attempt < 16; ++attempt) {
      int roll = Random.Below(1000);
      for (std::size_t k = 0; k < kActions.size(); ++k) {
        roll -= kActions[k].Weight;
        if (roll < 0) {
          if (Possible(kActions[k].Action)) {
            return k;
          }
          break;
        }
      }
    }
    return 0;  // typing a number is always possible
  }

  void Run(TAction action) {
    switch (action) {
      case TAction::TypeNumber:
        return TypeNumber();
      case TAction::StepLevel:
        return StepLevel();
      case TAction::HoldArrow:
        return HoldArrow();
      case TAction::TypeLevel:
        return TypeLevel();
      case TAction::MoveFocus:
        return MoveFocus();
      case TAction::SelectMode:
        return SelectMode();
      case TAction::PressPlot:
        Note("press the plot button");
        EnsureMainActive();
        return QTest::mouseClick(Main->PlotButton, Qt::LeftButton);
      case TAction::StepCredibility:
        return StepCredibility();
      case TAction::TypeCredibility:
        return TypeCredibility();
      case TAction::LeaveCredibility:
        return LeaveCredibility();
      case TAction::SelectPage:
        return SelectPage();
      case TAction::CloseFeedback:
        Note("close the feedback window");
        Feedback->close();
        return;
      case TAction::PressEnter:
        Note("press Enter in " + (QApplication::focusWidget() != nullptr
                                      ? QApplication::focusWidget()->objectName().toStdString()
                                      : std::string("no control")));
        EnsureMainActive();
        if (QWidget* focus = QApplication::focusWidget()) {
          QTest::keyClick(focus, Qt::Key_Return);
        }
        return;
      case TAction::CopyFit:
        Note("copy the fit");
        Feedback->CopyFit();
        return;
      case TAction::TypeQuantileField: {
        TEdit* field = Random.Pick(std::vector<TEdit*>{Feedback->QuantilePage->XEdit,
                                                       Feedback->QuantilePage->X1Edit,
                                                       Feedback->QuantilePage->X2Edit});
        const std::string text = Expert.Judgement(kUpperQuantile, Seen());
        Note("type \"" + text + "\" into " + field->objectName().toStdString());
        field->SetText(QString::fromStdString(text));
        return;
      }
    }
  }

  // [SECTION] Actions

  void Note(const std::string& what) {
    Current = what;
    TCrashNoteScope::NoteDoing(what);
  }

  void EnsureMainActive() {
    if (QApplication::activeWindow() != Main) {
      ++Tally.Activations;
      Main->activateWindow();
      if (!QTest::qWaitForWindowActive(Main, kActivationMs)) {
        PendingProblems.push_back("the input window did not become active again");
      }
    }
  }

  // Replaces the text of a field by typing, as a user does: select all, then type.
  static void Type(QWidget* field, const std::string& text) {
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(field, QString::fromStdString(text));
    }
  }

  TEdit* Field(int field) const {
    const std::array<TEdit*, kFieldCount> edits = {Main->LowerQuantileEdit, Main->ModeValueEdit,
                                                   Main->UpperQuantileEdit, Main->PowerEdit,
                                                   Main->ExtraQuantileEdit};
    return edits[static_cast<std::size_t>(field)];
  }

  TFieldsSeen Seen() const {
    TFieldsSeen seen;
    for (int field = 0; field < kFieldCount; ++field) {
      seen.Texts[static_cast<std::size_t>(field)] = Field(field)->Text().toStdString();
    }
    seen.ExtraQuantileMode = Main->ModeSwitch->ItemIndex() == 1;
    seen.SmallerBound = Main->FeasibilityLowerPanel->Caption().toStdString();
    seen.LargerBound = Main->FeasibilityUpperPanel->Caption().toStdString();
    return seen;
  }

  // The expert mends the judgement a message named about as often as he types a new one,
  // and types only into the fields the window shows.
  void TypeNumber() {
    const TFieldsSeen seen = Seen();
    const std::optional<int> broken = TExpertTyping::BrokenField(seen);
    int field = 0;
    std::string text;
    if (broken && Random.Chance(50)) {
      field = *broken;
      text = Expert.Mend(field, seen);
      Note("mend " + std::string(FieldSymbol(field)) + ": type \"" + text + "\"");
    } else {
      field = Random.Pick(std::vector<int>{kLowerQuantile, kModeValue, kUpperQuantile,
                                           seen.ExtraQuantileMode ? kExtraQuantile : kPower});
      text = Expert.Judgement(field, seen);
      Note("type \"" + text + "\" into " + FieldSymbol(field));
    }
    EnsureMainActive();
    Type(Field(field), text);
  }

  std::vector<TSpinEdit*> ShownLevels() const {
    std::vector<TSpinEdit*> levels = {Main->LowerLevelSpin, Main->UpperLevelSpin};
    if (Main->ModeSwitch->ItemIndex() == 1) {
      levels.push_back(Main->ExtraLevelSpin);
    }
    return levels;
  }

  std::string LevelName(const TSpinEdit* spin) const {
    return spin == Main->LowerLevelSpin ? "p" : spin == Main->UpperLevelSpin ? "r" : "s";
  }

  void StepLevel() {
    TSpinEdit* spin = Random.Pick(ShownLevels());
    const bool up = Random.Chance(50);
    const bool byKey = Random.Chance(50);
    Note("step " + LevelName(spin) + (up ? " up" : " down") + (byKey ? " by key" : " by arrow") +
         " from \"" + spin->Text().toStdString() + "\"");
    EnsureMainActive();
    if (byKey) {
      spin->LineEdit()->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(spin->LineEdit(), up ? Qt::Key_Up : Qt::Key_Down);
    } else {
      QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
    }
  }

  // Held until the first repeat: one step at the press, one 400 ms later, then released. So
  // that a seed repeats its sequence however fast the machine is, the arrow is let go as soon
  // as the repeated step has changed the text, and only held where that step can change it.
  void HoldArrow() {
    TSpinEdit* spin = Random.Pick(ShownLevels());
    const int delta = Random.Chance(50) ? 1 : -1;
    Note("hold the " + std::string(delta > 0 ? "up" : "down") + " arrow of " + LevelName(spin) +
         " from \"" + spin->Text().toStdString() + "\"");
    EnsureMainActive();
    QToolButton* arrow = delta > 0 ? spin->UpButton() : spin->DownButton();
    QTest::mousePress(arrow, Qt::LeftButton);
    const QString pressed = spin->Text();
    const long long next = static_cast<long long>(spin->Value()) + delta;
    const bool repeats =
        spin->isVisible() && (spin->MinValue() == spin->MaxValue() ||
                              (next >= spin->MinValue() && next <= spin->MaxValue()));
    if (repeats && !WaitFor([&] { return spin->Text() != pressed; }, kActivationMs)) {
      PendingProblems.push_back("holding the arrow of " + LevelName(spin) + " repeated no step");
    }
    QTest::mouseRelease(arrow, Qt::LeftButton);
  }

  // As with the judgements, the expert puts a level right about as often as he types one.
  void TypeLevel() {
    const std::array<TSpinEdit*, 3> spins = {Main->LowerLevelSpin, Main->UpperLevelSpin,
                                             Main->ExtraLevelSpin};
    const auto mend = Expert.MendLevels(
        {Main->LowerLevelSpin->Text().toStdString(), Main->UpperLevelSpin->Text().toStdString(),
         Main->ExtraLevelSpin->Text().toStdString()},
        Main->ModeSwitch->ItemIndex() == 1);
    TSpinEdit* spin = nullptr;
    std::string text;
    if (mend && Random.Chance(50)) {
      spin = spins[static_cast<std::size_t>(mend->first)];
      text = mend->second;
    } else {
      spin = Random.Pick(ShownLevels());
      text = Expert.Level(spin->MinValue(), spin->MaxValue());
    }
    const bool leave = Random.Chance(50);
    Note("type \"" + text + "\" into " + LevelName(spin) + (leave ? ", then leave it" : ""));
    EnsureMainActive();
    Type(spin->LineEdit(), text);
    if (leave) {
      MoveFocusOn();
    } else if (Random.Chance(50)) {
      // The expert waits for the typing pause.
      spin->SettleTyping();
    }
  }

  // The Tab key, or a click into another control of the input window.
  void MoveFocusOn() {
    if (Random.Chance(40)) {
      if (QWidget* focus = QApplication::focusWidget()) {
        QTest::keyClick(focus, Qt::Key_Tab);
        return;
      }
    }
    std::vector<QWidget*> targets = {
        Main->LowerQuantileEdit,          Main->ModeValueEdit,
        Main->UpperQuantileEdit,          Main->PlotButton,
        Main->LowerLevelSpin->LineEdit(), Main->UpperLevelSpin->LineEdit()};
    if (Main->ModeSwitch->ItemIndex() == 1) {
      targets.push_back(Main->ExtraQuantileEdit);
      targets.push_back(Main->ExtraLevelSpin->LineEdit());
    } else {
      targets.push_back(Main->PowerEdit);
    }
    Random.Pick(targets)->setFocus(Qt::MouseFocusReason);
  }

  void MoveFocus() {
    const QWidget* focus = QApplication::focusWidget();
    Note("move the focus on from " +
         (focus != nullptr ? focus->objectName().toStdString() : std::string("nowhere")));
    EnsureMainActive();
    MoveFocusOn();
  }

  void SelectMode() {
    const int index = Random.Below(2);
    Note("click mode item " + std::to_string(index) +
         (Main->ModeSwitch->isEnabled() ? "" : " (switch disabled)"));
    EnsureMainActive();
    QRadioButton* item = Main->ModeSwitch->Item(index);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(6, item->height() / 2));
  }

  void StepCredibility() {
    const bool up = Random.Chance(50);
    Note("step the credibility level " + std::string(up ? "up" : "down") + " from \"" +
         Feedback->CredibilitySpin->Text().toStdString() + "\"");
    QTest::mouseClick(
        up ? Feedback->CredibilitySpin->UpButton() : Feedback->CredibilitySpin->DownButton(),
        Qt::LeftButton);
  }

  void TypeCredibility() {
    const std::string text = Expert.CredibilityLevel();
    Note("type \"" + text + "\" into the credibility level");
    QLineEdit* field = Feedback->CredibilitySpin->LineEdit();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(field, QString::fromStdString(text));
    }
  }

  // Inside the feedback window: type a level, then give the focus to the notebook, which
  // brings a level beyond 0 to 100 back into range.
  void LeaveCredibility() {
    const std::string text = Expert.CredibilityLevel();
    Note("in the feedback window, type \"" + text + "\" into the credibility level and leave it");
    ++Tally.Activations;
    Feedback->activateWindow();
    if (!QTest::qWaitForWindowActive(Feedback, kActivationMs)) {
      PendingProblems.push_back("the feedback window did not become active");
    }
    Type(Feedback->CredibilitySpin->LineEdit(), text);
    Feedback->Notebook->tabBar()->setFocus(Qt::TabFocusReason);
    EnsureMainActive();
  }

  void SelectPage() {
    const int page = Random.Below(Feedback->Notebook->PageCount());
    Note("choose chart page " + std::to_string(page));
    QTabBar* tabs = Feedback->Notebook->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(page).center());
  }

  // [SECTION] What the windows show

  std::string PanelTexts() const {
    std::string texts;
    for (const TPanel* panel :
         {Feedback->LowerBoundPanel, Feedback->UpperBoundPanel, Feedback->PowerPanel,
          Feedback->ModeProbabilityPanel, Feedback->ModePanel, Feedback->MedianPanel,
          Feedback->MeanPanel, Feedback->StdDevPanel, Feedback->LowerCredibilityPanel,
          Feedback->UpperCredibilityPanel}) {
      texts += panel->Caption().toStdString() + "|";
    }
    return texts;
  }

  // What an action led to, for the log: its messages, and the fit if it showed another.
  std::string Outcome(std::size_t firstMessage, bool newFit) const {
    std::string outcome;
    const auto& records = Recorder.Records();
    for (std::size_t m = firstMessage; m < records.size(); ++m) {
      outcome += "\n      -> " + records[m].Title + ": " + Shortened(records[m].Text);
    }
    if (newFit) {
      const auto shown = [](const TPanel* panel) {
        return Shortened(panel->Caption().trimmed().toStdString(), 30);
      };
      outcome += "\n      -> shows a = " + shown(Feedback->LowerBoundPanel) +
                 ", b = " + shown(Feedback->UpperBoundPanel) +
                 ", n = " + shown(Feedback->PowerPanel) + ", limits " +
                 shown(Feedback->LowerCredibilityPanel) + " " +
                 shown(Feedback->UpperCredibilityPanel);
    }
    return outcome;
  }

  std::string WindowState() const {
    std::ostringstream out;
    for (int field = 0; field < kFieldCount; ++field) {
      out << "  " << FieldSymbol(field) << " = \"" << Field(field)->Text().toStdString() << "\"\n";
    }
    for (const TSpinEdit* spin :
         {Main->LowerLevelSpin, Main->UpperLevelSpin, Main->ExtraLevelSpin}) {
      out << "  " << LevelName(spin) << " = \"" << spin->Text().toStdString() << "\" (range "
          << spin->MinValue() << " to " << spin->MaxValue() << ")\n";
    }
    out << "  mode " << Main->ModeSwitch->ItemIndex() << ", switch "
        << (Main->ModeSwitch->isEnabled() ? "enabled" : "disabled") << ", feasibility bounds \""
        << Main->FeasibilityLowerPanel->Caption().toStdString() << "\" \""
        << Main->FeasibilityUpperPanel->Caption().toStdString() << "\"\n  feedback window "
        << (Feedback->isVisible() ? "shown" : "hidden") << ", credibility level \""
        << Feedback->CredibilitySpin->Text().toStdString() << "\", panels " << PanelTexts() << "\n";
    return out.str();
  }

  TProblems CheckAfterAction(std::size_t firstMessage) {
    TProblems problems;
    if (Windows->Boundary().Inside()) {
      problems.push_back("a handler boundary is still open after the action");
    }
    for (const std::string& warning : QtWarnings) {
      problems.push_back("Qt warns: " + warning);
    }
    QtWarnings.clear();
    problems.insert(problems.end(), PendingProblems.begin(), PendingProblems.end());
    PendingProblems.clear();
    for (const TProblems& found :
         {CheckMessages(Recorder.Records(), firstMessage, *Feedback, Strict),
          CheckModeFields(*Main, *Feedback), CheckFeasibilityPanels(*Main),
          CheckShownFit(*Feedback, Windows->Document(), Tally.Figures)}) {
      problems.insert(problems.end(), found.begin(), found.end());
    }
    return problems;
  }

  TMessageRecorder Recorder;
  std::optional<ApplicationWindows> Windows;
  InputWindow* Main = nullptr;
  FeedbackWindow* Feedback = nullptr;
  QtMessageHandler PreviousHandler = nullptr;
  std::vector<std::string> QtWarnings;
  QTimer ModalWatch;
  // Found while an action ran; reported with the checks after it.
  std::vector<std::string> PendingProblems;

  bool Strict = false;
  TRandom Random{kDefaultSeed};
  TExpertTyping Expert{Random};
  std::string Current;
  TSoakTally Tally;
};

void WindowSoakTest::Soak(std::uint64_t seed, long long count) {
  Random = TRandom(seed);
  std::deque<std::string> log;
  const TCrashNoteScope crashScope(seed, log);
  // Said first, so that a crash no handler can note still names the sequence.
  std::fprintf(stderr, "soak seed %llu, %lld actions\n", static_cast<unsigned long long>(seed),
               count);
  bool everShown = false;
  for (long long i = 0; i < count; ++i) {
    const std::size_t kind = PickAction();
    ++Tally.Actions[kind];
    TCrashNoteScope::NoteAction(i);
    const std::size_t firstMessage = Recorder.Records().size();
    const std::string panelsBefore = PanelTexts();
    const bool wasShown = Feedback->isVisible();
    Current = kActions[kind].Name;
    std::string escaped;
    try {
      Run(kActions[kind].Action);
      QCoreApplication::processEvents();
    } catch (const std::exception& e) {
      escaped = std::string("an exception escaped the windows: ") + e.what();
    } catch (...) {
      escaped = "an exception of unknown type escaped the windows";
    }

    const auto& records = Recorder.Records();
    const bool newFit = PanelTexts() != panelsBefore;
    // Appended piece by piece: a chain of operator+ here trips GCC 12's -Wrestrict false
    // positive at -O3 (GCC bug 105329).
    std::string entry = "#";
    entry.append(std::to_string(i)).append(" ").append(Current);
    entry.append(Outcome(firstMessage, newFit));
    bool arithmetic = false;
    for (std::size_t m = firstMessage; m < records.size(); ++m) {
      ++Tally.Messages[static_cast<std::size_t>(records[m].Kind)];
      arithmetic = arithmetic || records[m].Kind == TMessageBoxKind::MathError;
    }
    if (arithmetic && Tally.Arithmetic.size() < kArithmeticShown) {
      Tally.Arithmetic.push_back(entry);
    }
    log.push_back(entry);
    if (log.size() > kLogLength) {
      log.pop_front();
    }

    TProblems problems = CheckAfterAction(firstMessage);
    if (!escaped.empty()) {
      problems.insert(problems.begin(), escaped);
    }
    if (newFit && !Feedback->isVisible()) {
      problems.push_back("the feedback window took another fit without showing it");
    }
    if (!problems.empty()) {
      std::ostringstream report;
      report << "soak seed " << seed << ", action #" << i << " of " << count << ":\n";
      for (const std::string& p : problems) {
        report << "  " << p << "\n";
      }
      report << "last actions:\n";
      for (const std::string& e : log) {
        report << "  " << e << "\n";
      }
      report << "windows after the action:\n" << WindowState();
      ADD_FAILURE() << report.str();
      return;
    }

    Tally.FitsShown += newFit ? 1 : 0;
    Tally.Reopened += !wasShown && Feedback->isVisible() && everShown ? 1 : 0;
    everShown = everShown || Feedback->isVisible();
    if (records.size() > 1000) {
      Recorder.Clear();
    }
  }

  std::ostringstream summary;
  summary << "soak seed " << seed << ": " << count << " actions";
  for (std::size_t k = 0; k < kActions.size(); ++k) {
    summary << (k == 0 ? " (" : ", ") << Tally.Actions[k] << " " << kActions[k].Name;
  }
  summary << "); " << Tally.FitsShown << " showed another fit, " << Tally.Reopened
          << " reopened the feedback window; messages: " << Tally.Messages[0] << " errors, "
          << Tally.Messages[1] << " warnings, " << Tally.Messages[2]
          << " arithmetic-error reports; figures recomputed from the panels "
          << Tally.Figures.Recomputed << " times, not pinned down by them "
          << Tally.Figures.NotPinnedDown << " times; " << Tally.Activations
          << " window activations\n";
  for (const std::string& entry : Tally.Arithmetic) {
    summary << "arithmetic-error report after " << entry << "\n";
  }
  std::fputs(summary.str().c_str(), stdout);
}

TEST_F(WindowSoakTest, ASeededSequenceOfUserActionsKeepsBothWindowsWhole) {
  const auto count = EnvironmentCount("MORVANE_SOAK_ACTIONS", kDefaultActions);
  const auto seed = EnvironmentCount("MORVANE_SOAK_SEED", static_cast<long long>(kDefaultSeed));
  ASSERT_TRUE(count.has_value()) << "MORVANE_SOAK_ACTIONS must be a positive whole number";
  ASSERT_TRUE(seed.has_value()) << "MORVANE_SOAK_SEED must be a positive whole number";
  const char* strict = std::getenv("MORVANE_SOAK_STRICT");
  Strict = strict == nullptr || std::string(strict) != "0";
  Soak(static_cast<std::uint64_t>(*seed), *count);
}

}  // namespace
