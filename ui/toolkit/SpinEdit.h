// The spin edit: a line edit with up and down arrow buttons, holding a whole number or, with
// one decimal (SetDecimals(1)), a number in steps of a tenth.
//
// - Value() reads the whole text as a number in units of the last decimal: an optional sign
//   and digits and, with a decimal, an optional "." with at most one digit after it that is
//   not zero ("2.5" reads 25, "7" reads 70, "2." and ".5" read 20 and 5). Any other text
//   (empty, a lone sign, a lone point, letters, a number beyond int) reads as the current
//   MinValue(); ReadValue() tells it apart. The value read is never clamped.
// - Stepping (the arrow buttons, the Up and Down keys) writes the value read plus or minus
//   one whole (10 units with a decimal), clamped into MinValue()..MaxValue(); when the two
//   are equal nothing is clamped. Holding an arrow button repeats the step after 400 ms and
//   then every 100 ms. With a decimal, whole values are written without one: "3", "2.5".
// - When the field loses the focus to another control and clamping would change the value
//   read, the text is rewritten to the clamped value and Clamped is emitted with the text
//   that was typed, after Changed.
// - Setting MinValue or MaxValue changes neither the text nor emits Changed.
// - Changed is emitted synchronously on every change of the text (typing, stepping,
//   rewriting, SetText, SetValue); writing the text it already has is no change.
// - Typing accepts the digits, "+", "-", the decimal point "." and control keys other than
//   Enter; any other character key is refused with a beep.
// - With a typing pause set (SetTypingPause), a change typed into the field is held until
//   the typing pauses that long, Enter is pressed or the field loses the focus, and only
//   then emits Changed, once, with the whole number typed. A number at a pause that lies
//   outside the range but begins a number inside it (9 where 80 to 100 is allowed) is held
//   on until Enter or leaving. Stepping and every write by the program still emit at once.
//   Enter then settles what is held and is refused only when nothing was; with nothing
//   held it passes on to the window.
// - A refused key beeps through the handler boundary of its Changed handler
//   (THandlerControl).
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "ErrorBoundary.h"

class QKeyEvent;
class QLineEdit;
class QToolButton;

class TSpinEdit : public QWidget, public THandlerControl {
  Q_OBJECT

 public:
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;
  static constexpr int kButtonWidth = 15;

  explicit TSpinEdit(QWidget* parent = nullptr);

  int Value() const;
  // The text as a value, or nothing when it is not a number.
  std::optional<int> ReadValue() const;
  // Writes the value clamped into the range (unclamped when MinValue equals MaxValue).
  void SetValue(int value);
  // How a value is written: "25" reads "2.5" with a decimal.
  QString ValueText(int value) const;

  // 0 (the default) or 1: the decimals the field takes; the value, the range and the steps
  // are counted in units of the last one.
  int Decimals() const { return Decimals_; }
  void SetDecimals(int decimals) { Decimals_ = decimals == 1 ? 1 : 0; }

  int MinValue() const { return MinValue_; }
  void SetMinValue(int value) { MinValue_ = value; }
  int MaxValue() const { return MaxValue_; }
  void SetMaxValue(int value) { MaxValue_ = value; }

  QString Text() const;
  void SetText(const QString& text);

  // The most characters the field takes; 0 means no limit.
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int length);

  // How long typing must pause before a typed change emits Changed; 0 (the default) emits
  // on every keystroke.
  int TypingPause() const { return TypingPause_; }
  void SetTypingPause(int milliseconds);
  // Whether a typed change is held, waiting for its pause.
  bool HoldsTyping() const { return Held_; }
  // Emits Changed for a held typed change now, as its pause would.
  void SettleTyping();

  // One step, as a press of the arrow button.
  void StepUp();
  void StepDown();

  // The parts, for tests and for placing the focus.
  QLineEdit* LineEdit() const { return Edit_; }
  QToolButton* UpButton() const { return Up_; }
  QToolButton* DownButton() const { return Down_; }

  QSize sizeHint() const override;

 signals:
  void Changed();
  // Leaving the field rewrote the text `typed` to the nearest value of the range.
  void Clamped(const QString& typed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int Clamp(long long value) const;
  void Step(int delta);
  void WriteText(const QString& text);
  void OnTextChanged(const QString& text);
  bool FilterKey(const QKeyEvent& event);
  void ClampOnExit();
  void StartRepeat(QToolButton* button, int delta);
  void RepeatStep();
  void StopRepeat();
  // Emits Changed when the text differs from the last one reported.
  void ReportText();
  void OnTypingPause();
  // Whether the typed number could still become a number within the range.
  bool BeginsANumberInRange() const;

  QLineEdit* Edit_ = nullptr;
  QToolButton* Up_ = nullptr;
  QToolButton* Down_ = nullptr;
  QTimer RepeatTimer_;
  QToolButton* RepeatButton_ = nullptr;
  int RepeatDelta_ = 0;
  QString LastText_ = QStringLiteral("0");
  int MinValue_ = 0;
  int MaxValue_ = 100;
  int MaxLength_ = 0;
  int Decimals_ = 0;
  int TypingPause_ = 0;
  QTimer TypingTimer_;
  bool Held_ = false;
  bool Writing_ = false;
};
