// morvane-fit's batches: 10,000 rows of each kind as a whole, and the fitting and the
// writing of the same rows on their own; the reading is what the whole takes beyond them.
// Its draws: 1,000,000 of the default fit as text and as doubles, and the values alone.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "FitBatch.h"
#include "FitOutput.h"
#include "FitSample.h"

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

constexpr std::uint64_t kDraws = 1'000'000;

// Draws written to a stream that keeps nothing, so that the figure is the draws' own.
class TDiscardBuffer : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

// The whole writing on every processor, so timed by the clock on the wall.
void BM_Sample(benchmark::State& state, TDrawFormat format) {
  const TFitResult result = FitRequest(TFitRequest{});
  TDiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state)
    WriteSample(out, result.Model, kDraws, 1, format);
  state.SetItemsProcessed(state.iterations() * kDraws);
}

// One processor's work on the values alone: the model's Quantile, and the draws' own.
void BM_SampleQuantileOnly(benchmark::State& state, bool prepared) {
  const TFitResult result = FitRequest(TFitRequest{});
  const TDrawQuantile quantile(result.Model);
  for (auto _ : state) {
    TDrawGenerator generator(1);
    for (std::uint64_t i = 0; i < kDraws; ++i) {
      const Extended u = OpenUnitInterval(generator.Next());
      benchmark::DoNotOptimize(prepared ? quantile(u) : Quantile(result.Model, u));
    }
  }
  state.SetItemsProcessed(state.iterations() * kDraws);
}

BENCHMARK_CAPTURE(BM_BatchWhole, power_csv, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWhole, power_json, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWhole, extra_csv, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchFitsOnly, power, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchFitsOnly, extra, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchWritingOnly, power, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sample, text, TDrawFormat::Text)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Sample, f64, TDrawFormat::Float64)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SampleQuantileOnly, model, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SampleQuantileOnly, prepared, true)->Unit(benchmark::kMillisecond);

}  // namespace
