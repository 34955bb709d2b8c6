#include "ChartWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  // The buffer covers the whole widget: Qt never erases the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  chart_.SetSize(width(), height());
  chart_.SetRepaintRequest([this] { update(); });
}

ChartWidget::~ChartWidget() {
  chart_.SetRepaintRequest(nullptr);
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter window(this);
  canvas_.SetWindowPainter(&window);
  chart_.Paint(canvas_);
  canvas_.SetWindowPainter(nullptr);
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
  chart_.SetSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void ChartWidget::moveEvent(QMoveEvent* event) {
  chart_.Invalidate();
  QWidget::moveEvent(event);
}
