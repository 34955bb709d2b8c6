#include "SimpleControls.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRadioButton>
#include <QWidget>
#include <string>
#include <vector>

#include "Appearance.h"
#include "QtTestSupport.h"
#include "RadioGroup.h"
#include "SpinEdit.h"

namespace {

bool IsMaroonish(QColor c) {
  return c.red() > 90 && c.green() < 70 && c.blue() < 70;
}

// How many pixels of the area are drawn in a maroon shade.
int MaroonPixels(const QImage& image, const QRect& area) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      count += IsMaroonish(image.pixelColor(x, y)) ? 1 : 0;
    }
  }
  return count;
}

int Brightness(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y));
}

TEST(AppearanceTest, TheToolkitFontIsAnInstalledSansFaceElevenPixelsHigh) {
  const QFontInfo regular(ToolkitFont());
  EXPECT_EQ(regular.pixelSize(), 11);
  EXPECT_FALSE(regular.bold());
  const std::string family = regular.family().toStdString();
  EXPECT_TRUE(family == "Liberation Sans" || family == "DejaVu Sans") << family;
  EXPECT_TRUE(QFontInfo(ToolkitFont({TTextColour::Maroon, true})).bold());
}

TEST(GroupBoxTest, TheCaptionFontStaysOnTheCaption) {
  QWidget window;
  window.resize(540, 160);
  auto* box = new TGroupBox("Basic Information Specification", &window);
  box->setGeometry(16, 8, 513, 129);
  box->SetCaptionFont({TTextColour::Maroon, true});
  auto* label = new TLabel("Lower Quantile (a_p)", box);
  label->move(16, 28);
  auto* edit = new TEdit(box);
  edit->setGeometry(168, 24, 89, 21);
  edit->SetText("6.5");
  auto* spin = new TSpinEdit(box);
  spin->setGeometry(392, 24, 89, 22);
  auto* panel = new TPanel(box);
  panel->setGeometry(168, 56, 89, 25);
  panel->SetCaption("Panel1");
  auto* group = new TRadioGroup(box);
  group->setGeometry(16, 88, 300, 30);
  group->SetItems({"Power Parameter (n)"});
  ASSERT_TRUE(ShowActive(window));

  EXPECT_TRUE(box->font().bold());
  const std::vector<const QWidget*> children = {label, edit,  spin,          spin->LineEdit(),
                                                panel, group, group->Item(0)};
  for (const QWidget* child : children) {
    EXPECT_FALSE(child->font().bold()) << child->metaObject()->className();
    EXPECT_EQ(child->font().pixelSize(), 11) << child->metaObject()->className();
  }

  const QImage image = window.grab().toImage();
  const QRect caption(box->x(), box->y(), box->width(), 14);
  EXPECT_GT(MaroonPixels(image, caption), 20) << "the caption is drawn maroon";
  const QRect rows(box->x() + 4, box->y() + 20, box->width() - 8, box->height() - 24);
  EXPECT_EQ(MaroonPixels(image, rows), 0) << "the controls inside are not";
}

TEST(PanelTest, ALoweredBevelIsDarkAtTopLeftAndARaisedOneLightThere) {
  QWidget window;
  window.resize(240, 60);
  auto* lowered = new TPanel(&window);
  lowered->setGeometry(8, 8, 89, 25);
  lowered->SetBevel(TBevel::Lowered);
  auto* raised = new TPanel(&window);
  raised->setGeometry(120, 8, 89, 25);
  ASSERT_TRUE(ShowActive(window));
  const QImage low = lowered->grab().toImage();
  const QImage high = raised->grab().toImage();
  EXPECT_LT(Brightness(low, 0, 12), Brightness(low, 88, 12));
  EXPECT_LT(Brightness(low, 44, 0), Brightness(low, 44, 24));
  EXPECT_GT(Brightness(high, 0, 12), Brightness(high, 88, 12));
  EXPECT_GT(Brightness(high, 44, 0), Brightness(high, 44, 24));
}

TEST(PanelTest, TheCaptionIsCentred) {
  TPanel panel;
  panel.resize(200, 41);
  panel.SetCaption("CDF");
  EXPECT_EQ(panel.alignment(), Qt::AlignCenter);
  const QImage image = panel.grab().toImage();
  int left = image.width();
  int right = -1;
  for (int y = 2; y < image.height() - 2; ++y) {
    for (int x = 2; x < image.width() - 2; ++x) {
      if (Brightness(image, x, y) < 100) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  ASSERT_GE(right, left) << "the caption is drawn";
  EXPECT_NEAR(left + right, image.width() - 1, 4) << "as much space on each side";
}

TEST(LabelTest, ALabelGrowsToShowItsWholeCaption) {
  QWidget window;
  auto* label = new TLabel("Mode", &window);
  label->SetCaption("anti-mode (When 0<n<1 m is an anti-mode!)");
  const QFontMetrics metrics(label->font());
  EXPECT_GE(label->width(), metrics.horizontalAdvance(label->Caption()));
  EXPECT_GE(label->height(), metrics.height());
}

TEST(TabbedNotebookTest, PagesKeepTheirOrderAndTheFirstIsSelected) {
  TTabbedNotebook notebook;
  const char* tabs[] = {"PDF", "CDF", "Mode Probability", "Lower Bound", "Upper Bound"};
  for (const char* tab : tabs) {
    ASSERT_NE(notebook.AddPage(tab), nullptr);
  }
  ASSERT_EQ(notebook.PageCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(notebook.tabText(i).toStdString(), tabs[i]);
  }
  EXPECT_EQ(notebook.PageIndex(), 0);
  notebook.SetPageIndex(3);
  notebook.SetPageIndex(9);
  notebook.SetPageIndex(-1);
  EXPECT_EQ(notebook.PageIndex(), 3);
  EXPECT_EQ(notebook.Page(3), notebook.currentWidget());
}

TEST(EditTest, TakesTextOfAnyLengthTypedSetOrPasted) {
  TEdit edit;
  const QString longText(100'000, u'7');
  edit.SetText(longText);
  EXPECT_EQ(edit.Text().size(), longText.size()) << "set";
  edit.clear();
  edit.insert(longText);  // what a paste does
  edit.insert(QStringLiteral("5"));
  EXPECT_EQ(edit.Text().size(), longText.size() + 1) << "pasted, then typed";
}

}  // namespace
