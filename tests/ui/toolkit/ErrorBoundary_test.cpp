#include "ErrorBoundary.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FloatErrors.h"
#include "MessageService.h"
#include "QtTestSupport.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "ToolkitPrinters.h"

namespace {

class ErrorBoundaryTest : public ::testing::Test {
 protected:
  TMessageRecorder Recorder;
  THandlerBoundary Boundary{Recorder};
};

TEST_F(ErrorBoundaryTest, ShowsEachKindOfErrorAsItsMessageBox) {
  struct TCase {
    std::function<void()> Handler;
    TMessageRecord Shown;
  };
  const std::vector<TCase> cases = {
      {[] { throw EFitError("The judgements cannot be fitted."); },
       {TMessageBoxKind::Error, "Error", "The judgements cannot be fitted."}},
      {[] { throw EInputError("\"7,0\" is not a number."); },
       {TMessageBoxKind::Error, "Error", "\"7,0\" is not a number."}},
      {[] { throw EInvalidOp(); },
       {TMessageBoxKind::MathError, "Morvane", "Invalid floating point operation."}},
      {[] { throw EZeroDivide(); },
       {TMessageBoxKind::MathError, "Morvane", "Floating point division by zero."}},
      {[] { throw EOverflow(); },
       {TMessageBoxKind::MathError, "Morvane", "Floating point overflow."}},
      {[] { throw std::out_of_range("index out of range"); },
       {TMessageBoxKind::MathError, "Morvane", "index out of range"}},
      {[] { throw 42; }, {TMessageBoxKind::MathError, "Morvane", "Unknown error."}},
  };
  for (const TCase& c : cases) {
    Recorder.Clear();
    Boundary.Run(c.Handler);
    EXPECT_EQ(Recorder.Records(), std::vector<TMessageRecord>{c.Shown}) << c.Shown.Text;
    EXPECT_FALSE(Boundary.Inside());
  }
}

TEST_F(ErrorBoundaryTest, AHandlerThatSucceedsShowsNothing) {
  bool ran = false;
  Boundary.Run([&] { ran = true; });
  Boundary.Run({});
  EXPECT_TRUE(ran);
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(ErrorBoundaryTest, AnErrorInAWidgetHandlerNeverReachesTheEventLoop) {
  QWidget window;
  auto* spin = new TSpinEdit(&window);
  int runs = 0;
  Boundary.Connect(spin, &TSpinEdit::Changed, spin, [&] {
    ++runs;
    throw EOverflow();
  });
  ASSERT_TRUE(ShowActive(window));
  spin->setFocus();
  QTest::keyClick(spin->LineEdit(), Qt::Key_Up);
  QTest::keyClick(spin->LineEdit(), Qt::Key_5);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(spin->Text(), "15") << "what the user did stays done";
  ASSERT_EQ(Recorder.Records().size(), 2u);
  EXPECT_EQ(Recorder.Records()[1].Text, "Floating point overflow.");
}

TEST_F(ErrorBoundaryTest, AButtonPressRunsItsHandlerInsideTheBoundary) {
  QWidget window;
  auto* button = new TButton("Plot Two-Sided Power Graphs", &window);
  button->setGeometry(16, 16, 505, 25);
  int presses = 0;
  Boundary.Connect(button, &TButton::clicked, &window, [&] {
    ++presses;
    throw EFitError("x_s lies outside its feasibility bounds.");
  });
  ASSERT_TRUE(ShowActive(window));
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(Recorder.Records().size(), 2u);
  EXPECT_EQ(Recorder.Records().front().Title, "Error");
}

// The input window's level handler selects the mode switch's first item, which runs the
// switch's handler in the middle of its own.
class NestedHandlerTest : public ErrorBoundaryTest {
 protected:
  void SetUp() override {
    Switch.SetItems({"Power Parameter (n)", "Additional Quantile (x_s)"});
    Switch.SetItemIndex(1);
    Boundary.Connect(&Switch, &TRadioGroup::Clicked, &Switch, [this] {
      Steps.push_back("switch handler");
      if (SwitchFails) {
        throw EZeroDivide();
      }
    });
  }

  void LevelHandler() {
    Steps.push_back("level handler");
    Switch.SetItemIndex(0);
    Steps.push_back("plot");
  }

  TRadioGroup Switch;
  bool SwitchFails = true;
  std::vector<std::string> Steps;
};

TEST_F(NestedHandlerTest, AnInnerErrorEndsTheOuterHandlerAndIsShownOnce) {
  Boundary.Run([this] { LevelHandler(); });
  EXPECT_EQ(Steps, (std::vector<std::string>{"level handler", "switch handler"}));
  EXPECT_EQ(Switch.ItemIndex(), 0) << "what was stored stays stored";
  EXPECT_EQ(Recorder.Records(),
            (std::vector<TMessageRecord>{
                {TMessageBoxKind::MathError, "Morvane", "Floating point division by zero."}}));

  // Nothing is left over for the next handler.
  Recorder.Clear();
  Steps.clear();
  SwitchFails = false;
  Switch.SetItemIndex(1);
  Boundary.Run([this] { LevelHandler(); });
  EXPECT_EQ(Steps, (std::vector<std::string>{"switch handler", "level handler", "switch handler",
                                             "plot"}));
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(NestedHandlerTest, WithoutAnOuterHandlerTheInnerOneShowsItsOwnError) {
  Switch.SetItemIndex(0);  // no exception reaches the caller
  EXPECT_EQ(Steps, (std::vector<std::string>{"switch handler"}));
  EXPECT_EQ(Recorder.Records().size(), 1u);
}

TEST_F(NestedHandlerTest, AnInnerErrorFromASpinEditSetterEndsTheOuterHandler) {
  TSpinEdit level;
  Boundary.Connect(&level, &TSpinEdit::Changed, &level, [] { throw EFitError("no fit"); });
  bool reachedEnd = false;
  Boundary.Run([&] {
    level.StepUp();
    reachedEnd = true;
  });
  EXPECT_FALSE(reachedEnd);
  EXPECT_EQ(level.Text(), "1");
  EXPECT_EQ(Recorder.Records(),
            (std::vector<TMessageRecord>{{TMessageBoxKind::Error, "Error", "no fit"}}));
}

TEST_F(ErrorBoundaryTest, AnInnerErrorRaisedByAFocusChangeIsShownWhenTheOuterHandlerEnds) {
  // Moving the focus from inside a handler makes a spin edit rewrite its text; that
  // handler's error cannot travel back through Qt's focus handling.
  QWidget window;
  auto* level = new TSpinEdit(&window);
  auto* other = new TEdit(&window);
  other->move(0, 40);
  level->SetMaxValue(80);
  Boundary.Connect(level, &TSpinEdit::Changed, level, [level] {
    if (level->Value() == 80) {
      throw EInvalidOp();
    }
  });
  ASSERT_TRUE(ShowActive(window));
  level->setFocus();
  level->SetText("85");
  bool reachedEnd = false;
  Boundary.Run([&] {
    other->setFocus(Qt::OtherFocusReason);
    reachedEnd = true;
    throw EOverflow();  // later than the inner error: not shown
  });
  EXPECT_EQ(level->Text(), "80");
  EXPECT_TRUE(reachedEnd);
  EXPECT_EQ(Recorder.Records(),
            (std::vector<TMessageRecord>{
                {TMessageBoxKind::MathError, "Morvane", "Invalid floating point operation."}}));
}

TEST_F(ErrorBoundaryTest, HandlersInsideAModalLoopShowTheirOwnErrors) {
  Boundary.Run([this] {
    const TModalLoopScope modalLoop(Boundary);
    EXPECT_FALSE(Boundary.Inside());
    Boundary.Run([] { throw EOverflow(); });
    EXPECT_EQ(Recorder.Records().size(), 1u) << "shown at once, not after the outer handler";
  });
  EXPECT_EQ(Recorder.Records().size(), 1u);
}

}  // namespace
