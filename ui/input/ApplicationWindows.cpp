#include "ApplicationWindows.h"

#include "FeedbackWindow.h"
#include "InputWindow.h"

ApplicationWindows::ApplicationWindows(TMessageService& messages) : boundary_(messages) {
  feedback_ = std::make_unique<FeedbackWindow>(document_, boundary_);
  feedback_->setAttribute(Qt::WA_QuitOnClose, false);
  main_ = std::make_unique<InputWindow>(document_, *feedback_, boundary_);
}

ApplicationWindows::~ApplicationWindows() {
  main_.reset();
  feedback_.reset();
}
