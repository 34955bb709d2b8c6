#include "ErrorBoundary.h"

#include <exception>
#include <string>
#include <utility>

#include "FloatErrors.h"
#include "MessageService.h"

namespace {

// How many boundaries are active on the stack of the current event loop.
int handlerDepth = 0;
// The first error raised by an inner handler that has not yet ended its outer handler.
std::exception_ptr pendingError;

void Report(const std::exception_ptr& error) {
  try {
    try {
      std::rethrow_exception(error);
    } catch (const EFitError& e) {
      MessageService().ShowError(e.what());
    } catch (const EMathError& e) {
      MessageService().ShowMathError(e.what());
    } catch (const std::exception& e) {
      MessageService().ShowMathError(e.what());
    } catch (...) {
      MessageService().ShowMathError("Unknown error.");
    }
  } catch (...) {
    // Showing the message failed as well; there is nobody left to tell.
  }
}

class TDepthGuard {
 public:
  TDepthGuard() { ++handlerDepth; }
  ~TDepthGuard() { --handlerDepth; }
  TDepthGuard(const TDepthGuard&) = delete;
  TDepthGuard& operator=(const TDepthGuard&) = delete;
};

}  // namespace

void RunHandler(const std::function<void()>& handler) {
  if (!handler) {
    return;
  }
  const bool outermost = handlerDepth == 0;
  std::exception_ptr error;
  {
    const TDepthGuard guard;
    try {
      handler();
    } catch (...) {
      error = std::current_exception();
    }
  }
  if (!outermost) {
    if (error && !pendingError) {
      pendingError = error;
    }
    return;
  }
  // An inner error that no setter raised again (its emission came from a Qt event, not
  // from a setter) happened first, so it is the one shown.
  if (pendingError) {
    error = std::exchange(pendingError, nullptr);
  }
  if (error) {
    Report(error);
  }
}

void RethrowPendingHandlerError() {
  if (handlerDepth > 0 && pendingError) {
    std::rethrow_exception(std::exchange(pendingError, nullptr));
  }
}

bool InsideHandler() {
  return handlerDepth > 0;
}

TModalLoopScope::TModalLoopScope()
    : SavedDepth_(std::exchange(handlerDepth, 0)),
      SavedPending_(std::exchange(pendingError, nullptr)) {}

TModalLoopScope::~TModalLoopScope() {
  handlerDepth = SavedDepth_;
  pendingError = std::move(SavedPending_);
}
