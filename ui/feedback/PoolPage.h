// The "Pool" page of the feedback window, there while the elicitation has two or more
// experts: each expert's weight in the linear pool (editable), the pool's support, mean,
// standard deviation and quantiles at the levels of the "Quantiles" page, and a command that
// copies draws from the pool, the draws morvane-fit --sample gives with its default seed.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "ExpertOverlay.h"

class QDoubleSpinBox;
class QFormLayout;
class QPushButton;
class TLabel;
class TPanel;

class TPoolPage : public QWidget {
  Q_OBJECT

 public:
  // How many draws the copy command copies.
  static constexpr int kDrawCount = 1000;

  explicit TPoolPage(QWidget* parent = nullptr);

  // Shows the experts' names and weights and the pool's figures; a pool that could not be
  // formed leaves the figures empty and says why.
  void ShowPool(const QStringList& names, const std::vector<double>& weights,
                const TExpertOverlay& overlay);
  // The draws the copy command copies, one a line; empty without a pool.
  QString DrawsText() const;
  // The weights as the spin boxes hold them, in the experts' order.
  std::vector<double> EditedWeights() const;

  std::array<TPanel*, kQuantileLevels.size()> QuantilePanels{};
  TPanel* LowerPanel = nullptr;
  TPanel* UpperPanel = nullptr;
  TPanel* MeanPanel = nullptr;
  TPanel* StdDevPanel = nullptr;
  TLabel* PoolNote = nullptr;  // why there is no pool, or which experts it leaves out
  std::vector<QDoubleSpinBox*> WeightSpins;
  QPushButton* CopyDrawsButton = nullptr;

 signals:
  // The expert changed a weight (EditedWeights).
  void WeightsEdited();

 private:
  // Passes a weight on, unless it leaves every weight 0: then it puts the weights back and
  // says why.
  void TakeWeight();

  std::vector<double> ShownWeights_;
  QWidget* WeightArea_ = nullptr;
  QFormLayout* WeightForm_ = nullptr;
  std::optional<LinearPool> Pool_;
};
