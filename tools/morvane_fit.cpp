// morvane-fit: fits a two-sided power distribution to an expert's judgements from the
// command line and prints the numbers the feedback window shows, with quantiles,
// probabilities and draws of the fit besides, for one judgement set, a saved elicitation
// or a CSV batch, and saves an elicitation with its fit.
//
// Exit status: 0 with a fit, 1 when the judgements cannot be fitted (with the message the
// windows would show) or a batch row could not be, 2 on a usage error, a malformed batch
// file or an elicitation file that cannot be read or written.
#include <CLI/CLI.hpp>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ElicitationFile.h"
#include "FitBatch.h"
#include "FitOptions.h"
#include "FitOutput.h"
#include "FitSample.h"
#include "FloatErrors.h"
#include "MorvaneVersion.h"
#include "NumberText.h"
#ifdef MORVANE_WITH_REPORT
#include <QDate>
#include <QGuiApplication>

#include "ElicitationReport.h"
#endif

namespace {

// The most draws one call writes: about 25 GB of text.
constexpr std::uint64_t kMaxDraws = 1'000'000'000;
// The most threads a batch fits its rows on.
constexpr std::uint64_t kMostJobs = 256;

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
  std::string Open;
  std::string Save;
  std::string Report;
  std::string Weights;
  std::string Jobs;
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

// A file that cannot be opened, read or written: its name and what is wrong.
int FileFailure(const std::string& path, const std::string& message) {
  std::cerr << "morvane-fit: " << EscapedText(path) << ": " << EscapedText(message) << "\n";
  return 2;
}

// The elicitation saved in a file; raises EFileError.
ElicitationRecord ReadElicitationFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw EFileError("cannot open the file.");
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad())
    throw EFileError("cannot read the file.");
  return ReadElicitationText(text.str());
}

// Saves the elicitation with each expert's fit: the first expert's is the result at hand,
// the others' are fitted here. Raises EFileError.
void SaveElicitation(const std::string& path, const ElicitationRecord& record,
                     const TFitResult& first) {
  std::vector<TFitResult> others;
  others.reserve(record.Experts.size());
  std::vector<const PlotOutcome*> fits{&first.Outcome};
  for (std::size_t i = 1; i < record.Experts.size(); ++i) {
    TFitRequest request;
    request.Sheet = record.Experts[i].Typed;
    others.push_back(FitRequest(request));
    fits.push_back(&others.back().Outcome);
  }
  WriteFileAtomically(path, WriteElicitationText(record, fits));
}

#ifdef MORVANE_WITH_REPORT
// Writes the report of the elicitation as a PDF, every expert and, for two or more, their
// pool, headless: a Qt Gui application on the offscreen platform, for the fonts and the PDF
// writer. Raises what the report raises.
void WriteReport(const std::string& path, const ElicitationRecord& record) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "morvane-fit";
  static char* argv[] = {name, nullptr};
  const QGuiApplication app(argc, argv);
  WriteElicitationReport(QString::fromStdString(path), record,
                         QDate::currentDate().toString(Qt::ISODate).toStdString());
}
#endif

// The pool of every expert of the elicitation, each fitted at its own judgements (at
// --credibility when given): its figures, or its draws. An expert that cannot be fitted
// ends the work with its message.
struct TPoolWork {
  const ElicitationRecord& Record;
  std::optional<Level> Credibility;
  std::vector<Extended> Weights;
  bool Json = false;
  bool Sample = false;
  std::uint64_t Draws = 0;
  std::uint64_t Seed = 0;
  TDrawFormat Format = TDrawFormat::Text;
};

int RunPool(const TFitRequest& request, const TPoolWork& work) {
  std::vector<TPoolExpert> experts;
  std::vector<TwoSidedPower> models;
  for (std::size_t i = 0; i < work.Record.Experts.size(); ++i) {
    const ExpertRecord& expert = work.Record.Experts[i];
    TFitRequest own;
    own.Sheet = expert.Typed;
    if (work.Credibility)
      own.SetCredibility(*work.Credibility);
    TFitResult result = FitRequest(own);
    const std::string who = "experts[" + std::to_string(i) + "]" +
                            (expert.Name.empty() ? "" : " (" + expert.Name + ")");
    for (const std::string& warning : result.Warnings)
      std::cerr << "Warning: " << EscapedText(who) << ": " << warning << "\n";
    if (!result.Fitted())
      return Fail(who + ": " + result.Refusal(), work.Json);
    models.push_back(result.Model);
    experts.push_back({expert.Name, std::move(result)});
  }
  if (!work.Weights.empty() && work.Weights.size() != experts.size()) {
    return UsageFailure("--weights gives " + std::to_string(work.Weights.size()) +
                        " weights for the " + std::to_string(experts.size()) +
                        " experts of the file.");
  }
  const LinearPool pool(std::move(models), work.Weights);
  if (work.Sample)
    WritePoolSample(std::cout, pool, work.Draws, work.Seed, work.Format);
  else if (work.Json)
    std::cout << JsonText(PoolJson(request, experts, pool), 2) << "\n";
  else
    WritePoolTable(std::cout, request, experts, pool);
  return 0;
}

int Run(int argc, char** argv) {
  TFitRequest request;
  TOptionTexts texts;
  bool json = false;
  bool pooled = false;

  CLI::App app{
      "Fits a two-sided power distribution to an expert's judgements and prints the numbers "
      "of the feedback window. Levels are percentages in steps of 0.1; every option defaults to "
      "the "
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
  auto* open = app.add_option("--open", texts.Open,
                              "fit the judgements of a saved elicitation (its first expert)");
  auto* save = app.add_option("--save", texts.Save,
                              "also save the judgements and their fit as an elicitation file");
#ifdef MORVANE_WITH_REPORT
  auto* report = app.add_option("--report", texts.Report,
                                "also write a report of the judgements and their fit as a PDF "
                                "(with --open: of every expert of the file and their pool)");
#endif

  auto* pool = app.add_flag("--pool", pooled,
                            "with --open: the linear pool of every expert of the file instead");
  auto* weights = app.add_option("--weights", texts.Weights,
                                 "the experts' weights in the pool of --pool or --report, such "
                                 "as 2,1,1 (default: the file's, else equal)");
  auto* jobs = app.add_option("--jobs", texts.Jobs,
                              "fit a batch on N threads at once (default: one a processor); "
                              "the rows come out in input order all the same");
  auto* asJson = app.add_flag("--json", json, "print one JSON object (a batch: JSON Lines)");
  power->excludes(extra);
  level->needs(extra);
  jobs->needs(batch);
  seed->needs(sample);
  format->needs(sample);
  sample->excludes(asJson);
  for (CLI::Option* single : {ap, p, m, br, r, power, extra, level, sample, open, save})
    batch->excludes(single);
#ifdef MORVANE_WITH_REPORT
  batch->excludes(report);
  report->excludes(pool);
#endif
  for (CLI::Option* judgement : {ap, p, m, br, r, power, extra, level})
    open->excludes(judgement);
  pool->needs(open);
  weights->needs(open);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0)
      return app.exit(e);
    return UsageFailure(e.what());
  }

  try {
    request.SetLevel(LevelField::Lower, ReadLevel("--p", texts.LowerLevel));
    request.SetLevel(LevelField::Upper, ReadLevel("--r", texts.UpperLevel));
    request.SetLevel(LevelField::Extra, ReadLevel("--s", texts.ExtraLevel));
    request.SetCredibility(ReadCredibilityLevel("--credibility", texts.Credibility));
    if (!texts.Quantiles.empty())
      request.Quantiles = ReadQuantileLevels(texts.Quantiles);
    if (app.count("--probe") > 0)
      request.Probes = ReadProbePoints(texts.Probes);
  } catch (const EUsageError& e) {
    return UsageFailure(e.what());
  }
  bool weighed = pool->count() > 0;
#ifdef MORVANE_WITH_REPORT
  weighed = weighed || report->count() > 0;
#endif
  if (weights->count() > 0 && !weighed)
    return UsageFailure("--weights needs --pool or --report.");
  request.SetMode(extra->count() > 0 ? FitMode::ExtraQuantile : FitMode::PowerParameter);

  // The elicitation opened, or the one the options make; --credibility given beside a file
  // replaces its level.
  ElicitationRecord record{{ExpertRecord{}}};
  if (open->count() > 0) {
    try {
      record = ReadElicitationFile(texts.Open);
    } catch (const EFileError& e) {
      return FileFailure(texts.Open, e.what());
    }
    const Level credibility = request.Credibility();
    request.Sheet = record.Experts[0].Typed;
    if (app.count("--credibility") > 0)
      request.SetCredibility(credibility);
  }
  record.Experts[0].Typed = request.Sheet;

  if (batch->count() > 0) {
    TBatchOptions options{json, request.Credibility(), request.Quantiles, request.Probes};
    options.Jobs = DefaultBatchJobs();
    try {
      if (jobs->count() > 0) {
        options.Jobs = static_cast<int>(ReadCount("--jobs", texts.Jobs, kMostJobs));
        if (options.Jobs == 0)
          throw EUsageError("--jobs reads \"0\": at least one thread fits the rows.");
      }
    } catch (const EUsageError& e) {
      return UsageFailure(e.what());
    }
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
    if (pool->count() > 0) {
      TPoolWork work{record, std::nullopt, {},        json, sample->count() > 0,
                     draws,  drawSeed,     drawFormat};
      if (app.count("--credibility") > 0)
        work.Credibility = request.Credibility();
      if (weights->count() > 0)
        work.Weights = ReadPoolWeights(texts.Weights);
      else
        work.Weights.assign(record.Weights.begin(), record.Weights.end());
      if (save->count() > 0)
        SaveElicitation(texts.Save, record, FitRequest(request));
      return RunPool(request, work);
    }
    const TFitResult result = FitRequest(request);
    if (save->count() > 0) {
      try {
        SaveElicitation(texts.Save, record, result);
      } catch (const EFileError& e) {
        return FileFailure(texts.Save, e.what());
      }
    }
#ifdef MORVANE_WITH_REPORT
    if (report->count() > 0 && result.Fitted()) {
      // Every expert at --credibility when given, as the pool takes them.
      ElicitationRecord reported = record;
      if (app.count("--credibility") > 0) {
        for (ExpertRecord& expert : reported.Experts)
          expert.Typed.Credibility = request.Credibility();
      }
      if (weights->count() > 0) {
        const std::vector<Extended> given = ReadPoolWeights(texts.Weights);
        if (given.size() != reported.Experts.size()) {
          return UsageFailure("--weights gives " + std::to_string(given.size()) +
                              " weights for the " + std::to_string(reported.Experts.size()) +
                              " experts of the file.");
        }
        reported.Weights.clear();
        for (const Extended weight : given)
          reported.Weights.push_back(static_cast<double>(weight));
      }
      try {
        WriteReport(texts.Report, reported);
      } catch (const EFileError& e) {
        return FileFailure(texts.Report, e.what());
      }
    }
#endif
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
  } catch (const EUsageError& e) {
    return UsageFailure(e.what());
  } catch (const EFileError& e) {
    return FileFailure(texts.Save, e.what());
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
