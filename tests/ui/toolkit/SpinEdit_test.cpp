#include "SpinEdit.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <climits>
#include <string>
#include <vector>

#include "MessageService.h"
#include "QtTestSupport.h"
#include "SimpleControls.h"

namespace {

// What a change handler saw: the text and the value read at the moment it ran.
struct TSeen {
  QString Text;
  int Value;
  friend bool operator==(const TSeen&, const TSeen&) = default;
};

void PrintTo(const TSeen& seen, std::ostream* out) {
  *out << '"' << seen.Text.toStdString() << "\" -> " << seen.Value;
}

// A window with a level field (0 to 80, holding 10) and an edit to move the focus to.
class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.resize(240, 120);
    Spin = new TSpinEdit(&Window);
    Spin->setGeometry(16, 16, 89, 22);
    Other = new TEdit(&Window);
    Other->setGeometry(16, 56, 89, 21);
    Spin->SetMinValue(0);
    Spin->SetMaxValue(80);
    Spin->SetValue(10);
    // Its refusals beep through the boundary, as in a window.
    Spin->SetHandlerBoundary(&Boundary);
    QObject::connect(Spin, &TSpinEdit::Changed, Spin, [this] {
      Seen.push_back({Spin->Text(), Spin->Value()});
    });
  }

  // Shows the window with the focus in the spin edit.
  void Focus() {
    ASSERT_TRUE(ShowActive(Window));
    Spin->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(Spin->LineEdit()->hasFocus());
  }

  // Replaces the text by typing it, as a user does.
  void Type(const QString& text) {
    QTest::keyClick(Spin->LineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Spin->LineEdit(), text);
  }

  TMessageRecorder Recorder;
  THandlerBoundary Boundary{Recorder};
  QWidget Window;
  TSpinEdit* Spin = nullptr;
  TEdit* Other = nullptr;
  std::vector<TSeen> Seen;
};

TEST_F(SpinEditTest, ReadsTheWholeTextAsAnIntegerElseTheMinimumNeverClamped) {
  Spin->SetMinValue(3);
  struct TCase {
    const char16_t* Text;
    int Value;
  };
  const TCase cases[] = {
      {u"", 3},
      {u"-", 3},
      {u"+", 3},
      {u".", 3},
      {u"1.5", 3},
      {u"1.", 3},
      {u"abc", 3},
      {u"12a", 3},
      {u" 5", 3},
      {u"5 ", 3},
      {u"--5", 3},
      {u"5-", 3},
      {u"\u0663", 3},  // an Arabic-Indic three is no decimal digit here
      {u"+7", 7},
      {u"-3", -3},
      {u"007", 7},
      {u"-0", 0},
      {u"85", 85},
      {u"2147483647", INT_MAX},
      {u"-2147483648", INT_MIN},
      {u"2147483648", 3},
      {u"-2147483649", 3},
      {u"99999999999999999999999999", 3},
  };
  for (const TCase& c : cases) {
    const QString text = QString::fromUtf16(c.Text);
    Spin->SetText(text);
    EXPECT_EQ(Spin->Value(), c.Value) << "text \"" << text.toStdString() << '"';
  }
}

TEST_F(SpinEditTest, AnUnreadableTextFollowsTheCurrentMinimum) {
  Spin->SetText(QString());
  EXPECT_EQ(Spin->Value(), 0);
  Spin->SetMinValue(42);
  EXPECT_EQ(Spin->Value(), 42);
}

TEST_F(SpinEditTest, SettingTheBoundsChangesNeitherTextNorRaisesAChange) {
  Spin->SetMinValue(50);
  Spin->SetMaxValue(60);
  EXPECT_EQ(Spin->Text(), "10");
  Spin->SetMaxValue(5);
  Spin->SetMinValue(-100);
  EXPECT_EQ(Spin->Text(), "10");
  EXPECT_TRUE(Seen.empty());
}

TEST_F(SpinEditTest, EveryChangeOfTheTextRunsTheHandlerWithTheNewTextInPlace) {
  Spin->SetText("10");  // the text it has: no change
  EXPECT_TRUE(Seen.empty());
  Spin->SetText("11");
  Spin->SetValue(12);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{"11", 11}, {"12", 12}}));
  Spin->SetValue(12);
  EXPECT_EQ(Seen.size(), 2u);
}

TEST_F(SpinEditTest, TypingRunsTheHandlerOnEveryKeystroke) {
  Focus();
  Type("85");
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{"8", 8}, {"85", 85}, {"8", 8}}));
}

// -- Stepping ---------------------------------------------------------------------------

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByOne) {
  Focus();
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Up);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Up);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Down);
  QTest::mouseClick(Spin->UpButton(), Qt::LeftButton);
  QTest::mouseClick(Spin->DownButton(), Qt::LeftButton);
  QTest::mouseClick(Spin->DownButton(), Qt::LeftButton);
  EXPECT_EQ(Seen, (std::vector<TSeen>{
                      {"11", 11}, {"12", 12}, {"11", 11}, {"12", 12}, {"11", 11}, {"10", 10}}));
}

TEST_F(SpinEditTest, SteppingAtABoundLeavesTheTextAndRunsNoHandler) {
  Focus();
  Spin->SetText("80");
  Seen.clear();
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Up);
  QTest::mouseClick(Spin->UpButton(), Qt::LeftButton);
  EXPECT_EQ(Spin->Text(), "80");
  Spin->SetText("0");
  Seen.clear();
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Down);
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_TRUE(Seen.empty());
}

TEST_F(SpinEditTest, SteppingFromOutsideTheRangeClampsIntoIt) {
  Spin->SetText("85");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "80");
  Spin->SetText("85");
  Spin->StepDown();
  EXPECT_EQ(Spin->Text(), "80");
  Spin->SetText("-7");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "0");
}

TEST_F(SpinEditTest, SteppingAnUnreadableTextStartsFromTheMinimum) {
  Spin->SetMinValue(5);
  Spin->SetText("-");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "6");
}

TEST_F(SpinEditTest, EqualBoundsMeanNoClamping) {
  Spin->SetMinValue(5);
  Spin->SetMaxValue(5);
  Spin->SetText("10");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "11");
  Spin->SetText("-10");
  Spin->StepDown();
  EXPECT_EQ(Spin->Text(), "-11");
}

TEST_F(SpinEditTest, SteppingBeyondTheIntegerRangeStopsAtItsEnd) {
  Spin->SetMinValue(INT_MAX);
  Spin->SetMaxValue(INT_MAX);
  Spin->SetText("2147483647");
  Seen.clear();
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "2147483647");
  EXPECT_TRUE(Seen.empty());
  Spin->SetText("-2147483648");
  Spin->StepDown();
  EXPECT_EQ(Spin->Text(), "-2147483648");
}

TEST_F(SpinEditTest, AMinimumAboveTheMaximumStillStepsOntoABound) {
  // Coupled levels can cross while a typed level stands.
  Spin->SetMinValue(50);
  Spin->SetMaxValue(40);
  Spin->SetText("45");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "50");
  Spin->StepUp();
  EXPECT_EQ(Spin->Text(), "40");
}

// -- Focus loss --------------------------------------------------------------------------

TEST_F(SpinEditTest, ATypedValueBeyondTheMaximumIsUsedThenRewrittenOnLeaving) {
  Focus();
  Type("85");
  ASSERT_EQ(Seen.back(), (TSeen{"85", 85}));
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Tab);
  ASSERT_TRUE(Other->hasFocus());
  EXPECT_EQ(Seen, (std::vector<TSeen>{{"8", 8}, {"85", 85}, {"80", 80}}));
}

TEST_F(SpinEditTest, ATypedValueBelowTheMinimumIsRewrittenOnLeaving) {
  Focus();
  Type("-5");
  Other->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(Spin->Text(), "0");
  EXPECT_EQ(Seen.back(), (TSeen{"0", 0}));
}

TEST_F(SpinEditTest, LeavingChangesNothingWhenClampingWouldNot) {
  Focus();
  Type("50");
  Seen.clear();
  Other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Spin->Text(), "50");

  Spin->setFocus(Qt::TabFocusReason);
  Type("x");  // refused: the text stays "50"
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Backspace);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Backspace);
  Seen.clear();
  Other->setFocus(Qt::TabFocusReason);  // empty reads the minimum, which clamping keeps
  EXPECT_EQ(Spin->Text(), "");
  EXPECT_TRUE(Seen.empty());
}

TEST_F(SpinEditTest, LeavingWithEqualBoundsKeepsAnyValue) {
  Spin->SetMinValue(5);
  Spin->SetMaxValue(5);
  Focus();
  Type("99");
  Other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Spin->Text(), "99");
}

TEST_F(SpinEditTest, SwitchingToAnotherWindowKeepsTheTypedValue) {
  Focus();
  Type("85");
  QWidget elsewhere;
  elsewhere.resize(100, 50);
  ASSERT_TRUE(ShowActive(elsewhere));
  EXPECT_EQ(Spin->Text(), "85");
  ASSERT_TRUE(ShowActive(Window));
  Other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Spin->Text(), "80");
}

// -- Keys --------------------------------------------------------------------------------

TEST_F(SpinEditTest, TypingTakesDigitsSignsAndTheDecimalPoint) {
  Focus();
  Type("+1-2.3");
  EXPECT_EQ(Spin->Text(), "+1-2.3");
  EXPECT_EQ(Recorder.BeepCount(), 0);
}

TEST_F(SpinEditTest, OtherCharactersAndEnterAreRefusedWithABeep) {
  Focus();
  const Qt::Key refused[] = {Qt::Key_A, Qt::Key_Z,      Qt::Key_Space, Qt::Key_Comma,
                             Qt::Key_E, Qt::Key_Return, Qt::Key_Enter};
  int beeps = 0;
  for (const Qt::Key key : refused) {
    QTest::keyClick(Spin->LineEdit(), key);
    ++beeps;
    EXPECT_EQ(Recorder.BeepCount(), beeps) << "key " << static_cast<int>(key);
  }
  QTest::keyClicks(Spin->LineEdit(), "x/*");
  EXPECT_EQ(Recorder.BeepCount(), beeps + 3);
  EXPECT_EQ(Spin->Text(), "10");
  EXPECT_TRUE(Seen.empty());
}

TEST_F(SpinEditTest, ControlKeysAndNavigationPassWithoutABeep) {
  Focus();
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Home);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Delete);  // "0"
  QTest::keyClick(Spin->LineEdit(), Qt::Key_End);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Backspace);  // ""
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Escape);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Left);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Z, Qt::ControlModifier);  // undo: "0"
  EXPECT_EQ(Recorder.BeepCount(), 0);
  EXPECT_EQ(Seen.front(), (TSeen{"0", 0}));
  EXPECT_EQ(Seen.at(1), (TSeen{"", 0}));
}

TEST_F(SpinEditTest, TheLengthLimitCutsTyping) {
  Spin->SetMaxLength(50);
  Focus();
  Type(QString(60, u'9'));
  EXPECT_EQ(Spin->Text().size(), 50);
  EXPECT_EQ(Spin->Value(), 0);  // far beyond int: the minimum
  EXPECT_EQ(Recorder.BeepCount(), 0);
}

// -- Holding an arrow button ---------------------------------------------------------------

TEST_F(SpinEditTest, HoldingAnArrowRepeatsAfterTheDelayThenAtTheInterval) {
  Spin->SetMaxValue(1000);
  Focus();
  QElapsedTimer clock;
  std::vector<qint64> times;
  QObject::connect(Spin, &TSpinEdit::Changed, Spin, [&] { times.push_back(clock.elapsed()); });
  clock.start();
  QTest::mousePress(Spin->UpButton(), Qt::LeftButton);
  EXPECT_EQ(times.size(), 1u) << "the press steps at once";
  ASSERT_TRUE(WaitFor([&] { return times.size() >= 4; }));
  QTest::mouseRelease(Spin->UpButton(), Qt::LeftButton);
  const std::size_t held = times.size();
  QTest::qWait(3 * TSpinEdit::kRepeatIntervalMs);
  EXPECT_EQ(times.size(), held) << "releasing ends the repeat";

  // Timers may fire late on a busy machine but never early.
  EXPECT_GE(times[1] - times[0], TSpinEdit::kRepeatDelayMs - 5);
  for (std::size_t i = 2; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[i - 1], TSpinEdit::kRepeatIntervalMs - 5) << "step " << i;
  }
  // Each step is a change of its own.
  for (std::size_t i = 0; i < Seen.size(); ++i) {
    EXPECT_EQ(Seen[i].Value, 11 + static_cast<int>(i));
  }
  EXPECT_EQ(Seen.size(), held);
}

TEST_F(SpinEditTest, ADialogOpenedByAStepEndsTheRepeat) {
  Focus();
  QDialog dialog(&Window);
  dialog.setWindowModality(Qt::ApplicationModal);
  QObject::connect(Spin, &TSpinEdit::Changed, &dialog, [&] { dialog.show(); });
  QTest::mousePress(Spin->DownButton(), Qt::LeftButton);
  QTest::qWait(TSpinEdit::kRepeatDelayMs + 4 * TSpinEdit::kRepeatIntervalMs);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{"9", 9}}));
  EXPECT_FALSE(Spin->DownButton()->isDown());
  dialog.hide();
}

}  // namespace

// [SECTION] Typing pause

TEST_F(SpinEditTest, WithATypingPauseATypedNumberRunsTheHandlerOnceWhenItStands) {
  Spin->SetMaxValue(100);
  Spin->SetMinValue(80);
  Spin->SetValue(85);
  Seen.clear();
  Spin->SetTypingPause(50);
  Focus();
  Type(QStringLiteral("90"));
  EXPECT_TRUE(Seen.empty()) << "nothing while the typing goes on";
  EXPECT_TRUE(Spin->HoldsTyping());
  ASSERT_TRUE(WaitFor([&] { return !Seen.empty(); }));
  EXPECT_EQ(Seen, (std::vector<TSeen>{{QStringLiteral("90"), 90}})) << "the whole number, once";

  // "9" could still become 90 to 99: the pause keeps it; Enter settles it and is taken.
  Seen.clear();
  Type(QStringLiteral("9"));
  QTest::qWait(200);
  EXPECT_TRUE(Seen.empty());
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Return);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{QStringLiteral("9"), 9}}));
  EXPECT_EQ(Recorder.BeepCount(), 0);

  // Leaving the field settles a held number too, clamped when it lies outside the range.
  Seen.clear();
  Type(QStringLiteral("95"));
  Other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{QStringLiteral("95"), 95}}));
  Seen.clear();
  Spin->setFocus(Qt::OtherFocusReason);
  Type(QStringLiteral("120"));
  Other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{QStringLiteral("100"), 100}}));

  // The Up key steps at once, and what was held goes with the step.
  Seen.clear();
  Spin->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(Spin->LineEdit(), Qt::Key_Down);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{QStringLiteral("99"), 99}}));
  EXPECT_FALSE(Spin->HoldsTyping());
}
