#include "NumberPanel.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>

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

// The pixel column the panel may grow to: the next control to its right on the same row,
// else its parent's edge.
int RightLimit(const TPanel& panel) {
  const QWidget* parent = panel.parentWidget();
  if (parent == nullptr) {
    return panel.x() + panel.width();
  }
  int limit = parent->width() - 2;
  for (const QObject* child : parent->children()) {
    const auto* sibling = qobject_cast<const QWidget*>(child);
    if (sibling == nullptr || sibling == &panel || sibling->isWindow()) {
      continue;
    }
    const QRect g = sibling->geometry();
    const bool sameRow = g.top() <= panel.geometry().bottom() && g.bottom() >= panel.y();
    if (sameRow && g.left() > panel.x()) {
      limit = qMin(limit, g.left() - 4);
    }
  }
  return limit;
}

}  // namespace

void ShowNumber(TPanel& panel, Extended value) {
  const QString text = QString::fromStdString(FormatNumber(value));
  panel.SetCaption(text);
  QFont font = ToolkitFont();
  int width = kResultPanelWidth;
  if (NeededWidth(panel, font, text) > width) {
    const int room = RightLimit(panel) - panel.x();
    width = qMax(width, qMin(NeededWidth(panel, font, text), room));
    while (NeededWidth(panel, font, text) > width && font.pixelSize() > kSmallestPixelSize) {
      font.setPixelSize(font.pixelSize() - 1);
    }
  }
  panel.resize(width, panel.height());
  panel.setFont(font);
  const bool shrunk = font.pixelSize() != ToolkitFont().pixelSize();
  panel.setToolTip(shrunk ? text : QString());
}
