#include "ApplicationWindows.h"

#include "MainUnit.h"
#include "PlotPDFUnit.h"

TApplicationWindows::TApplicationWindows(TMessageService& messages) : boundary_(messages) {
  feedback_ = std::make_unique<TPlotPDFForm>(document_, boundary_);
  feedback_->setAttribute(Qt::WA_QuitOnClose, false);
  main_ = std::make_unique<TMainForm>(document_, *feedback_, boundary_);
}

TApplicationWindows::~TApplicationWindows() {
  main_.reset();
  feedback_.reset();
}
