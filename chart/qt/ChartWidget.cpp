#include "ChartWidget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ValueFormat.h"

namespace {

TColor ToTColor(const QColor& colour) {
  const QRgb rgb = colour.rgb();
  return static_cast<TColor>(qRed(rgb)) | static_cast<TColor>(qGreen(rgb)) << 8 |
         static_cast<TColor>(qBlue(rgb)) << 16;
}

QColor Blend(const QColor& first, const QColor& second) {
  return QColor((first.red() + second.red()) / 2, (first.green() + second.green()) / 2,
                (first.blue() + second.blue()) / 2);
}

// The scheme of a palette: the paper of Base and the ink of Text; on light paper the grid
// and bevels keep their designed greys, so the chart of a light palette is the designed one.
TChartColourScheme SchemeOf(const QPalette& palette) {
  TChartColourScheme scheme;
  scheme.Paper = ToTColor(palette.color(QPalette::Base));
  scheme.Ink = ToTColor(palette.color(QPalette::Text));
  if (IsDarkPaper(scheme.Paper)) {
    scheme.Grid = ToTColor(Blend(palette.color(QPalette::Mid), palette.color(QPalette::Midlight)));
    scheme.Face = ToTColor(palette.color(QPalette::Window));
  }
  return scheme;
}

QString AxisText(double value) {
  // Not the locale's digits: the chart's own numbers are written the same everywhere.
  return QString::number(value, 'g', 6);
}

}  // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  // The buffer covers the whole widget: Qt never erases the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  chart_.SetSize(width(), height());
  chart_.SetRepaintRequest([this] { update(); });
  setMouseTracking(true);
}

ChartWidget::~ChartWidget() {
  chart_.SetRepaintRequest(nullptr);
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/) {
  // A buffer of the screen's pixels: drawn anew when the window meets another screen.
  if (canvas_.DevicePixelRatio() != devicePixelRatioF()) {
    canvas_.SetDevicePixelRatio(devicePixelRatioF());
    chart_.Invalidate();
  }
  if (const TChartColourScheme scheme = SchemeOf(palette()); scheme != canvas_.ColourScheme()) {
    canvas_.SetColourScheme(scheme);
    chart_.Invalidate();
  }
  QPainter window(this);
  canvas_.SetWindowPainter(&window);
  chart_.Paint(canvas_);
  canvas_.SetWindowPainter(nullptr);
  if (const QString description = Description(); description != accessibleDescription()) {
    setAccessibleDescription(description);
  }
  if (stale_) {
    window.fillRect(rect(), QColor(128, 128, 128, 96));
  }
  if (readOut_.isEmpty()) {
    return;
  }
  // Drawn over the copied buffer, so the chart itself is not redrawn as the mouse moves.
  window.setRenderHint(QPainter::Antialiasing, true);
  window.setPen(QPen(palette().color(QPalette::ToolTipText), 1));
  window.setBrush(Qt::NoBrush);
  window.drawEllipse(pointAt_, 5, 5);
  const QFontMetrics metrics(font());
  const QRect text = metrics.boundingRect(readOut_);
  QRect box(0, 0, text.width() + 8, metrics.height() + 4);
  box.moveTopLeft(readOutAt_ + QPoint(14, 14));
  // Kept inside the chart: turned to the other side of the pointer near an edge.
  if (box.right() >= width()) {
    box.moveRight(readOutAt_.x() - 14);
  }
  if (box.bottom() >= height()) {
    box.moveBottom(readOutAt_.y() - 14);
  }
  window.setRenderHint(QPainter::Antialiasing, false);
  window.setBrush(palette().color(QPalette::ToolTipBase));
  window.drawRect(box.adjusted(0, 0, -1, -1));
  window.drawText(box, Qt::AlignCenter, readOut_);
}

QString ChartWidget::Description() const {
  const auto title = [](const TChartAxis& axis) {
    return QString::fromStdString(axis.Title().Caption());
  };
  const TChartAxis& bottom = chart_.BottomAxis();
  const TChartAxis& left = chart_.LeftAxis();
  int points = 0;
  for (int s = 0; s < chart_.SeriesCount(); ++s) {
    points += chart_.Series(s)->Active() ? chart_.Series(s)->PointCount() : 0;
  }
  if (points == 0) {
    return tr("%1 against %2; nothing plotted yet").arg(title(left), title(bottom));
  }
  return tr("%1 from %2 to %3 against %4 from %5 to %6")
      .arg(title(left), AxisText(left.EffectiveMinimum()), AxisText(left.EffectiveMaximum()),
           title(bottom), AxisText(bottom.EffectiveMinimum()), AxisText(bottom.EffectiveMaximum()));
}

void ChartWidget::Render(QPainter& painter) {
  QtCanvas canvas(painter);
  chart_.Draw(canvas);
}

void ChartWidget::SetStale(bool stale) {
  if (stale_ == stale) {
    return;
  }
  stale_ = stale;
  if (!readOut_.isEmpty()) {
    // The read-out names the fit it reads: taken anew at the next move.
    readOut_.clear();
  }
  update();
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  // The nearest point on the screen of every active series.
  long long best = -1;
  const TChartSeries* series = nullptr;
  int index = -1;
  for (int s = 0; s < chart_.SeriesCount(); ++s) {
    const TChartSeries* candidate = chart_.Series(s);
    if (!candidate->Active()) {
      continue;
    }
    for (int i = 0; i < candidate->PointCount(); ++i) {
      int x = 0;
      int y = 0;
      if (candidate->IsNull(i) || !candidate->PlacePoint(i, x, y)) {
        continue;
      }
      const long long dx = x - at.x();
      const long long dy = y - at.y();
      if (best < 0 || dx * dx + dy * dy < best) {
        best = dx * dx + dy * dy;
        series = candidate;
        index = i;
        pointAt_ = QPoint(x, y);
      }
    }
  }
  const QString before = readOut_;
  readOut_.clear();
  if (series != nullptr && chart_.PlotRect().Left <= at.x() && at.x() <= chart_.PlotRect().Right &&
      chart_.PlotRect().Top <= at.y() && at.y() <= chart_.PlotRect().Bottom) {
    const std::string x = FormatReadable("#,##0.####", series->XValue(index), 5);
    const std::string y = FormatReadable("#,##0.####", series->YValue(index), 5);
    readOut_ = (stale_ ? tr("stale fit: ") : QString()) + QString::fromStdString(x + ", " + y);
  }
  readOutAt_ = at;
  if (!readOut_.isEmpty() || !before.isEmpty()) {
    update();
  }
  QWidget::mouseMoveEvent(event);
}

void ChartWidget::leaveEvent(QEvent* event) {
  if (!readOut_.isEmpty()) {
    readOut_.clear();
    update();
  }
  QWidget::leaveEvent(event);
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
  chart_.SetSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void ChartWidget::moveEvent(QMoveEvent* event) {
  chart_.Invalidate();
  QWidget::moveEvent(event);
}
