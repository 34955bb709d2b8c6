// What the widget tests share: the QApplication (created before the first test by a
// GoogleTest environment) and small helpers for driving windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Shows the window and waits until it is the active window, so that focus changes reach
// its controls. False if it never became active.
bool ShowActive(QWidget& window);

// Processes events until the condition holds, at most timeoutMs milliseconds; the
// condition's final value.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// The focusable widgets of the window, itself included, that assistive technology finds no
// name for: their object names (class names when they have none).
std::vector<std::string> UnnamedFocusableWidgets(QWidget& window);
