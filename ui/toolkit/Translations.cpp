#include "Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <memory>

namespace {

// The catalogues are resources of the program, built from translations/morvane_*.ts.
constexpr char kCatalogueFolder[] = ":/i18n";

// The fixed texts (or first lines) of the window-free layers that the windows show, for the
// catalogue: the captions of the judgements, the advice and refusals of the fit, the arithmetic
// errors, the message boxes' titles and the charts' axis titles.
[[maybe_unused]] constexpr const char* kSystemTexts[] = {
    QT_TRANSLATE_NOOP("SystemText", "Lower Quantile (a_p)"),
    QT_TRANSLATE_NOOP("SystemText", "Most Likely Value (m)"),
    QT_TRANSLATE_NOOP("SystemText", "Upper Quantile (b_r)"),
    QT_TRANSLATE_NOOP("SystemText", "Power Parameter n"),
    QT_TRANSLATE_NOOP("SystemText", "Additional Quantile (x_s)"),
    QT_TRANSLATE_NOOP("SystemText", "Additional Quantile Specification not Feasible"),
    QT_TRANSLATE_NOOP("SystemText",
                      "Your Estimate m is an anti-mode which is not consistent with a most "
                      "likely estimate"),
    QT_TRANSLATE_NOOP("SystemText",
                      "It is recommended to elicit and additional quantile x_s > m with "
                      "quantile level 0.80"),
    QT_TRANSLATE_NOOP("SystemText",
                      "It is recommended to elicit and additional quantile x_s < m with "
                      "quantile level 0.20"),
    QT_TRANSLATE_NOOP("SystemText", "Invalid floating point operation."),
    QT_TRANSLATE_NOOP("SystemText", "Floating point division by zero."),
    QT_TRANSLATE_NOOP("SystemText", "Floating point overflow."),
    QT_TRANSLATE_NOOP("SystemText", "Unknown error."),
    QT_TRANSLATE_NOOP("SystemText", "Error"),
    QT_TRANSLATE_NOOP("SystemText", "Warning"),
    QT_TRANSLATE_NOOP("SystemText", "There is no fit to show at another power."),
    QT_TRANSLATE_NOOP("SystemText", "Probability Density"),
    QT_TRANSLATE_NOOP("SystemText", "Cumulative Distribution Function"),
    QT_TRANSLATE_NOOP("SystemText", "Mode Probability q"),
    QT_TRANSLATE_NOOP("SystemText", "Lower Bound"),
    QT_TRANSLATE_NOOP("SystemText", "Upper Bound"),
    QT_TRANSLATE_NOOP("SystemText", "Probability below x_s"),
};

// The installed catalogue is a child of the application, found again by this name when
// another replaces it.
constexpr char kCatalogueName[] = "MorvaneCatalogue";

}  // namespace

bool InstallTranslation(const QString& language) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) {
    return false;
  }
  if (auto* installed = application->findChild<QTranslator*>(QLatin1String(kCatalogueName),
                                                             Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  auto translator = std::make_unique<QTranslator>();
  const bool loaded = language.isEmpty()
                          ? translator->load(QLocale::system(), QStringLiteral("morvane"),
                                             QStringLiteral("_"), QLatin1String(kCatalogueFolder))
                          : translator->load(QLocale(language), QStringLiteral("morvane"),
                                             QStringLiteral("_"), QLatin1String(kCatalogueFolder));
  if (!loaded || translator->isEmpty()) {
    return false;
  }
  translator->setObjectName(QLatin1String(kCatalogueName));
  QCoreApplication::installTranslator(translator.get());
  QTranslator* kept = translator.release();
  kept->setParent(application);
  return true;
}

QString TranslatedSystemText(std::string_view text) {
  // Line by line: a refusal's fixed first line is followed by a line with its numbers.
  const QString english = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QStringList lines;
  for (const QString& line : english.split(u'\n')) {
    lines << QCoreApplication::translate("SystemText", line.toUtf8().constData());
  }
  return lines.join(u'\n');
}
