#include "NumberPanel.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "SimpleControls.h"

namespace {

// A row of the value area: a label and a panel at the left, a label where the next column
// starts, and a panel of the last column near the window's edge.
class NumberPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Row.resize(616, 40);
    First = new TLabel(QStringLiteral("Lower Bound (a)"), &Row);
    First->move(16, 12);
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
  TLabel* First = nullptr;
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

  ShowNumber(*Left, -1.8e40L);
  EXPECT_LT(Left->geometry().right(), Next->x()) << "never over the next column's label";
  EXPECT_GT(Left->x(), First->geometry().right()) << "nor over its own";
  EXPECT_TRUE(Whole(*Left)) << "in a smaller face";
  EXPECT_LT(Left->font().pixelSize(), 11);
  EXPECT_EQ(Left->toolTip(), Left->Caption());

  ShowNumber(*Left, 2.68720904L);
  EXPECT_EQ(Left->width(), kResultPanelWidth) << "back to the designed size";
  EXPECT_EQ(Left->font().pixelSize(), 11);
  EXPECT_TRUE(Left->toolTip().isEmpty());
}

TEST_F(NumberPanelTest, AtTheWindowsEdgeALongTextGrowsLeftThenShrinks) {
  ShowNumber(*Last, 7000000000000.0L);
  EXPECT_LE(Last->geometry().right(), Row.width() - 2);
  EXPECT_LT(Last->x(), 512) << "wider to the left";
  EXPECT_GT(Last->x(), Next->geometry().right()) << "never over the label before it";
  EXPECT_EQ(Last->font().pixelSize(), 11);
  EXPECT_TRUE(Whole(*Last));
  ShowNumber(*Last, 7.0L);
  EXPECT_EQ(Last->geometry(), QRect(512, 8, kResultPanelWidth, 25)) << "back where designed";
  ShowNumber(*Last, 1.0e300L);
  EXPECT_LE(Last->geometry().right(), Row.width() - 2);
  EXPECT_EQ(Last->font().pixelSize(), 6) << "the smallest face";
  EXPECT_EQ(Last->toolTip(), Last->Caption()) << "the whole text, where it cannot show";
}

}  // namespace
