// The chart control on Qt: a widget that owns a TChart and its off-screen buffer. The
// chart is drawn into the buffer only when something changed; a paint event otherwise just
// copies the buffer to the widget.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <vector>

#include "Chart.h"
#include "QtCanvas.h"

class ChartWidget : public QWidget {
  Q_OBJECT

 public:
  explicit ChartWidget(QWidget* parent = nullptr);
  ~ChartWidget() override;

  // The engine chart: titles, axes, series and colours are configured here, and series
  // are fed with ClearPoints and AddPoint. Every change schedules a repaint.
  TChart& Chart() { return chart_; }
  const TChart& Chart() const { return chart_; }
  // The off-screen buffer as last drawn, at the screen's device pixel ratio.
  const QImage& Buffer() const { return buffer_; }
  // Every text the last drawing put on the chart, with its rectangle in widget pixels.
  const std::vector<QtCanvas::TDrawnText>& DrawnTexts() const { return canvas_.DrawnTexts(); }
  // The read-out under the mouse: the nearest point's x and value; empty when none shows.
  // It is drawn over the chart on the screen only.
  const QString& ReadOut() const { return readOut_; }
  // Draws the chart at its present size onto painter, which is active on a device of that
  // size (in logical pixels): lines, shapes and texts as the device takes them, without the
  // read-out. The screen's buffer is left as it is.
  void Render(QPainter& painter);
  // A chart of a fit that no longer answers the judgements: on the screen it is greyed
  // over, and the read-out begins "stale fit: ". Saved and copied images stay as drawn.
  bool IsStale() const { return stale_; }
  void SetStale(bool stale);

  // For assistive technology: what the axes show and over which ranges, as last drawn;
  // the widget's accessible description, kept up to date at every paint.
  QString Description() const;

  QSize sizeHint() const override { return QSize(400, 250); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage buffer_;
  QtCanvas canvas_{buffer_};
  TChart chart_;
  QString readOut_;
  bool stale_ = false;
  QPoint readOutAt_;  // the pointer
  QPoint pointAt_;    // the nearest point
};
