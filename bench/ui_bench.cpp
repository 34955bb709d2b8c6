// From a step of a level spin edit to the repainted visible chart: the whole plot command,
// the eleven series refilled and the chart on the selected page painted, headless.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "Appearance.h"
#include "ApplicationWindows.h"
#include "ChartWidget.h"
#include "ElicitationFileActions.h"
#include "FeedbackWindow.h"
#include "InputWindow.h"
#include "MessageService.h"
#include "RadioGroup.h"
#include "SpinEdit.h"

namespace {

// The program's objects, made in main.
ApplicationWindows* Windows = nullptr;

// Steps the level down and up in turn, so that every iteration changes the text and plots.
void LevelStep(benchmark::State& state, int mode, TSpinEdit* InputWindow::*level) {
  InputWindow* main = Windows->Main();
  main->ModeSwitch->SetItemIndex(mode);
  main->Plot();
  TSpinEdit* spin = main->*level;
  bool down = true;
  for (auto _ : state) {
    if (down) {
      spin->StepDown();
    } else {
      spin->StepUp();
    }
    down = !down;
    Windows->Feedback()->DensityChart->repaint();
  }
  state.counters["panel_n"] = static_cast<double>(Windows->Document().Shown()->Fitted->Power());
}

void BM_LevelStepPower(benchmark::State& state) {
  LevelStep(state, 0, &InputWindow::LowerLevelSpin);
}
BENCHMARK(BM_LevelStepPower)->Unit(benchmark::kMillisecond);

void BM_LevelStepExtraQuantile(benchmark::State& state) {
  LevelStep(state, 1, &InputWindow::ExtraLevelSpin);
}
BENCHMARK(BM_LevelStepExtraQuantile)->Unit(benchmark::kMillisecond);

// The same step with three experts: the current expert refitted, and every expert's curves
// and their pool (its curves, figures and quantiles) computed and fed to the overlay.
void BM_LevelStepThreeExperts(benchmark::State& state) {
  ElicitationRecord record;
  const char* const texts[][4] = {
      {"6.5", "7.0", "10.5", "7.0"}, {"5", "6.5", "9", "3"}, {"7", "8.5", "12", "4"}};
  for (const auto& judgements : texts) {
    ExpertRecord expert;
    expert.Name = judgements[1];
    for (const NumberField field : {NumberField::LowerQuantile, NumberField::ModeValue,
                                    NumberField::UpperQuantile, NumberField::Power}) {
      expert.Typed.Type(field, judgements[static_cast<int>(field)]);
    }
    record.Experts.push_back(expert);
  }
  record.Weights = {2, 1, 1};
  Windows->Files().Adopt(record);
  LevelStep(state, 0, &InputWindow::LowerLevelSpin);
  state.counters["experts"] = static_cast<double>(Windows->Document().ExpertCount());
  Windows->Files().Adopt(ElicitationRecord{{ExpertRecord{}}, {}});
}
BENCHMARK(BM_LevelStepThreeExperts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform cannot raise a window; every plot would say so.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication app(argc, argv);
  InstallToolkitFont();
  TMessageRecorder recorder;

  ApplicationWindows windows(recorder);
  Windows = &windows;
  windows.Main()->show();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  return recorder.Records().empty() ? 0 : 1;
}
