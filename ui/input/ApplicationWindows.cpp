#include "ApplicationWindows.h"

#include "ElicitationFileActions.h"
#include "ExpertList.h"
#include "FeedbackWindow.h"
#include "InputWindow.h"
#include "JudgementUndo.h"
#include "PoolPage.h"

ApplicationWindows::ApplicationWindows(TMessageService& messages) : boundary_(messages) {
  feedback_ = std::make_unique<FeedbackWindow>(document_, boundary_);
  feedback_->setAttribute(Qt::WA_QuitOnClose, false);
  main_ = std::make_unique<InputWindow>(document_, *feedback_, boundary_);
  undo_ = std::make_unique<JudgementUndo>(*main_, document_);
  files_ = std::make_unique<ElicitationFileActions>(*this);
  experts_ = new ExpertList(*main_, document_, *undo_, main_.get());
  main_->ExpertBar = experts_;
  QObject::connect(feedback_.get(), &FeedbackWindow::PoolWeightsEdited, experts_,
                   [this] { experts_->ChangeWeights(feedback_->PoolPage->EditedWeights()); });
  // The keys undo and redo from either window: the feedback window's weights are changes too.
  feedback_->addAction(undo_->UndoAction());
  feedback_->addAction(undo_->RedoAction());
  main_->PlaceMenuBar();
}

ApplicationWindows::~ApplicationWindows() {
  files_.reset();
  undo_.reset();
  main_.reset();
  feedback_.reset();
}
