// morvane-fit's batches: 10,000 rows of each kind as a whole, and the fitting and the
// writing of the same rows on their own; the reading is what the whole takes beyond them.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "FitBatch.h"
#include "FitOutput.h"

namespace {

constexpr int kRows = 10'000;

// Rows that differ a little from one another, so that no two fits are the same.
std::string BatchText(bool extra) {
  std::ostringstream csv;
  csv << "name,ap,p,m,br,r,n,xs,s\n";
  for (int i = 0; i < kRows; ++i) {
    const double shift = i * 1e-4;
    csv << "row" << i << ',' << 6.5 + shift << ",10," << 7.0 + shift << ',' << 10.5 + shift
        << ",90,";
    if (extra)
      csv << ',' << 9.588495255 + shift << ",80\n";
    else
      csv << 1 + (i % 97) * 0.1 << ",,\n";
  }
  return csv.str();
}

TFitRequest RowRequest(int i, bool extra) {
  const double shift = i * 1e-4;
  TFitRequest request;
  request.Type(NumberField::LowerQuantile, std::to_string(6.5 + shift));
  request.Type(NumberField::ModeValue, std::to_string(7.0 + shift));
  request.Type(NumberField::UpperQuantile, std::to_string(10.5 + shift));
  if (extra) {
    request.SetMode(FitMode::ExtraQuantile);
    request.Type(NumberField::ExtraQuantile, std::to_string(9.588495255 + shift));
  } else {
    request.Type(NumberField::Power, std::to_string(1 + (i % 97) * 0.1));
  }
  return request;
}

void BM_BatchWhole(benchmark::State& state, bool extra, bool json) {
  const std::string text = BatchText(extra);
  TBatchOptions options;
  options.Json = json;
  for (auto _ : state) {
    std::istringstream in(text);
    std::ostringstream out;
    std::ostringstream messages;
    benchmark::DoNotOptimize(RunBatch(in, out, messages, options));
    benchmark::DoNotOptimize(out.str().size());
  }
}

void BM_BatchFitsOnly(benchmark::State& state, bool extra) {
  for (auto _ : state) {
    for (int i = 0; i < kRows; ++i)
      benchmark::DoNotOptimize(FitRequest(RowRequest(i, extra)).Outcome.Figures.Power);
  }
}

void BM_BatchWritingOnly(benchmark::State& state, bool extra) {
  const TFitRequest request = RowRequest(0, extra);
  const TFitResult result = FitRequest(request);
  for (auto _ : state) {
    std::ostringstream out;
    for (int i = 0; i < kRows; ++i)
      out << JsonText(FitJson(request, result)) << '\n';
    benchmark::DoNotOptimize(out.str().size());
  }
}

BENCHMARK_CAPTURE(BM_BatchWhole, power_csv, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWhole, power_json, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWhole, extra_csv, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchFitsOnly, power, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchFitsOnly, extra, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWritingOnly, power, false)->Unit(benchmark::kMillisecond);

}  // namespace
