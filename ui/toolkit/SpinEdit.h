// The integer spin edit: a line edit with up and down arrow buttons.
//
// - Value() reads the whole text as a decimal integer (an optional sign and digits); any
//   other text (empty, a lone sign, a decimal point, letters, a number beyond int) reads
//   as the current MinValue(). The value read is never clamped.
// - Stepping (the arrow buttons, the Up and Down keys) writes the value read plus or minus
//   one, clamped into MinValue()..MaxValue(); when the two are equal nothing is clamped.
//   Holding an arrow button repeats the step after 400 ms and then every 100 ms.
// - When the field loses the focus to another control and clamping would change the value
//   read, the text is rewritten to the clamped value.
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
  // Writes the value clamped into the range (unclamped when MinValue equals MaxValue).
  void SetValue(int value);

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
  int TypingPause_ = 0;
  QTimer TypingTimer_;
  bool Held_ = false;
  bool Writing_ = false;
};
