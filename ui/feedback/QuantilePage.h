// The "Quantiles" page of the feedback window: the fitted quantiles at fixed levels, the
// probability at or below a chosen x, and the probability of a chosen interval, all in
// number text and refreshed with every fit and every edit of the three fields.
#pragma once

#include <QWidget>
#include <array>

#include "TwoSidedPower.h"

class TEdit;
class THandlerBoundary;
class TLabel;
class TPanel;

class TQuantilePage : public QWidget {
  Q_OBJECT

 public:
  // Its field handlers run inside the boundary.
  explicit TQuantilePage(THandlerBoundary& boundary, QWidget* parent = nullptr);

  // Takes the fit to show. Fields still empty start from the judgements: x at b_r, the
  // interval from a_p to b_r.
  void ShowFit(const TwoSidedPower& fit, const QString& lowerQuantile,
               const QString& upperQuantile);

  std::array<TPanel*, 9> QuantilePanels{};  // at 1, 5, 10, 25, 50, 75, 90, 95, 99 %
  TEdit* XEdit = nullptr;
  TPanel* AtMostPanel = nullptr;  // P(X <= x)
  TEdit* X1Edit = nullptr;
  TEdit* X2Edit = nullptr;
  TPanel* BetweenPanel = nullptr;  // P(x1 < X <= x2)

 private:
  void Refresh();
  // A field that is not a number leaves its panel empty, with the reason as its tooltip.
  void RefreshProbabilities();

  TwoSidedPower Fit_;
  bool HasFit_ = false;
};
