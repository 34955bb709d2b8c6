#include "NumberPanel.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QVariant>
#include <utility>

#include "Appearance.h"
#include "NumberText.h"
#include "SimpleControls.h"

namespace {

// The smallest face a number is shrunk to.
constexpr int kSmallestPixelSize = 6;
// Blank pixels on each side of the text, inside the bevel.
constexpr int kPadding = 2;

int NeededWidth(const TPanel& panel, const QFont& font, const QString& text) {
  return QFontMetrics(font).horizontalAdvance(text) + 2 * (panel.frameWidth() + kPadding);
}

// The designed left edge of the panel, noted the first time it shows a number.
int DesignedLeft(TPanel& panel) {
  static constexpr char kProperty[] = "designedLeft";
  const QVariant noted = panel.property(kProperty);
  if (noted.isValid()) {
    return noted.toInt();
  }
  panel.setProperty(kProperty, panel.x());
  return panel.x();
}

// Whether a sibling control shares the panel's row.
bool OnRowOf(const TPanel& panel, const QWidget& sibling) {
  const QRect g = sibling.geometry();
  return g.top() <= panel.geometry().bottom() && g.bottom() >= panel.y();
}

// The pixel columns the panel may take, its designed left edge at left: up to the next
// control to its right on the same row, else its parent's edge; and back to the nearest
// control to its left on that row, else the parent's edge.
std::pair<int, int> Room(const TPanel& panel, int left) {
  const QWidget* parent = panel.parentWidget();
  if (parent == nullptr) {
    return {left, left + panel.width()};
  }
  int leftLimit = 2;
  int rightLimit = parent->width() - 2;
  for (const QObject* child : parent->children()) {
    const auto* sibling = qobject_cast<const QWidget*>(child);
    if (sibling == nullptr || sibling == &panel || sibling->isWindow() || sibling->isHidden() ||
        !OnRowOf(panel, *sibling)) {
      continue;
    }
    const QRect g = sibling->geometry();
    if (g.left() > left) {
      rightLimit = qMin(rightLimit, g.left() - 4);
    } else {
      leftLimit = qMax(leftLimit, g.right() + 1 + 4);
    }
  }
  return {qMin(leftLimit, left), rightLimit};
}

}  // namespace

void ShowNumber(TPanel& panel, Extended value) {
  const QString text = QString::fromStdString(FormatNumber(value));
  panel.SetCaption(text);
  QFont font = ToolkitFont();
  const int designedLeft = DesignedLeft(panel);
  int left = designedLeft;
  int width = kResultPanelWidth;
  const int needed = NeededWidth(panel, font, text);
  if (needed > width) {
    const auto [leftLimit, rightLimit] = Room(panel, designedLeft);
    // Wider to the right first, then to the left, then in a smaller face.
    width = qMax(width, qMin(needed, rightLimit - designedLeft));
    if (needed > width) {
      left = qMax(leftLimit, designedLeft - (needed - width));
      width += designedLeft - left;
    }
    while (NeededWidth(panel, font, text) > width && font.pixelSize() > kSmallestPixelSize) {
      font.setPixelSize(font.pixelSize() - 1);
    }
  }
  panel.setGeometry(left, panel.y(), width, panel.height());
  panel.setFont(font);
  const bool shrunk = font.pixelSize() != ToolkitFont().pixelSize();
  panel.setToolTip(shrunk ? text : QString());
}

TLabel* PageLabel(QWidget* parent, const QString& text, int left, int top) {
  auto* label = new TLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

TPanel* PagePanel(QWidget* parent, const QString& name, int left, int top) {
  auto* panel = new TPanel(parent);
  panel->setObjectName(name);
  panel->SetBevel(TBevel::Lowered);
  panel->setGeometry(left, top, kResultPanelWidth, 25);
  return panel;
}
