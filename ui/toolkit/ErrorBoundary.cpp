#include "ErrorBoundary.h"

#include <QApplication>
#include <exception>
#include <string>
#include <utility>

#include "FloatErrors.h"

namespace {

class TDepthGuard {
 public:
  explicit TDepthGuard(int& depth) : Depth_(depth) { ++Depth_; }
  ~TDepthGuard() { --Depth_; }
  TDepthGuard(const TDepthGuard&) = delete;
  TDepthGuard& operator=(const TDepthGuard&) = delete;

 private:
  int& Depth_;
};

}  // namespace

void THandlerControl::RethrowPendingHandlerError() const {
  if (Boundary_ != nullptr) {
    Boundary_->RethrowPending();
  }
}

void THandlerControl::Beep() const {
  if (Boundary_ != nullptr) {
    Boundary_->Beep();
  } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QApplication::beep();
  }
}

void THandlerBoundary::Report(const std::exception_ptr& error) {
  try {
    try {
      std::rethrow_exception(error);
    } catch (const EFitError& e) {
      Show(TMessageBoxKind::Error, e.what());
    } catch (const EMathError& e) {
      Show(TMessageBoxKind::MathError, e.what());
    } catch (const std::exception& e) {
      Show(TMessageBoxKind::MathError, e.what());
    } catch (...) {
      Show(TMessageBoxKind::MathError, "Unknown error.");
    }
  } catch (...) {
    // Showing the message failed as well; there is nobody left to tell.
  }
}

void THandlerBoundary::Run(const std::function<void()>& handler) {
  if (!handler) {
    return;
  }
  const bool outermost = Depth_ == 0;
  std::exception_ptr error;
  {
    const TDepthGuard guard(Depth_);
    try {
      handler();
    } catch (...) {
      error = std::current_exception();
    }
  }
  if (!outermost) {
    if (error && !Pending_) {
      Pending_ = error;
    }
    return;
  }
  // An inner error that no setter raised again (its emission came from a Qt event, not
  // from a setter) happened first, so it is the one shown.
  if (Pending_) {
    error = std::exchange(Pending_, nullptr);
  }
  if (error) {
    Report(error);
  }
}

void THandlerBoundary::RethrowPending() {
  if (Depth_ > 0 && Pending_) {
    std::rethrow_exception(std::exchange(Pending_, nullptr));
  }
}

void THandlerBoundary::Show(TMessageBoxKind kind, std::string_view text) {
  const TModalLoopScope modalLoop(*this);
  Messages_.Show(kind, text);
}

TModalLoopScope::TModalLoopScope(THandlerBoundary& boundary)
    : Boundary_(boundary),
      SavedDepth_(std::exchange(boundary.Depth_, 0)),
      SavedPending_(std::exchange(boundary.Pending_, nullptr)) {}

TModalLoopScope::~TModalLoopScope() {
  Boundary_.Depth_ = SavedDepth_;
  Boundary_.Pending_ = std::move(SavedPending_);
}
