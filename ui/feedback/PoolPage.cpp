#include "PoolPage.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <sstream>
#include <string>

#include "FitSample.h"
#include "NumberPanel.h"
#include "SimpleControls.h"

namespace {

// A result panel named for assistive technology by its caption.
TPanel* CaptionedPanel(QWidget* parent, const QString& name, const QString& caption, int left,
                       int top) {
  TPanel* panel = PagePanel(parent, name, left, top);
  panel->setAccessibleName(caption);
  return panel;
}

// The seed morvane-fit --sample draws with by default.
constexpr std::uint64_t kDrawSeed = 1;

}  // namespace

TPoolPage::TPoolPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PoolPage"));
  PageLabel(this, tr("Quantiles of the pool"), 16, 12);
  for (std::size_t i = 0; i < QuantilePanels.size(); ++i) {
    const int top = 36 + static_cast<int>(i) * 30;
    const QString caption = tr("%1 % quantile").arg(kQuantileLevels[i]);
    PageLabel(this, caption, 16, top + 4);
    QuantilePanels[i] = CaptionedPanel(
        this, QStringLiteral("PoolQuantilePanel%1").arg(kQuantileLevels[i]), caption, 120, top);
  }
  const std::pair<QString, TPanel**> figures[] = {{tr("Lower Bound (a)"), &LowerPanel},
                                                  {tr("Upper Bound (b)"), &UpperPanel},
                                                  {tr("Mean"), &MeanPanel},
                                                  {tr("Standard Deviation"), &StdDevPanel}};
  const char* names[] = {"PoolLowerPanel", "PoolUpperPanel", "PoolMeanPanel", "PoolStdDevPanel"};
  for (std::size_t i = 0; i < std::size(figures); ++i) {
    const int top = 36 + static_cast<int>(i) * 30;
    PageLabel(this, figures[i].first, 300, top + 4);
    *figures[i].second = CaptionedPanel(this, QLatin1String(names[i]), figures[i].first, 460, top);
  }
  PageLabel(this, tr("Weights of the experts"), 300, 160);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("PoolWeightArea"));
  scroll->setGeometry(296, 180, 300, 114);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setAccessibleName(tr("Weights of the experts"));
  scroll->setAccessibleDescription(tr("One weight for each expert in the pool"));
  WeightArea_ = new QWidget(scroll);
  WeightForm_ = new QFormLayout(WeightArea_);
  WeightForm_->setContentsMargins(4, 0, 4, 0);
  scroll->setWidget(WeightArea_);
  PoolNote = new TLabel(QString(), this);
  PoolNote->setObjectName(QStringLiteral("PoolNote"));
  PoolNote->SetAutoSize(false);
  PoolNote->setWordWrap(true);
  PoolNote->setGeometry(300, 296, 296, 30);
  CopyDrawsButton = new QPushButton(tr("Copy %1 Draws").arg(kDrawCount), this);
  CopyDrawsButton->setObjectName(QStringLiteral("CopyPoolDrawsButton"));
  CopyDrawsButton->setAccessibleName(tr("Copy %1 draws from the pool").arg(kDrawCount));
  CopyDrawsButton->setAccessibleDescription(
      tr("Copies draws from the pool, one a line, as morvane-fit --sample writes them"));
  CopyDrawsButton->setGeometry(16, 310, 193, 25);
  connect(CopyDrawsButton, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(DrawsText()); });
}

void TPoolPage::ShowPool(const QStringList& names, const std::vector<double>& weights,
                         const TExpertOverlay& overlay) {
  if (WeightSpins.size() != static_cast<std::size_t>(names.size())) {
    while (WeightForm_->rowCount() > 0)
      WeightForm_->removeRow(0);
    WeightSpins.clear();
    for (qsizetype i = 0; i < names.size(); ++i) {
      auto* spin = new QDoubleSpinBox(WeightArea_);
      spin->setObjectName(QStringLiteral("PoolWeightSpin%1").arg(i + 1));
      spin->setRange(0, 1e6);
      spin->setDecimals(3);
      spin->setSingleStep(0.5);
      // A weight typed digit by digit is one change, once it stands.
      spin->setKeyboardTracking(false);
      spin->setAccessibleDescription(tr("The expert's weight in the pool: 0 or more"));
      auto* caption = new QLabel(WeightArea_);
      caption->setObjectName(QStringLiteral("PoolWeightLabel%1").arg(i + 1));
      caption->setBuddy(spin);
      WeightForm_->addRow(caption, spin);
      WeightSpins.push_back(spin);
      connect(spin, &QDoubleSpinBox::valueChanged, this, &TPoolPage::TakeWeight);
    }
  }
  for (std::size_t i = 0; i < WeightSpins.size(); ++i) {
    const QString name = names[static_cast<qsizetype>(i)];
    QWidget* label = WeightForm_->labelForField(WeightSpins[i]);
    if (auto* caption = qobject_cast<QLabel*>(label))
      caption->setText(fontMetrics().elidedText(name, Qt::ElideRight, 150));
    WeightSpins[i]->setAccessibleName(tr("Weight of %1").arg(name));
    const QSignalBlocker quiet(WeightSpins[i]);
    WeightSpins[i]->setValue(i < weights.size() ? weights[i] : 1);
  }
  ShownWeights_ = EditedWeights();
  Pool_ = overlay.Pool;
  const bool pooled = overlay.Pool.has_value();
  std::vector<std::pair<TPanel*, Extended>> shown{{LowerPanel, overlay.PoolFigures.Lower},
                                                  {UpperPanel, overlay.PoolFigures.Upper},
                                                  {MeanPanel, overlay.PoolFigures.Mean},
                                                  {StdDevPanel, overlay.PoolFigures.StdDev}};
  for (std::size_t k = 0; k < QuantilePanels.size(); ++k)
    shown.emplace_back(QuantilePanels[k], overlay.PoolFigures.Quantiles[k]);
  for (const auto& [panel, value] : shown) {
    if (pooled)
      ShowNumber(*panel, value);
    else
      panel->SetCaption(QString());
  }
  std::size_t unfitted = 0;
  for (const TOverlayCurves& curves : overlay.Experts)
    unfitted += curves.Density.empty() ? 1 : 0;
  PoolNote->SetCaption(!pooled        ? QString::fromStdString(overlay.PoolRefusal)
                       : unfitted > 0 ? tr("The pool leaves out %n expert(s) without a fit.",
                                           nullptr, static_cast<int>(unfitted))
                                      : QString());
  CopyDrawsButton->setEnabled(pooled);
}

void TPoolPage::TakeWeight() {
  const std::vector<double> weights = EditedWeights();
  if (std::any_of(weights.begin(), weights.end(), [](double w) { return w > 0; })) {
    emit WeightsEdited();
    return;
  }
  // The pool needs weight somewhere: the last weight set to 0 goes back to what it was.
  for (std::size_t i = 0; i < WeightSpins.size() && i < ShownWeights_.size(); ++i) {
    const QSignalBlocker quiet(WeightSpins[i]);
    WeightSpins[i]->setValue(ShownWeights_[i]);
  }
  PoolNote->SetCaption(tr("The weights cannot all be 0: at least one expert needs weight."));
}

std::vector<double> TPoolPage::EditedWeights() const {
  std::vector<double> weights;
  for (const QDoubleSpinBox* spin : WeightSpins)
    weights.push_back(spin->value());
  return weights;
}

QString TPoolPage::DrawsText() const {
  if (!Pool_)
    return QString();
  std::ostringstream out;
  WritePoolSample(out, *Pool_, kDrawCount, kDrawSeed);
  return QString::fromStdString(out.str());
}
