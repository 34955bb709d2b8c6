#include "ApplicationWindows.h"

#include "AnalysisUnit.h"
#include "GTSPUnit.h"
#include "MainUnit.h"
#include "PlotPDFUnit.h"

TApplicationWindows::TApplicationWindows() {
  GTSPForm = TGTSPForm{};
  AnalysisForm = TAnalysisForm{GTSPForm};
  main_ = std::make_unique<TMainForm>();
  MainForm = main_.get();
  AnalysisForm.SetInputSource(MainForm);
  feedback_ = std::make_unique<TPlotPDFForm>();
  PlotPDFForm = feedback_.get();
  feedback_->setAttribute(Qt::WA_QuitOnClose, false);
}

TApplicationWindows::~TApplicationWindows() {
  AnalysisForm.SetInputSource(nullptr);
  feedback_.reset();
  main_.reset();
}
