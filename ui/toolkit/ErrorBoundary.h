// The error boundary every window handler runs in, and through which the windows show their
// message boxes.
//
// An exception raised by a handler ends that handler and is shown: a fit error (a
// judgement that cannot be fitted, a text that is not a number) as an Error message box
// with its text; an arithmetic error, or any other exception, as the arithmetic-error
// report with its text. Nothing ever reaches Qt's event loop.
//
// Handlers may call one another synchronously: a handler that selects a radio group's item
// runs the group's handler in the middle of its own code. An error in the inner handler
// ends the outer one too and is shown once, by the outermost boundary. Because an
// exception must not travel through a Qt signal emission, the inner boundary keeps the
// error, and the control's setter that emitted the signal raises it again once the
// emission is over (THandlerControl::RethrowPendingHandlerError).
//
// The boundary is an object of the application, made before its windows and handed to
// them; it keeps which handlers are running on the stack of the current event loop.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <exception>
#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

#include "Message.h"
#include "MessageService.h"

class THandlerBoundary;

// A control whose public setters emit the signals handlers are connected to. The boundary
// that connects a handler to it makes itself known, so that the control can raise again,
// after such an emission, the error a handler left pending, and beep through the boundary's
// message service.
class THandlerControl {
 public:
  void SetHandlerBoundary(THandlerBoundary* boundary) { Boundary_ = boundary; }
  THandlerBoundary* HandlerBoundary() const { return Boundary_; }

 protected:
  // For the control's public setters, after emitting: if a handler run by that emission
  // failed inside an outer handler, the error is raised here, so that it ends the outer
  // handler as well.
  void RethrowPendingHandlerError() const;
  // Refuses a key audibly: through the boundary's service, else QApplication::beep().
  void Beep() const;

 private:
  THandlerBoundary* Boundary_ = nullptr;
};

class THandlerBoundary {
 public:
  // Shows what it has to show through `messages`, which must outlive it.
  explicit THandlerBoundary(TMessageService& messages) : Messages_(messages) {}
  THandlerBoundary(const THandlerBoundary&) = delete;
  THandlerBoundary& operator=(const THandlerBoundary&) = delete;

  // Runs a handler inside the boundary.
  void Run(const std::function<void()>& handler);

  // Connects a control's signal to a handler that runs inside the boundary; the connection
  // ends with the context object, which the boundary must outlive. The signal's arguments
  // are not passed on.
  //   boundary.Connect(LowerLevelSpin, &TSpinEdit::Changed, this, [this] { ... });
  template <typename Sender, typename Signal>
  QMetaObject::Connection Connect(Sender* sender, Signal signal, const QObject* context,
                                  std::function<void()> handler) {
    if constexpr (std::is_base_of_v<THandlerControl, Sender>) {
      sender->SetHandlerBoundary(this);
    }
    return QObject::connect(sender, signal, context,
                            [this, handler = std::move(handler)] { Run(handler); });
  }

  // Raises the error an inner handler left pending, when inside a handler.
  void RethrowPending();
  // True while a handler runs inside the boundary.
  bool Inside() const { return Depth_ > 0; }

  // Shows a message box and returns when it is closed. Handlers raised by the box's own
  // event loop start chains of their own.
  void Show(TMessageBoxKind kind, std::string_view text);
  void ShowError(std::string_view text) { Show(TMessageBoxKind::Error, text); }
  void ShowWarning(std::string_view text) { Show(TMessageBoxKind::Warning, text); }
  // A message of the core: an Error or a Warning box.
  void Show(const Message& message) {
    Show(message.Kind == MessageKind::Error ? TMessageBoxKind::Error : TMessageBoxKind::Warning,
         message.Text);
  }
  void Beep() { Messages_.Beep(); }

  TMessageService& Messages() const { return Messages_; }

 private:
  friend class TModalLoopScope;
  void Report(const std::exception_ptr& error);

  TMessageService& Messages_;
  // How many handlers of this boundary are active on the stack of the current event loop.
  int Depth_ = 0;
  // The first error raised by an inner handler that has not yet ended its outer handler.
  std::exception_ptr Pending_;
};

// Makes the handlers raised inside a nested event loop (a modal message box) outermost
// ones again, each showing its own errors, for the lifetime of the scope.
class TModalLoopScope {
 public:
  explicit TModalLoopScope(THandlerBoundary& boundary);
  ~TModalLoopScope();
  TModalLoopScope(const TModalLoopScope&) = delete;
  TModalLoopScope& operator=(const TModalLoopScope&) = delete;

 private:
  THandlerBoundary& Boundary_;
  int SavedDepth_;
  std::exception_ptr SavedPending_;
};
