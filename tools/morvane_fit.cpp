// morvane-fit: fits a two-sided power distribution to an expert's judgements from the
// command line and prints the numbers the feedback window shows, with quantiles,
// probabilities and draws of the fit besides, for one judgement set or a CSV batch.
//
// Exit status: 0 with a fit, 1 when the judgements cannot be fitted (with the message the
// windows would show) or a batch row could not be, 2 on a usage error or a malformed
// batch file.
#include <CLI/CLI.hpp>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "FitBatch.h"
#include "FitOptions.h"
#include "FitOutput.h"
#include "FitSample.h"
#include "FloatErrors.h"
#include "MorvaneVersion.h"
#include "NumberText.h"

namespace {

// The most draws one call writes: about 25 GB of text.
constexpr std::uint64_t kMaxDraws = 1'000'000'000;

// The option texts before they are read; levels are read as the windows read them.
struct TOptionTexts {
  std::string LowerLevel = "10";
  std::string UpperLevel = "90";
  std::string ExtraLevel = "80";
  std::string Credibility = "10";
  std::string Quantiles;
  std::string Probes;
  std::string Sample;
  std::string Seed = "1";
  std::string Format = "text";
  std::string Batch;
};

int Fail(const std::string& message, bool json) {
  if (json) {
    std::cout << JsonText(ErrorJson(message)) << "\n";
  } else {
    std::cerr << "morvane-fit: " << message << "\n";
  }
  return 1;
}

// Judgements that cannot be fitted: the message, and in JSON what the checks found before
// the refusal (the feasibility bounds of x_s).
int Refuse(const TFitRequest& request, const TFitResult& result, bool json) {
  if (json) {
    std::cout << JsonText(FitJson(request, result)) << "\n";
    return 1;
  }
  return Fail(result.Refusal(), false);
}

int UsageFailure(const std::string& message) {
  std::cerr << "morvane-fit: " << EscapedText(message)
            << "\nRun with --help for more information.\n";
  return 2;
}

int Run(int argc, char** argv) {
  TFitRequest request;
  TOptionTexts texts;
  bool json = false;

  CLI::App app{
      "Fits a two-sided power distribution to an expert's judgements and prints the numbers "
      "of the feedback window. Levels are whole percentages; every option defaults to the "
      "input window's initial value.",
      "morvane-fit"};
  app.set_version_flag("--version", std::string(app.get_name()) + " " + MORVANE_VERSION);
  auto* ap = app.add_option("--ap", request.Text(NumberField::LowerQuantile), "lower quantile a_p")
                 ->capture_default_str();
  auto* p =
      app.add_option("--p", texts.LowerLevel, "level p of a_p, in percent")->capture_default_str();
  auto* m = app.add_option("--m", request.Text(NumberField::ModeValue), "most likely value m")
                ->capture_default_str();
  auto* br = app.add_option("--br", request.Text(NumberField::UpperQuantile), "upper quantile b_r")
                 ->capture_default_str();
  auto* r =
      app.add_option("--r", texts.UpperLevel, "level r of b_r, in percent")->capture_default_str();
  auto* power = app.add_option("--n", request.Text(NumberField::Power), "power parameter n")
                    ->capture_default_str();
  auto* extra = app.add_option("--xs", request.Text(NumberField::ExtraQuantile),
                               "additional quantile x_s, instead of n")
                    ->capture_default_str();
  auto* level =
      app.add_option("--s", texts.ExtraLevel, "level s of x_s, in percent")->capture_default_str();
  app.add_option("--credibility", texts.Credibility,
                 "credibility level: percent of probability outside the interval")
      ->capture_default_str();
  app.add_option("--quantiles", texts.Quantiles,
                 "also the quantiles at these levels in percent, such as 1,5,50,95,99");
  app.add_option("--probe", texts.Probes, "also P(X <= x) at each x, such as 6.5,10");
  auto* sample = app.add_option(
      "--sample", texts.Sample,
      "print N draws from the fit instead, one a line unless --format says otherwise");
  auto* seed = app.add_option("--seed", texts.Seed, "seed of the draws")->capture_default_str();
  auto* format = app.add_option("--format", texts.Format,
                                "how the draws are written: text (17 digits), f64 (raw "
                                "little-endian doubles) or npy (a NumPy array file)")
                     ->capture_default_str();
  auto* batch =
      app.add_option("--batch", texts.Batch, "fit every row of a CSV file (- for standard input)");
  auto* asJson = app.add_flag("--json", json, "print one JSON object (a batch: JSON Lines)");
  power->excludes(extra);
  level->needs(extra);
  seed->needs(sample);
  format->needs(sample);
  sample->excludes(asJson);
  for (CLI::Option* single : {ap, p, m, br, r, power, extra, level, sample})
    batch->excludes(single);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0)
      return app.exit(e);
    return UsageFailure(e.what());
  }

  try {
    request.SetLevel(LevelField::Lower, ReadWholeNumber("--p", texts.LowerLevel));
    request.SetLevel(LevelField::Upper, ReadWholeNumber("--r", texts.UpperLevel));
    request.SetLevel(LevelField::Extra, ReadWholeNumber("--s", texts.ExtraLevel));
    request.SetCredibility(ReadCredibilityLevel("--credibility", texts.Credibility));
    if (!texts.Quantiles.empty())
      request.Quantiles = ReadQuantileLevels(texts.Quantiles);
    if (app.count("--probe") > 0)
      request.Probes = ReadProbePoints(texts.Probes);
  } catch (const EUsageError& e) {
    return UsageFailure(e.what());
  }
  request.SetMode(extra->count() > 0 ? FitMode::ExtraQuantile : FitMode::PowerParameter);

  if (batch->count() > 0) {
    const TBatchOptions options{json, request.Credibility(), request.Quantiles, request.Probes};
    if (texts.Batch == "-")
      return RunBatch(std::cin, std::cout, std::cerr, options);
    std::ifstream file(texts.Batch, std::ios::binary);
    if (!file)
      return UsageFailure("--batch: cannot open " + QuotedText(texts.Batch, 200) + ".");
    return RunBatch(file, std::cout, std::cerr, options);
  }

  std::uint64_t draws = 0;
  std::uint64_t drawSeed = 0;
  TDrawFormat drawFormat = TDrawFormat::Text;
  try {
    if (sample->count() > 0) {
      draws = ReadCount("--sample", texts.Sample, kMaxDraws);
      drawSeed = ReadCount("--seed", texts.Seed, UINT64_MAX);
      drawFormat = ReadDrawFormat(texts.Format);
    }
  } catch (const EUsageError& e) {
    return UsageFailure(e.what());
  }

  try {
    const TFitResult result = FitRequest(request);
    for (const std::string& warning : result.Warnings)
      std::cerr << "Warning: " << warning << "\n";
    if (!result.Fitted()) {
      return Refuse(request, result, json);
    } else if (sample->count() > 0) {
      WriteSample(std::cout, result.Model, draws, drawSeed, drawFormat);
    } else if (json) {
      std::cout << JsonText(FitJson(request, result), 2) << "\n";
    } else {
      WriteTable(std::cout, request, result);
    }
  } catch (const EFitError& e) {
    return Fail(e.what(), json);
  } catch (const EMathError& e) {
    return Fail(e.what(), json);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Nothing escapes as an abort: whatever the work throws ends with a message and status 1.
  try {
    const int status = Run(argc, argv);
    std::cout.flush();
    return std::cout ? status : 1;
  } catch (const std::exception& e) {
    std::cerr << "morvane-fit: " << EscapedText(e.what()) << "\n";
  } catch (...) {
    std::cerr << "morvane-fit: an unexpected error ended the work.\n";
  }
  return 1;
}
