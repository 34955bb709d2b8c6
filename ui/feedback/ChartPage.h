// A page of the feedback window's graph area: one chart above its caption panel. The
// charts' own settings are FeedbackChartSettings.h's.
#pragma once

#include <QWidget>

class ChartWidget;
class QScrollArea;
class TPanel;

// A chart filling the page above a caption panel of fixed height, in maroon bold on a
// raised bevel.
class ChartPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCaptionHeight = 41;
  // Below this size the page keeps it and the scroll area it stands in scrolls: a chart
  // never shrinks to nothing.
  static constexpr int kMinimumWidth = 320;
  static constexpr int kMinimumChartHeight = 160;

  explicit ChartPage(QWidget* parent = nullptr);

  // A page filling `tab`, inside a scroll area that scrolls once the tab is smaller than
  // the page's minimum size.
  static ChartPage* FillTab(QWidget* tab);

  ChartWidget* Chart() const { return Chart_; }
  TPanel* Caption() const { return Caption_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ChartWidget* Chart_ = nullptr;
  TPanel* Caption_ = nullptr;
};
