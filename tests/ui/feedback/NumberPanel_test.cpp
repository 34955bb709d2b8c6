#include "NumberPanel.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "SimpleControls.h"

namespace {

// A row of the value area: a panel at the left, a label where the next column starts, and
// a panel of the last column near the window's edge.
class NumberPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Row.resize(616, 40);
    Left = new TPanel(&Row);
    Left->setGeometry(160, 8, kResultPanelWidth, 25);
    Left->SetBevel(TBevel::Lowered);
    Next = new TLabel(QStringLiteral("Median"), &Row);
    Next->move(376, 12);
    Last = new TPanel(&Row);
    Last->setGeometry(512, 8, kResultPanelWidth, 25);
    Last->SetBevel(TBevel::Lowered);
  }

  // Whether the panel's text fits inside its bevel.
  static bool Whole(const TPanel& panel) {
    return QFontMetrics(panel.font()).horizontalAdvance(panel.Caption()) <=
           panel.contentsRect().width();
  }

  QWidget Row;
  TPanel* Left = nullptr;
  TLabel* Next = nullptr;
  TPanel* Last = nullptr;
};

TEST_F(NumberPanelTest, ANumberFromZeroToTenKeepsTheDesignedPanel) {
  for (TPanel* panel : {Left, Last}) {
    ShowNumber(*panel, 7.81406010L);
    EXPECT_EQ(panel->Caption(), "7.81406010");
    EXPECT_EQ(panel->width(), kResultPanelWidth);
    EXPECT_EQ(panel->font().pixelSize(), 11);
    EXPECT_TRUE(Whole(*panel));
    EXPECT_TRUE(panel->toolTip().isEmpty());
  }
}

TEST_F(NumberPanelTest, ALongerTextWidensThePanelUpToItsNeighbour) {
  ShowNumber(*Left, -33448.00604112L);
  EXPECT_EQ(Left->Caption(), "-33448.00604112");
  EXPECT_GT(Left->width(), kResultPanelWidth);
  EXPECT_EQ(Left->font().pixelSize(), 11);
  EXPECT_TRUE(Whole(*Left));

  ShowNumber(*Left, -1.8e30L);
  EXPECT_LT(Left->geometry().right(), Next->x()) << "never over the next column's label";
  EXPECT_TRUE(Whole(*Left)) << "in a smaller face";
  EXPECT_LT(Left->font().pixelSize(), 11);
  EXPECT_EQ(Left->toolTip(), Left->Caption());

  ShowNumber(*Left, 2.68720904L);
  EXPECT_EQ(Left->width(), kResultPanelWidth) << "back to the designed size";
  EXPECT_EQ(Left->font().pixelSize(), 11);
  EXPECT_TRUE(Left->toolTip().isEmpty());
}

TEST_F(NumberPanelTest, AtTheWindowsEdgeALongTextShrinksInstead) {
  ShowNumber(*Last, 238427.68746083L);
  EXPECT_LE(Last->geometry().right(), Row.width() - 2);
  EXPECT_TRUE(Whole(*Last));
  ShowNumber(*Last, 1.0e300L);
  EXPECT_LE(Last->geometry().right(), Row.width() - 2);
  EXPECT_EQ(Last->font().pixelSize(), 6) << "the smallest face";
  EXPECT_EQ(Last->toolTip(), Last->Caption()) << "the whole text, where it cannot show";
}

}  // namespace
