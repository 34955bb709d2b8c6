// The program's objects as start-up makes them, in one place for the program, the snapshot
// tool, the benchmarks and the window tests: the elicitation document, the error boundary
// the windows' handlers run in, the feedback window and the input window, which is given
// the other three.
#pragma once

#include <memory>

#include "Elicitation.h"
#include "ErrorBoundary.h"

class InputWindow;
class FeedbackWindow;
class ElicitationFileActions;
class ExpertList;
class JudgementUndo;
class TMessageService;

// The document starts with the input window's initial judgements and no fit. Closing the
// feedback window never ends the program. The input window's menus come with it: File
// (ElicitationFileActions) and Edit (JudgementUndo). Destruction destroys the menus' objects, the
// input window, then the feedback window.
class ApplicationWindows {
 public:
  // Every message box and beep goes through `messages`, which must outlive the windows.
  explicit ApplicationWindows(TMessageService& messages);
  ~ApplicationWindows();
  ApplicationWindows(const ApplicationWindows&) = delete;
  ApplicationWindows& operator=(const ApplicationWindows&) = delete;

  InputWindow* Main() const { return main_.get(); }
  FeedbackWindow* Feedback() const { return feedback_.get(); }
  Elicitation& Document() { return document_; }
  const Elicitation& Document() const { return document_; }
  THandlerBoundary& Boundary() { return boundary_; }
  JudgementUndo& Undo() const { return *undo_; }
  ElicitationFileActions& Files() const { return *files_; }
  // The experts' row of the input window, which owns it.
  ExpertList& Experts() const { return *experts_; }

 private:
  Elicitation document_;
  THandlerBoundary boundary_;
  std::unique_ptr<FeedbackWindow> feedback_;
  std::unique_ptr<InputWindow> main_;
  std::unique_ptr<JudgementUndo> undo_;
  std::unique_ptr<ElicitationFileActions> files_;
  ExpertList* experts_ = nullptr;
};
