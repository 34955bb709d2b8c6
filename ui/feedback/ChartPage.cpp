#include "ChartPage.h"

#include <QResizeEvent>

#include "Appearance.h"
#include "ChartWidget.h"
#include "SimpleControls.h"

ChartPage::ChartPage(QWidget* parent)
    : QWidget(parent), Chart_(new ChartWidget(this)), Caption_(new TPanel(this)) {
  ApplyFont(Caption_, TFontSpec{TTextColour::Maroon, true});
  Caption_->SetBevel(TBevel::Raised);
  // A caption longer than the page breaks onto a second line instead of being cut.
  Caption_->setWordWrap(true);
}

void ChartPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = event->size().width();
  const int height = event->size().height();
  const int chartHeight = qMax(0, height - kCaptionHeight);
  Chart_->setGeometry(0, 0, width, chartHeight);
  Caption_->setGeometry(0, chartHeight, width, qMin(height, kCaptionHeight));
}
