#include "ElicitationReport.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ExpertOverlay.h"
#include "FeedbackChartSettings.h"
#include "NumberText.h"
#include "OverlayCharts.h"
#include "PlotComputation.h"
#include "QtCanvas.h"

namespace {

// Logical pixels an inch: the charts are laid out in the screen's pixels, as in the window.
constexpr int kResolution = 96;
// The page's margin, in those pixels.
constexpr int kMargin = 48;

QString Html(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}
QString Number(Extended value) {
  return Html(FormatNumber(value)).trimmed();
}

QString Row(std::initializer_list<QString> cells, bool header = false) {
  QString row = QStringLiteral("<tr>");
  for (const QString& cell : cells) {
    row += header ? QStringLiteral("<th align=\"left\">%1</th>").arg(cell)
                  : QStringLiteral("<td>%1</td>").arg(cell);
  }
  return row + QStringLiteral("</tr>");
}

QString Table(const QString& rows) {
  return QStringLiteral(
             "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">%1</table>")
      .arg(rows);
}

QString JudgementRows(const TypedJudgements& typed, const ElicitationNotes& notes) {
  struct TLine {
    NumberField Field;
    const char* Level;  // the level's caption, or nullptr
    LevelField LevelOf;
  };
  const bool extra = typed.Mode == FitMode::ExtraQuantile;
  const std::array<TLine, 4> lines{{
      {NumberField::LowerQuantile, "p", LevelField::Lower},
      {NumberField::ModeValue, nullptr, LevelField::Lower},
      {NumberField::UpperQuantile, "r", LevelField::Upper},
      {extra ? NumberField::ExtraQuantile : NumberField::Power, extra ? "s" : nullptr,
       LevelField::Extra},
  }};
  QString rows = Row({QStringLiteral("Judgement"), QStringLiteral("Value"), QStringLiteral("Level"),
                      QStringLiteral("Rationale")},
                     true);
  for (const TLine& line : lines) {
    const std::string_view caption = FieldCaption(line.Field);
    const QString level =
        line.Level == nullptr
            ? QString()
            : QStringLiteral("%1 = %2 %")
                  .arg(QLatin1String(line.Level), Html(typed.LevelOf(line.LevelOf).Text()));
    rows += Row(
        {Html(std::string(caption)), Html(typed.Text(line.Field)), level,
         Html(notes.RationaleOf(line.Field)).replace(QLatin1Char('\n'), QStringLiteral("<br>"))});
  }
  return rows;
}

// Draws one chart of the feedback window at its designed size at the painter's origin.
template <typename SetUp, typename Feed>
void DrawChart(QPainter& painter, SetUp setUp, Feed feed) {
  TChart chart;
  feed(setUp(chart));
  chart.SetSize(kFeedbackChartWidth, kFeedbackChartHeight);
  QtCanvas canvas(painter);
  chart.Draw(canvas);
}

// [SECTION] The whole elicitation

// The expert as the overlay's legend and the pool's table name it.
std::string ExpertCaption(const ElicitationRecord& record, std::size_t index) {
  const std::string& name = record.Experts[index].Name;
  if (!name.empty()) {
    return name;
  }
  std::string caption = "Expert ";
  return caption.append(std::to_string(index + 1));
}

// Every expert fitted with its graphs and, for two or more, their pool.
struct TReportFits {
  std::vector<PlotOutcome> Outcomes;
  TExpertOverlay Overlay;  // for two or more experts
};

TReportFits FitReport(const ElicitationRecord& record) {
  const std::size_t count = record.Experts.size();
  if (count == 0) {
    throw EFileError("the elicitation has no expert.");
  }
  if (!record.Weights.empty() && record.Weights.size() != count) {
    std::string message = "the elicitation has ";
    message.append(std::to_string(record.Weights.size()))
        .append(" weights for its ")
        .append(std::to_string(count))
        .append(" experts.");
    throw EFileError(message);
  }
  TReportFits fits;
  for (std::size_t i = 0; i < count; ++i) {
    // Of several experts, the one refused is named by its place and name.
    const auto refused = [&](const std::string& refusal) {
      if (count == 1) {
        return EFileError(refusal);
      }
      std::string who = "expert ";
      who.append(std::to_string(i + 1));
      if (!record.Experts[i].Name.empty()) {
        who.append(" (").append(record.Experts[i].Name).append(")");
      }
      return EFileError(who.append(": ").append(refusal));
    };
    std::optional<Judgements> judgements;
    try {
      judgements = ReadJudgements(record.Experts[i].Typed);
    } catch (const EInputError& e) {
      if (count == 1) {
        throw;
      }
      throw refused(e.what());
    }
    PlotOutcome outcome = ComputePlot(*judgements, PlotOptions{true});
    if (!outcome.Fitted) {
      throw refused(outcome.Refusal().value_or("the judgements have no fit."));
    }
    fits.Outcomes.push_back(std::move(outcome));
  }
  if (count > 1) {
    std::vector<const TwoSidedPower*> distributions;
    for (const PlotOutcome& outcome : fits.Outcomes) {
      distributions.push_back(&outcome.Fitted->Distribution);
    }
    fits.Overlay = ComputeExpertOverlay(distributions, record.Weights);
    if (!fits.Overlay.Pool) {
      throw EFileError(fits.Overlay.PoolRefusal);
    }
  }
  return fits;
}

QString PoolReportHtml(const ElicitationRecord& record, const TExpertOverlay& overlay) {
  const TPoolFigures& f = overlay.PoolFigures;
  const std::vector<Extended>& shares = overlay.Pool->Weights();
  QString html =
      QStringLiteral("<html><body><h1>Pool of the %1 experts</h1>").arg(record.Experts.size());
  html += QStringLiteral(
      "<p>The linear pool: the mixture that gives each expert's distribution its share of "
      "the weights.</p>");
  html += QStringLiteral("<h2>Weights</h2>");
  QString weights =
      Row({QStringLiteral("Expert"), QStringLiteral("Weight"), QStringLiteral("Share")}, true);
  for (std::size_t i = 0; i < record.Experts.size(); ++i) {
    const double given = record.Weights.empty() ? 1 : record.Weights[i];
    weights +=
        Row({Html(ExpertCaption(record, i)), QString::number(given, 'g', 15), Number(shares[i])});
  }
  html += Table(weights);
  html += QStringLiteral("<h2>The pool</h2>");
  QString figures;
  const std::array<std::pair<QString, Extended>, 4> rows{{
      {QStringLiteral("Lower Bound (a)"), f.Lower},
      {QStringLiteral("Upper Bound (b)"), f.Upper},
      {QStringLiteral("Mean"), f.Mean},
      {QStringLiteral("Standard Deviation"), f.StdDev},
  }};
  for (const auto& [caption, value] : rows) {
    figures += Row({caption, Number(value)});
  }
  html += Table(figures);
  html += QStringLiteral("<h2>Quantiles</h2>");
  QString table = Row({QStringLiteral("Level"), QStringLiteral("Quantile")}, true);
  for (std::size_t i = 0; i < f.Quantiles.size(); ++i) {
    table += Row({QStringLiteral("%1 %").arg(kQuantileLevels[i]), Number(f.Quantiles[i])});
  }
  html += Table(table);
  return html + QStringLiteral("</body></html>");
}

// One part of the report: its text over as many pages as it takes, then its two charts on a
// page of their own: an expert's graphs, or the overlay of every expert and the pool.
struct TReportPart {
  QString Html;
  const TGraphSamples* Graphs = nullptr;  // an expert's, or nullptr for the overlay
  std::vector<TNamedCurve> Density;
  std::vector<TNamedCurve> Distribution;
};

std::vector<TReportPart> ReportParts(const ElicitationRecord& record, const TReportFits& fits,
                                     const std::string& today) {
  std::vector<TReportPart> parts;
  for (std::size_t i = 0; i < record.Experts.size(); ++i) {
    TReportPart part;
    part.Html = ElicitationReportHtml(record.Experts[i], fits.Outcomes[i], today);
    part.Graphs = &fits.Outcomes[i].Graphs;
    parts.push_back(std::move(part));
  }
  if (record.Experts.size() > 1) {
    const TExpertOverlay& overlay = fits.Overlay;
    TReportPart pool;
    pool.Html = PoolReportHtml(record, overlay);
    for (std::size_t i = 0; i < record.Experts.size(); ++i) {
      const std::string name = ExpertCaption(record, i);
      pool.Density.push_back({name, overlay.Experts[i].Density, ExpertSeriesColour(i), 1});
      pool.Distribution.push_back(
          {name, overlay.Experts[i].Distribution, ExpertSeriesColour(i), 1});
    }
    pool.Density.push_back({"Pool", overlay.PoolCurves.Density, kPoolSeriesColour, 2});
    pool.Distribution.push_back({"Pool", overlay.PoolCurves.Distribution, kPoolSeriesColour, 2});
    parts.push_back(std::move(pool));
  }
  return parts;
}

}  // namespace

QString ElicitationReportHtml(const ExpertRecord& expert, const PlotOutcome& outcome,
                              const std::string& today) {
  const ElicitationNotes& notes = expert.Notes;
  const TypedJudgements& typed = outcome.Fitted->Given.Typed;
  const TFitFigures& f = outcome.Figures;
  QString html = QStringLiteral("<html><body>");
  html += notes.Quantity.empty()
              ? QStringLiteral("<h1>Elicitation report</h1>")
              : QStringLiteral("<h1>Elicitation report: %1</h1>").arg(Html(notes.Quantity));
  QString about;
  about += Row({QStringLiteral("Quantity"), Html(notes.Quantity)});
  about += Row({QStringLiteral("Unit"), Html(notes.Unit)});
  about += Row({QStringLiteral("Expert"), Html(notes.Expert.empty() ? expert.Name : notes.Expert)});
  about += Row({QStringLiteral("Date"), Html(notes.Date.empty() ? today : notes.Date)});
  html += Table(about);

  html += QStringLiteral("<h2>Judgements</h2>") + Table(JudgementRows(typed, notes));
  if (!notes.Overall.empty()) {
    html += QStringLiteral("<p><b>On the whole:</b> %1</p>")
                .arg(Html(notes.Overall).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
  }

  html += QStringLiteral("<h2>The fit</h2>");
  const QString credibility =
      QString::fromStdString(Level::FromTenths(1000 - typed.Credibility.Tenths()).Text());
  QString figures;
  const std::array<std::pair<QString, Extended>, 10> rows{{
      {QStringLiteral("Lower Bound (a)"), f.LowerBound},
      {QStringLiteral("Upper Bound (b)"), f.UpperBound},
      {QStringLiteral("Power Parameter n"), f.Power},
      {QStringLiteral("Mode Probability Q"), f.ModeProbability},
      {f.AntiMode ? QStringLiteral("Anti-mode") : QStringLiteral("Mode"), f.ModeValue},
      {QStringLiteral("Median"), f.Median},
      {QStringLiteral("Mean"), f.Mean},
      {QStringLiteral("Standard Deviation"), f.StdDev},
      {QStringLiteral("Lower Credibility Limit (%1 %)").arg(credibility), f.LowerCredibilityLimit},
      {QStringLiteral("Upper Credibility Limit (%1 %)").arg(credibility), f.UpperCredibilityLimit},
  }};
  for (const auto& [caption, value] : rows) {
    figures += Row({caption, Number(value)});
  }
  html += Table(figures);

  if (typed.Mode == FitMode::ExtraQuantile) {
    html += QStringLiteral("<h2>Every power that fits x_s</h2><p>");
    const std::vector<Extended>& powers = outcome.Fitted->Powers;
    for (std::size_t i = 0; i < powers.size(); ++i) {
      const bool shown = powers[i] == f.Power;
      html += (i > 0 ? QStringLiteral(", ") : QString()) +
              (shown ? QStringLiteral("<b>%1</b> (the fit shown)") : QStringLiteral("%1"))
                  .arg(Number(powers[i]));
    }
    html += QStringLiteral("</p>");
  }

  html += QStringLiteral("<h2>Quantiles</h2>");
  const std::array<Extended, 9> quantiles = FittedQuantiles(outcome.Fitted->Distribution);
  QString table = Row({QStringLiteral("Level"), QStringLiteral("Quantile")}, true);
  for (std::size_t i = 0; i < quantiles.size(); ++i) {
    table += Row({QStringLiteral("%1 %").arg(kQuantileLevels[i]), Number(quantiles[i])});
  }
  html += Table(table);
  return html + QStringLiteral("</body></html>");
}

QStringList ElicitationReportHtml(const ElicitationRecord& record, const std::string& today) {
  const TReportFits fits = FitReport(record);
  QStringList texts;
  for (const TReportPart& part : ReportParts(record, fits, today)) {
    texts << part.Html;
  }
  return texts;
}

void WriteElicitationReport(const QString& path, const ExpertRecord& expert,
                            const std::string& today) {
  WriteElicitationReport(path, ElicitationRecord{{expert}}, today);
}

void WriteElicitationReport(const QString& path, const ElicitationRecord& record,
                            const std::string& today) {
  const TReportFits fits = FitReport(record);
  const std::vector<TReportPart> parts = ReportParts(record, fits, today);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    throw EFileError(file.errorString().toStdString());
  }
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(kResolution);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(QStringLiteral("Elicitation report"));
    pdf.setCreator(QStringLiteral("Morvane"));
    QPainter painter(&pdf);
    const QRect page(kMargin, kMargin, pdf.width() - 2 * kMargin, pdf.height() - 2 * kMargin);
    QFont font(QStringLiteral("Liberation Sans"), 10);
    // Without ligatures: the words of the PDF read back as they were written ("flow", not
    // a glyph for "fl"), for search and for copying.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.01);
    QFont captionFont(QStringLiteral("Liberation Sans"), 12, QFont::Bold);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.01);
    const int captionHeight = QFontMetrics(captionFont, &pdf).height() + 8;
    const auto caption = [&](const QString& text) {
      painter.setFont(captionFont);
      painter.setPen(Qt::black);
      painter.drawText(QRect(0, 0, kFeedbackChartWidth, captionHeight),
                       Qt::AlignLeft | Qt::AlignTop, text);
      painter.translate(0, captionHeight);
    };

    for (std::size_t p = 0; p < parts.size(); ++p) {
      const TReportPart& part = parts[p];
      if (p > 0) {
        pdf.newPage();
      }
      // The text, over as many pages as it takes.
      QTextDocument text;
      text.setDocumentMargin(0);
      text.setDefaultFont(font);
      text.setHtml(part.Html);
      text.setPageSize(page.size());
      for (int i = 0; i < text.pageCount(); ++i) {
        if (i > 0) {
          pdf.newPage();
        }
        painter.save();
        painter.translate(page.left(), page.top() - i * page.height());
        text.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
      }

      // The two charts on a page of their own, centred across it, each under its caption.
      pdf.newPage();
      const int left = page.left() + (page.width() - kFeedbackChartWidth) / 2;
      painter.save();
      painter.translate(left, page.top());
      std::vector<TLineSeries*> overlay;
      caption(QStringLiteral("Density (PDF)"));
      DrawChart(painter, SetUpDensityChart, [&](const DensityChartSeries& s) {
        if (part.Graphs != nullptr) {
          FeedSeries(*s.Line, part.Graphs->DensityLine);
          FeedSeries(*s.Marks, part.Graphs->DensityMarks);
        } else {
          ShowOverlay(*s.Line->ParentChart(), *s.Line, overlay, part.Density);
        }
      });
      painter.translate(0, kFeedbackChartHeight + kMargin / 2);
      caption(QStringLiteral("Distribution Function (CDF)"));
      overlay.clear();
      DrawChart(painter, SetUpDistributionChart, [&](const DistributionChartSeries& s) {
        if (part.Graphs != nullptr) {
          FeedSeries(*s.Line, part.Graphs->DistributionLine);
          FeedSeries(*s.Marks, part.Graphs->DistributionMarks);
        } else {
          ShowOverlay(*s.Line->ParentChart(), *s.Line, overlay, part.Distribution);
        }
      });
      painter.restore();
    }
    if (!painter.end()) {
      throw EFileError("the PDF could not be drawn.");
    }
  }
  if (!file.commit()) {
    throw EFileError(file.errorString().toStdString());
  }
}
