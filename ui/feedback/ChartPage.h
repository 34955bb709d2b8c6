// A page of the feedback window's graph area: one chart above its caption panel. The
// charts' own settings are FeedbackChartSettings.h's.
#pragma once

#include <QWidget>

class ChartWidget;
class TPanel;

// A chart filling the page above a caption panel of fixed height, in maroon bold on a
// raised bevel.
class ChartPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCaptionHeight = 41;

  explicit ChartPage(QWidget* parent = nullptr);

  ChartWidget* Chart() const { return Chart_; }
  TPanel* Caption() const { return Caption_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ChartWidget* Chart_ = nullptr;
  TPanel* Caption_ = nullptr;
};
