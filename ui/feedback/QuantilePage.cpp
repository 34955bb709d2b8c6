#include "QuantilePage.h"

#include <optional>
#include <string>

#include "Accessibility.h"
#include "ErrorBoundary.h"
#include "FloatErrors.h"
#include "NumberPanel.h"
#include "NumberText.h"
#include "PlotComputation.h"
#include "SimpleControls.h"
#include "Translations.h"

namespace {

TEdit* PageEdit(QWidget* parent, const char* name, int left, int top) {
  auto* edit = new TEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setGeometry(left, top, 89, 21);
  return edit;
}

}  // namespace

TQuantilePage::TQuantilePage(THandlerBoundary& boundary, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("QuantilePage"));
  PageLabel(this, tr("Fitted quantiles"), 16, 12);
  for (std::size_t i = 0; i < QuantilePanels.size(); ++i) {
    const int top = 36 + static_cast<int>(i) * 30;
    PageLabel(this, tr("%1 % quantile").arg(kQuantileLevels[i]), 16, top + 4);
    const std::string name = "QuantilePanel" + std::to_string(kQuantileLevels[i]);
    QuantilePanels[i] = PagePanel(this, QString::fromStdString(name), 120, top);
  }
  PageLabel(this, tr("x"), 300, 40);
  XEdit = PageEdit(this, "XEdit", 420, 36);
  PageLabel(this, tr("P(X <= x)"), 300, 70);
  AtMostPanel = PagePanel(this, "AtMostPanel", 420, 66);
  PageLabel(this, tr("x1"), 300, 130);
  X1Edit = PageEdit(this, "X1Edit", 420, 126);
  PageLabel(this, tr("x2"), 300, 160);
  X2Edit = PageEdit(this, "X2Edit", 420, 156);
  PageLabel(this, tr("P(x1 < X <= x2)"), 300, 190);
  BetweenPanel = PagePanel(this, "BetweenPanel", 420, 186);
  for (std::size_t i = 0; i < QuantilePanels.size(); ++i) {
    SetAccessibleTexts(QuantilePanels[i], tr("%1 % quantile").arg(kQuantileLevels[i]));
  }
  SetAccessibleTexts(XEdit, tr("x"), tr("A value x, for the probability P(X <= x)"));
  SetAccessibleTexts(AtMostPanel, tr("P(X <= x)"));
  SetAccessibleTexts(X1Edit, tr("x1"), tr("The lower end of an interval from x1 to x2"));
  SetAccessibleTexts(X2Edit, tr("x2"), tr("The upper end of an interval from x1 to x2"));
  SetAccessibleTexts(BetweenPanel, tr("P(x1 < X <= x2)"));
  for (TEdit* edit : {XEdit, X1Edit, X2Edit}) {
    boundary.Connect(edit, &QLineEdit::textChanged, this, [this] { RefreshProbabilities(); });
  }
}

void TQuantilePage::ShowFit(const TwoSidedPower& fit, const QString& lowerQuantile,
                            const QString& upperQuantile) {
  Fit_ = fit;
  HasFit_ = true;
  // Filling the fields refreshes the probabilities; the quantiles are refreshed below. A
  // field follows the judgements of each new fit until the expert types into it.
  const auto follow = [](TEdit* edit, QString& written, const QString& text) {
    if (edit->Text().isEmpty() || edit->Text() == written) {
      written = text;
      edit->SetText(text);
    }
  };
  follow(XEdit, Written_[0], upperQuantile);
  follow(X1Edit, Written_[1], lowerQuantile);
  follow(X2Edit, Written_[2], upperQuantile);
  Refresh();
}

void TQuantilePage::Refresh() {
  const std::array<Extended, 9> quantiles = FittedQuantiles(Fit_);
  for (std::size_t i = 0; i < quantiles.size(); ++i) {
    ShowNumber(*QuantilePanels[i], quantiles[i]);
  }
  RefreshProbabilities();
}

void TQuantilePage::RefreshProbabilities() {
  if (!HasFit_) {
    return;
  }
  // Typing is not interrupted by message boxes: what cannot be read is said in the tooltip.
  const auto read = [](TEdit* edit, const char* name, TPanel* panel) -> std::optional<Extended> {
    try {
      return ReadNumberText(name, edit->Text().toStdString());
    } catch (const EInputError& e) {
      panel->SetCaption(QString());
      panel->setToolTip(TranslatedSystemText(e.what()));
      return std::nullopt;
    }
  };
  if (const auto x = read(XEdit, "x", AtMostPanel)) {
    TFloatScope scope;
    ShowNumber(*AtMostPanel, Cdf(Fit_, *x));
    AtMostPanel->setToolTip(QString());
  }
  const auto x1 = read(X1Edit, "x1", BetweenPanel);
  const auto x2 = x1 ? read(X2Edit, "x2", BetweenPanel) : std::nullopt;
  if (x1 && x2) {
    ShowNumber(*BetweenPanel, ProbabilityBetween(Fit_, *x1, *x2));
    BetweenPanel->setToolTip(QString());
  }
}
