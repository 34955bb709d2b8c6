// Message boxes and beeps: everything the program tells the user outside its windows goes
// through one small interface, so that tests and the snapshot tool can record it instead
// of blocking on a modal dialog. The application makes one service and hands it to the
// error boundary its windows show their messages through (ErrorBoundary.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMessageBox;
class QWidget;

enum class TMessageBoxKind {
  Error,      // title "Error", stop-sign icon, one "Cancel" button
  Warning,    // title "Warning", exclamation-mark icon, one "OK" button
  MathError,  // an arithmetic error: the application's title, error icon, one "OK" button
};

// The program's title, the caption of its arithmetic-error reports.
std::string_view ApplicationTitle();

std::string_view MessageTitle(TMessageBoxKind kind);

class TMessageService {
 public:
  virtual ~TMessageService() = default;

  // Shows a message box and returns when it is closed; the answer is not used.
  virtual void Show(TMessageBoxKind kind, std::string_view text) = 0;
  // Refuses a key audibly.
  virtual void Beep() = 0;

  void ShowError(std::string_view text) { Show(TMessageBoxKind::Error, text); }
  void ShowWarning(std::string_view text) { Show(TMessageBoxKind::Warning, text); }
  void ShowMathError(std::string_view text) { Show(TMessageBoxKind::MathError, text); }
};

// Modal QMessageBoxes over the active window, and QApplication::beep().
class TQtMessageService final : public TMessageService {
 public:
  void Show(TMessageBoxKind kind, std::string_view text) override;
  void Beep() override;
};

// The box TQtMessageService shows, built but not shown.
std::unique_ptr<QMessageBox> CreateMessageBox(TMessageBoxKind kind, std::string_view text,
                                              QWidget* parent = nullptr);

struct TMessageRecord {
  TMessageBoxKind Kind;
  std::string Title;
  std::string Text;
  friend bool operator==(const TMessageRecord&, const TMessageRecord&) = default;
};

// Stores every message and beep and returns at once.
class TMessageRecorder final : public TMessageService {
 public:
  void Show(TMessageBoxKind kind, std::string_view text) override;
  void Beep() override { ++BeepCount_; }

  const std::vector<TMessageRecord>& Records() const { return Records_; }
  int BeepCount() const { return BeepCount_; }
  void Clear();

 private:
  std::vector<TMessageRecord> Records_;
  int BeepCount_ = 0;
};
