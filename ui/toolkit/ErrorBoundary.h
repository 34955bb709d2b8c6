// The error boundary every window handler runs in.
//
// An exception raised by a handler ends that handler and is shown: a fit error (a
// judgement that cannot be fitted, a text that is not a number) as an Error message box
// with its text; an arithmetic error, or any other exception, as the arithmetic-error
// report with its text. Nothing ever reaches Qt's event loop.
//
// Handlers call one another synchronously: a handler that selects a radio group's item
// runs the group's handler in the middle of its own code. An error in the inner handler
// ends the outer one too and is shown once, by the outermost boundary. Because an
// exception must not travel through a Qt signal emission, the inner boundary keeps the
// error, and the control's setter that emitted the signal raises it again once the
// emission is over (RethrowPendingHandlerError).
#pragma once

#include <QMetaObject>
#include <QObject>
#include <exception>
#include <functional>
#include <utility>

// Runs a handler inside the boundary.
void RunHandler(const std::function<void()>& handler);

// Connects a control's signal to a handler that runs inside the boundary; the connection
// ends with the context object. The signal's arguments are not passed on: handlers read
// what they need from the controls.
//   ConnectHandler(SpinEdit1, &TSpinEdit::Changed, this, [this] { SpinEdit1Change(); });
template <typename Sender, typename Signal>
QMetaObject::Connection ConnectHandler(Sender* sender, Signal signal, const QObject* context,
                                       std::function<void()> handler) {
  return QObject::connect(sender, signal, context,
                          [handler = std::move(handler)] { RunHandler(handler); });
}

// For controls: call after emitting a signal from a public setter (selecting an item,
// writing a text, stepping). If a handler run by that emission failed inside an outer
// handler, the error is raised here, so that it ends the outer handler as well.
void RethrowPendingHandlerError();

// True while a handler runs inside the boundary.
bool InsideHandler();

// Makes the handlers raised inside a nested event loop (a modal message box) outermost
// ones again, each showing its own errors, for the lifetime of the scope.
class TModalLoopScope {
 public:
  TModalLoopScope();
  ~TModalLoopScope();
  TModalLoopScope(const TModalLoopScope&) = delete;
  TModalLoopScope& operator=(const TModalLoopScope&) = delete;

 private:
  int SavedDepth_;
  std::exception_ptr SavedPending_;
};
