#include "RadioGroup.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <vector>

#include "QtTestSupport.h"

namespace {

// What the group's handler saw when it ran.
struct TClick {
  int Index;
  bool FirstChecked;
  bool SecondChecked;
  friend bool operator==(const TClick&, const TClick&) = default;
};

void PrintTo(const TClick& click, std::ostream* out) {
  *out << "{index " << click.Index << ", checked " << click.FirstChecked << click.SecondChecked
       << '}';
}

// The mode switch: two items side by side, the first selected before the handler is
// connected.
class RadioGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.resize(520, 80);
    Group = new TRadioGroup(&Window);
    Group->setGeometry(16, 8, 481, 49);
    Group->SetColumns(2);
    Group->SetItems({"Power Parameter (n)", "Additional Quantile (x_s)"});
    Group->SetItemIndex(0);
    QObject::connect(Group, &TRadioGroup::Clicked, Group, [this] {
      Clicks.push_back(
          {Group->ItemIndex(), Group->Item(0)->isChecked(), Group->Item(1)->isChecked()});
    });
    ASSERT_TRUE(ShowActive(Window));
  }

  // A click on the item's indicator, where a user clicks.
  void ClickItem(int index) {
    QRadioButton* item = Group->Item(index);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(6, item->height() / 2));
  }

  QWidget Window;
  TRadioGroup* Group = nullptr;
  std::vector<TClick> Clicks;
};

TEST_F(RadioGroupTest, SelectingAnotherIndexChecksItThenRunsTheHandlerOnce) {
  Group->SetItemIndex(1);
  EXPECT_EQ(Clicks, (std::vector<TClick>{{1, false, true}}));
  Group->SetItemIndex(0);
  EXPECT_EQ(Clicks.back(), (TClick{0, true, false}));
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(RadioGroupTest, SelectingTheCurrentIndexDoesNothing) {
  Group->SetItemIndex(0);
  ClickItem(0);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Group->ItemIndex(), 0);
}

TEST_F(RadioGroupTest, AUserClickSelectsLikeTheSetter) {
  ClickItem(1);
  EXPECT_EQ(Clicks, (std::vector<TClick>{{1, false, true}}));
  ClickItem(1);
  EXPECT_EQ(Clicks.size(), 1u);
  ClickItem(0);
  EXPECT_EQ(Clicks.back(), (TClick{0, true, false}));
}

TEST_F(RadioGroupTest, DisablingTheGroupDisablesBothItems) {
  Group->setEnabled(false);
  EXPECT_FALSE(Group->Item(0)->isEnabled());
  EXPECT_FALSE(Group->Item(1)->isEnabled());
  ClickItem(1);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(Group->ItemIndex(), 0);

  Group->setEnabled(true);
  EXPECT_TRUE(Group->Item(0)->isEnabled());
  EXPECT_TRUE(Group->Item(1)->isEnabled());
}

TEST_F(RadioGroupTest, ADisabledGroupStillSelectsFromCode) {
  // A level handler forces the mode back while the switch is disabled.
  Group->SetItemIndex(1);
  Group->setEnabled(false);
  Group->SetItemIndex(0);
  EXPECT_EQ(Clicks.back(), (TClick{0, true, false}));
}

TEST_F(RadioGroupTest, TwoColumnsPutTheItemsSideBySide) {
  const QRect first = Group->Item(0)->geometry();
  const QRect second = Group->Item(1)->geometry();
  EXPECT_EQ(first.top(), second.top());
  EXPECT_GE(second.left(), first.right());
  EXPECT_TRUE(Group->contentsRect().contains(second)) << "the second item lies inside the frame";

  Group->SetItems({"a", "b", "c"});
  EXPECT_TRUE(Group->Item(2)->isVisible()) << "items added on screen show at once";
  EXPECT_GT(Group->Item(2)->geometry().top(), Group->Item(0)->geometry().top());
  EXPECT_EQ(Group->Item(2)->geometry().left(), Group->Item(0)->geometry().left());
}

TEST_F(RadioGroupTest, IndicesBeyondTheItemsAreBroughtBack) {
  Group->SetItemIndex(7);
  EXPECT_EQ(Group->ItemIndex(), 1);
  EXPECT_EQ(Clicks.size(), 1u);
  Group->SetItemIndex(-5);
  EXPECT_EQ(Group->ItemIndex(), -1);
  EXPECT_FALSE(Group->Item(0)->isChecked());
  EXPECT_FALSE(Group->Item(1)->isChecked());
  EXPECT_EQ(Clicks.size(), 1u) << "clearing the selection runs no handler";
  EXPECT_EQ(Group->Item(2), nullptr);
  EXPECT_EQ(Group->Item(-1), nullptr);
}

TEST(RadioGroupEmptyTest, AGroupWithoutItemsSelectsNothing) {
  TRadioGroup group;
  int clicks = 0;
  QObject::connect(&group, &TRadioGroup::Clicked, &group, [&] { ++clicks; });
  group.SetItemIndex(0);
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
}

}  // namespace
