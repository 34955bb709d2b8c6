// The program's objects as start-up makes them, in one place for the program, the snapshot
// tool, the benchmarks and the window tests.
#pragma once

#include <memory>

class TMainForm;
class TPlotPDFForm;

// Creates the input window first and attaches it to the solver as the window it reads,
// then the feedback window, and sets the global references; the solver and the model
// start from their zero state. Closing the feedback window never ends the program.
// Destruction detaches the solver and destroys the feedback window, then the input window.
class TApplicationWindows {
 public:
  TApplicationWindows();
  ~TApplicationWindows();
  TApplicationWindows(const TApplicationWindows&) = delete;
  TApplicationWindows& operator=(const TApplicationWindows&) = delete;

  TMainForm* Main() const { return main_.get(); }
  TPlotPDFForm* Feedback() const { return feedback_.get(); }

 private:
  std::unique_ptr<TMainForm> main_;
  std::unique_ptr<TPlotPDFForm> feedback_;
};
