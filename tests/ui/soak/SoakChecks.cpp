#include "SoakChecks.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <sstream>
#include <utility>

#include "ChartSeries.h"
#include "Elicitation.h"
#include "ExtendedMath.h"
#include "FeedbackWindow.h"
#include "FloatErrors.h"
#include "InputWindow.h"
#include "NumberText.h"
#include "PlotComputation.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "TwoSidedPower.h"

namespace {

std::string Name(const QObject* object) {
  return object->objectName().toStdString();
}

std::string Text(const TPanel* panel) {
  return panel->Caption().toStdString();
}

// [SECTION] Mode fields

bool Shown(const QWidget* control) {
  return control->isVisibleTo(control->window()) && control->isEnabled();
}

bool Hidden(const QWidget* control) {
  return !control->isVisibleTo(control->window());
}

const QString kPowerDensityCaption = QStringLiteral(
    "Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power parameter n");
const QString kExtraDensityCaption =
    QStringLiteral("Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m");
const QString kPowerDistributionCaption = QStringLiteral(
    "Two-Sider Power CDF with specified quantiles, a_p, b_r, parameter m and power parameter n");
const QString kExtraDistributionCaption =
    QStringLiteral("Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m");
const QString kDesignDensityCaption = QStringLiteral(
    "Two-Sider Power density function with specified quantiles, a_p, b_r, mode m and power "
    "parameter n");
const QString kDesignDistributionCaption = QStringLiteral(
    "Two-Sider Power CDF with specified quantiles, a_p, b_r, mode m and power parameter n");

// [SECTION] Numbers read back from panels

std::optional<Extended> PanelNumber(const TPanel* panel) {
  try {
    const Extended value = ReadNumberText(Name(panel), Text(panel));
    return std::isfinite(value) ? std::optional<Extended>(value) : std::nullopt;
  } catch (const EFitError&) {
    return std::nullopt;
  }
}

// The five figures a fit puts in the panels of the median, the mean, the standard deviation
// and the two credibility limits.
constexpr std::size_t kFigureCount = 5;
using TFigures = std::array<Extended, kFigureCount>;
constexpr std::array<const char*, kFigureCount> kFigureNames = {
    "median", "mean", "standard deviation", "lower credibility limit", "upper credibility limit"};

TFigures FiguresOf(Extended a, Extended b, Extended m, Extended n, int level) {
  const TwoSidedPower fit(a, m, b, n);
  const TFloatScope scope;
  const Extended tail = Checked(static_cast<Extended>(level) / 100 * 0.5L);
  return {Quantile(fit, 0.5L), Mean(fit), StdDev(fit), Quantile(fit, tail),
          Quantile(fit, Checked(1 - tail))};
}

// How far the number behind a panel may lie from the number its text reads: half a unit in
// the 8th decimal, and the reading's own rounding to extended precision.
Extended RoundingOf(Extended shown) {
  return 0.5e-8L + std::fabs(shown) * 0x1p-62L;
}

std::array<const TPanel*, kFigureCount> FigurePanels(const FeedbackWindow& f) {
  return {f.MedianPanel, f.MeanPanel, f.StdDevPanel, f.LowerCredibilityPanel,
          f.UpperCredibilityPanel};
}

// The figures recomputed from the panels of a, b, m and n. The fit behind the panels lies in
// the box of its rounding around them. The figures are smooth in a, b, m and n and, over a
// box this small, monotone in each unless a turning point lies inside, where their change is
// of second order; so the figures of the true fit lie within the range the box's 16 corners
// span, widened by that range once more. Each figure panel adds the rounding of its own text,
// and every evaluation its arithmetic error, allowed at 2^-56 (256 units in the last place)
// of the numbers involved; for the standard deviation that error is E[Y^2]/Var[Y] times
// larger, from the cancellation in E[Y^2] - E[Y]^2 of the standardized Y = (X - a)/(b - a),
// which in the units of X is sd + (mean - a)^2/sd.
void CheckFiguresFromPanels(const FeedbackWindow& f, TProblems& problems, TShownFitTally& tally) {
  const auto a = PanelNumber(f.LowerBoundPanel);
  const auto b = PanelNumber(f.UpperBoundPanel);
  const auto n = PanelNumber(f.PowerPanel);
  const auto m = PanelNumber(f.ModePanel);
  if (!a || !b || !n || !m) {
    problems.push_back("a panel of a, b, n or m shows no finite number");
    return;
  }
  const Extended da = RoundingOf(*a);
  const Extended db = RoundingOf(*b);
  const Extended dm = RoundingOf(*m);
  const Extended dn = RoundingOf(*n);
  if (!(*n - dn > 0 && *a + da < *m - dm && *m + dm < *b - db)) {
    ++tally.NotPinnedDown;
    return;
  }
  const int level = f.CredibilitySpin->Value();
  TFigures low;
  TFigures high;
  low.fill(INFINITY);
  high.fill(-INFINITY);
  try {
    for (int corner = 0; corner < 16; ++corner) {
      const auto side = [corner](int bit, Extended v, Extended d) {
        return (corner >> bit & 1) != 0 ? v + d : v - d;
      };
      const TFigures figures =
          FiguresOf(side(0, *a, da), side(1, *b, db), side(2, *m, dm), side(3, *n, dn), level);
      for (std::size_t k = 0; k < kFigureCount; ++k) {
        low[k] = std::min(low[k], figures[k]);
        high[k] = std::max(high[k], figures[k]);
      }
    }
  } catch (const EMathError& e) {
    std::ostringstream out;
    out << "a fit next to the panels' a = " << Text(f.LowerBoundPanel)
        << ", b = " << Text(f.UpperBoundPanel) << ", m = " << Text(f.ModePanel)
        << ", n = " << Text(f.PowerPanel) << " raises an arithmetic error: " << e.what();
    problems.push_back(out.str());
    return;
  }
  ++tally.Recomputed;
  const Extended scale = std::fabs(*a) + std::fabs(*b) + std::fabs(*m);
  const auto panels = FigurePanels(f);
  for (std::size_t k = 0; k < kFigureCount; ++k) {
    const auto shown = PanelNumber(panels[k]);
    if (!shown) {
      problems.push_back(Name(panels[k]) + " shows no finite number: \"" + Text(panels[k]) + "\"");
      continue;
    }
    Extended slack = RoundingOf(*shown) + scale * 0x1p-56L;
    if (k == 2 && *shown > 0) {
      const auto mean = PanelNumber(f.MeanPanel);
      const Extended offset = mean ? *mean - *a : *b - *a;
      slack += (*shown + offset * offset / *shown) * 0x1p-56L;
    }
    const Extended spread = high[k] - low[k];
    const Extended from = low[k] - spread - slack;
    const Extended to = high[k] + spread + slack;
    if (!(*shown >= from && *shown <= to)) {
      std::ostringstream out;
      out.precision(21);
      out << Name(panels[k]) << " shows the " << kFigureNames[k] << " " << Text(panels[k])
          << ", but the fit of the panels a = " << Text(f.LowerBoundPanel)
          << ", b = " << Text(f.UpperBoundPanel) << ", m = " << Text(f.ModePanel)
          << ", n = " << Text(f.PowerPanel) << " (credibility level " << level
          << ") puts it between " << from << " and " << to;
      problems.push_back(out.str());
    }
  }
}

// The document's fit is the one the panels show, exactly.
void CheckSavedFit(const FeedbackWindow& f, const Fit& saved, TProblems& problems) {
  const auto expect = [&problems](const TPanel* panel, Extended value, const char* what) {
    const std::string text = FormatNumber(value);
    if (Text(panel) != text) {
      problems.push_back(Name(panel) + " shows \"" + Text(panel) + "\", but the saved fit's " +
                         what + " is \"" + text + "\"");
    }
  };
  expect(f.LowerBoundPanel, saved.LowerBound(), "a");
  expect(f.UpperBoundPanel, saved.UpperBound(), "b");
  expect(f.PowerPanel, saved.Power(), "n");
  expect(f.ModePanel, saved.ModeValue(), "m");
  TFigures figures{};
  try {
    figures = FiguresOf(saved.LowerBound(), saved.UpperBound(), saved.ModeValue(), saved.Power(),
                        f.CredibilitySpin->Value());
  } catch (const EMathError& e) {
    problems.push_back(std::string("the saved fit raises an arithmetic error: ") + e.what());
    return;
  }
  const auto panels = FigurePanels(f);
  for (std::size_t k = 0; k < kFigureCount; ++k) {
    expect(panels[k], figures[k], kFigureNames[k]);
  }
  const QString label = saved.Power() < 1 ? QStringLiteral("anti-mode") : QStringLiteral("mode");
  if (f.ModeLabel->Caption() != label) {
    problems.push_back("the mode label reads \"" + f.ModeLabel->Caption().toStdString() +
                       "\" for the saved n = " + Text(f.PowerPanel));
  }
  const QString caption = FeedbackWindow::CredibilityCaption(f.CredibilitySpin->Value());
  if (f.CredibilityGroup->Caption() != caption &&
      f.CredibilityGroup->Caption() != QStringLiteral("90% Credibility Interval")) {
    problems.push_back("the credibility area reads \"" +
                       f.CredibilityGroup->Caption().toStdString() + "\" at level " +
                       f.CredibilitySpin->Text().toStdString());
  }
}

bool HasPoint(const TChartSeries& series, double x, double y) {
  for (int i = 0; i < series.PointCount(); ++i) {
    if (series.XValue(i) == x && series.YValue(i) == y) {
      return true;
    }
  }
  return false;
}

// The charts were fed from the same fit: the marked support ends on the density and the
// distribution are a and b, and the bound charts mark a and b at the fitted n. The last
// point of the sampling grid, 100 (b - m)/100 + m, is b up to the rounding of those steps.
void CheckCharts(const FeedbackWindow& f, const Fit& saved, TProblems& problems) {
  const auto a = static_cast<double>(saved.LowerBound());
  const auto b = static_cast<double>(saved.UpperBound());
  const auto n = static_cast<double>(saved.Power());
  const double grid =
      16 * std::numeric_limits<double>::epsilon() *
      std::max({std::fabs(a), std::fabs(b), std::fabs(static_cast<double>(saved.ModeValue()))});
  const std::pair<const char*, const TChartSeries*> markSeries[] = {
      {"DensityMarksSeries", f.DensityMarksSeries},
      {"DistributionMarksSeries", f.DistributionMarksSeries}};
  for (const auto& [name, marks] : markSeries) {
    if (marks->PointCount() < 5 || marks->MinXValue() != a ||
        !(std::fabs(marks->MaxXValue() - b) <= grid)) {
      std::ostringstream out;
      out.precision(17);
      out << "the marks of " << name << " (" << marks->PointCount() << " points) span "
          << marks->MinXValue() << " to " << marks->MaxXValue() << ", not the shown a = " << a
          << " to b = " << b;
      problems.push_back(out.str());
    }
  }
  if (!HasPoint(*f.LowerBoundMarksSeries, n, a) || !HasPoint(*f.UpperBoundMarksSeries, n, b)) {
    problems.push_back("the bound charts do not mark the shown a and b at the shown n = " +
                       Text(f.PowerPanel));
  }
}

// [SECTION] Messages

// Whether the text, outside what it quotes, names a number that is not one.
bool NamesNonNumber(const std::string& text) {
  std::string word;
  bool quoted = false;
  for (const char c : text + " ") {
    if (c == '"') {
      quoted = !quoted;
    }
    if (!quoted && std::isalpha(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      continue;
    }
    if (word == "nan" || word == "inf" || word == "infinity") {
      return true;
    }
    word.clear();
  }
  return false;
}

}  // namespace

TProblems CheckMessages(const std::vector<TMessageRecord>& records, std::size_t first,
                        const FeedbackWindow& feedback, bool strict) {
  TProblems problems;
  for (std::size_t i = first; i < records.size(); ++i) {
    const TMessageRecord& r = records[i];
    switch (r.Kind) {
      case TMessageBoxKind::Error:
        if (r.Text.empty() || NamesNonNumber(r.Text)) {
          problems.push_back("error message \"" + r.Text + "\"");
        }
        if (r.Text == kRecommendAbove || r.Text == kRecommendBelow) {
          problems.push_back("the advice on x_s as an error: \"" + r.Text + "\"");
        }
        break;
      case TMessageBoxKind::Warning:
        if (r.Text == kRecommendAbove || r.Text == kRecommendBelow) {
          break;
        }
        if (r.Text != kAntiModeWarning || feedback.ModeLabel->Caption() != "anti-mode") {
          problems.push_back("warning \"" + r.Text + "\" with the mode label \"" +
                             feedback.ModeLabel->Caption().toStdString() + "\"");
        }
        break;
      case TMessageBoxKind::MathError:
        if (r.Text != EInvalidOp().what() && r.Text != EZeroDivide().what() &&
            r.Text != EOverflow().what()) {
          problems.push_back("an unexpected exception reached the user: \"" + r.Text + "\"");
        } else if (strict) {
          problems.push_back("an arithmetic error reached the user: \"" + r.Text + "\"");
        }
        break;
    }
  }
  return problems;
}

TProblems CheckModeFields(const InputWindow& main, const FeedbackWindow& feedback) {
  TProblems problems;
  const int mode = main.ModeSwitch->ItemIndex();
  if (mode != 0 && mode != 1) {
    problems.push_back("the mode switch selects item " + std::to_string(mode));
    return problems;
  }
  const bool extra = mode == 1;
  const std::initializer_list<const QWidget*> powerFields = {main.PowerLabel, main.PowerEdit};
  const std::initializer_list<const QWidget*> extraFields = {
      main.FeasibilityGroup, main.ExtraQuantileLabel, main.ExtraQuantileEdit, main.ExtraLevelLabel,
      main.ExtraLevelSpin};
  for (const QWidget* control : extra ? extraFields : powerFields) {
    if (!Shown(control)) {
      problems.push_back(Name(control) + " is not shown in mode " + std::to_string(mode));
    }
  }
  for (const QWidget* control : extra ? powerFields : extraFields) {
    if (!Hidden(control)) {
      problems.push_back(Name(control) + " is not hidden in mode " + std::to_string(mode));
    }
  }
  const std::initializer_list<const QWidget*> alwaysShown = {
      main.LowerQuantileEdit, main.ModeValueEdit, main.UpperQuantileEdit, main.LowerLevelSpin,
      main.UpperLevelSpin,    main.PlotButton,    main.AntiModeRemark};
  for (const QWidget* control : alwaysShown) {
    if (!Shown(control)) {
      problems.push_back(Name(control) + " is not shown");
    }
  }
  if (!main.ModeSwitch->isVisibleTo(&main)) {
    problems.push_back("the mode switch is not shown");
  }
  const QString density = feedback.DensityCaption->Caption();
  const QString distribution = feedback.DistributionCaption->Caption();
  const bool designed =
      density == kDesignDensityCaption && distribution == kDesignDistributionCaption;
  const bool ofMode =
      extra ? density == kExtraDensityCaption && distribution == kExtraDistributionCaption
            : density == kPowerDensityCaption && distribution == kPowerDistributionCaption;
  if (!designed && !ofMode) {
    problems.push_back("in mode " + std::to_string(mode) + " the page captions read \"" +
                       density.toStdString() + "\" and \"" + distribution.toStdString() + "\"");
  }
  return problems;
}

TProblems CheckFeasibilityPanels(const InputWindow& main) {
  TProblems problems;
  if (main.ModeSwitch->ItemIndex() != 1) {
    return problems;
  }
  const std::string smallerText = Text(main.FeasibilityLowerPanel);
  const std::string largerText = Text(main.FeasibilityUpperPanel);
  if (smallerText.empty() && largerText.empty()) {
    return problems;
  }
  const auto smaller = PanelNumber(main.FeasibilityLowerPanel);
  const auto larger = PanelNumber(main.FeasibilityUpperPanel);
  if (!smaller || !larger || !(*smaller <= *larger)) {
    problems.push_back("the feasibility bounds read \"" + smallerText + "\" and \"" + largerText +
                       "\"");
  }
  return problems;
}

TProblems CheckShownFit(const FeedbackWindow& feedback, const Elicitation& document,
                        TShownFitTally& tally) {
  TProblems problems;
  if (Text(feedback.LowerBoundPanel) == "Panel1") {
    // Never plotted: the window is hidden, and every panel still shows its design text.
    if (feedback.isVisible()) {
      problems.push_back("the feedback window is shown before its first fit");
    }
    for (const TPanel* panel :
         {feedback.UpperBoundPanel, feedback.PowerPanel, feedback.ModeProbabilityPanel,
          feedback.ModePanel, feedback.MedianPanel, feedback.MeanPanel, feedback.StdDevPanel,
          feedback.LowerCredibilityPanel, feedback.UpperCredibilityPanel}) {
      if (Text(panel) != "Panel1") {
        problems.push_back(Name(panel) + " shows \"" + Text(panel) + "\" before the first fit");
      }
    }
    return problems;
  }
  if (document.Shown() == nullptr) {
    problems.push_back("the feedback window shows a fit the document does not hold");
    return problems;
  }
  const Fit& saved = *document.Shown()->Fitted;
  CheckSavedFit(feedback, saved, problems);
  CheckCharts(feedback, saved, problems);
  CheckFiguresFromPanels(feedback, problems, tally);
  return problems;
}
