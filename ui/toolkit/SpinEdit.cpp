#include "SpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <limits>
#include <optional>

#include "Appearance.h"

namespace {

// QLineEdit's own limit, which stands for "no limit".
constexpr int kNoLengthLimit = 32767;

bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// The whole text as a number in units of its last decimal: an optional sign, then digits
// and, with a decimal, an optional point with at most one digit after it (zeros after that
// one are allowed); digits on at least one side of the point.
std::optional<int> ReadUnits(const QString& text, int decimals) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // Accumulated as a magnitude; INT_MIN's magnitude is one more than INT_MAX.
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  const int scale = decimals == 1 ? 10 : 1;
  long long magnitude = 0;
  bool digits = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    digits = true;
    magnitude = magnitude * 10 + (text[i].unicode() - u'0') * scale;
    if (magnitude > kLimit) {
      return std::nullopt;
    }
  }
  if (decimals == 1 && i < text.size() && text[i] == u'.') {
    ++i;
    if (i < text.size() && IsDigit(text[i])) {
      digits = true;
      magnitude += text[i].unicode() - u'0';
      ++i;
    }
    while (i < text.size() && text[i] == u'0') {
      ++i;
    }
  }
  if (!digits || i != text.size() || magnitude > kLimit) {
    return std::nullopt;
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

bool IsAcceptedCharacter(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

bool IsControlCharacter(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QWidget(parent),
      Edit_(new QLineEdit(this)),
      Up_(new QToolButton(this)),
      Down_(new QToolButton(this)) {
  ApplyFont(this, TFontSpec{});
  Edit_->setText(LastText_);
  Edit_->setMaxLength(kNoLengthLimit);
  Edit_->installEventFilter(this);
  setFocusProxy(Edit_);
  setFocusPolicy(Edit_->focusPolicy());

  Up_->setArrowType(Qt::UpArrow);
  Down_->setArrowType(Qt::DownArrow);
  Up_->setAccessibleName(tr("Step up"));
  Down_->setAccessibleName(tr("Step down"));
  for (QToolButton* button : {Up_, Down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(6, 6));
  }

  RepeatTimer_.setSingleShot(true);
  // A precise timer never fires early, so a held button never steps before its time.
  RepeatTimer_.setTimerType(Qt::PreciseTimer);

  connect(Edit_, &QLineEdit::textChanged, this, &TSpinEdit::OnTextChanged);
  connect(Up_, &QToolButton::pressed, this, [this] { StartRepeat(Up_, +1); });
  connect(Down_, &QToolButton::pressed, this, [this] { StartRepeat(Down_, -1); });
  connect(Up_, &QToolButton::released, this, &TSpinEdit::StopRepeat);
  connect(Down_, &QToolButton::released, this, &TSpinEdit::StopRepeat);
  connect(&RepeatTimer_, &QTimer::timeout, this, &TSpinEdit::RepeatStep);
  TypingTimer_.setSingleShot(true);
  connect(&TypingTimer_, &QTimer::timeout, this, &TSpinEdit::OnTypingPause);

  resize(sizeHint());
}

int TSpinEdit::Value() const {
  return ReadValue().value_or(MinValue_);
}

std::optional<int> TSpinEdit::ReadValue() const {
  return ReadUnits(Edit_->text(), Decimals_);
}

QString TSpinEdit::ValueText(int value) const {
  if (Decimals_ == 0 || value % 10 == 0) {
    return QString::number(Decimals_ == 0 ? value : value / 10);
  }
  const QString sign = value < 0 ? QStringLiteral("-") : QString();
  const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
  return sign + QString::number(magnitude / 10) + u'.' + QString::number(magnitude % 10);
}

void TSpinEdit::SetValue(int value) {
  WriteText(ValueText(Clamp(value)));
  ReportText();
  RethrowPendingHandlerError();
}

QString TSpinEdit::Text() const {
  return Edit_->text();
}

void TSpinEdit::SetText(const QString& text) {
  WriteText(text);
  ReportText();
  RethrowPendingHandlerError();
}

void TSpinEdit::SetMaxLength(int length) {
  MaxLength_ = length > 0 ? length : 0;
  Edit_->setMaxLength(MaxLength_ > 0 ? MaxLength_ : kNoLengthLimit);
}

void TSpinEdit::SetTypingPause(int milliseconds) {
  TypingPause_ = milliseconds > 0 ? milliseconds : 0;
  if (TypingPause_ == 0 && Held_) {
    SettleTyping();
  }
}

void TSpinEdit::SettleTyping() {
  TypingTimer_.stop();
  if (Held_) {
    Held_ = false;
    ReportText();
    RethrowPendingHandlerError();
  }
}

void TSpinEdit::StepUp() {
  Step(+1);
  RethrowPendingHandlerError();
}

void TSpinEdit::StepDown() {
  Step(-1);
  RethrowPendingHandlerError();
}

QSize TSpinEdit::sizeHint() const {
  return QSize(89, 22);
}

int TSpinEdit::Clamp(long long value) const {
  if (MinValue_ != MaxValue_) {
    // Compared one bound after the other, so that a minimum above the maximum still gives
    // an answer: below the minimum reads the minimum.
    if (value < MinValue_) {
      return MinValue_;
    }
    if (value > MaxValue_) {
      return MaxValue_;
    }
  }
  if (value < std::numeric_limits<int>::min()) {
    return std::numeric_limits<int>::min();
  }
  if (value > std::numeric_limits<int>::max()) {
    return std::numeric_limits<int>::max();
  }
  return static_cast<int>(value);
}

void TSpinEdit::Step(int delta) {
  const long long whole = Decimals_ == 1 ? 10 : 1;
  WriteText(ValueText(Clamp(static_cast<long long>(Value()) + delta * whole)));
  ReportText();
}

void TSpinEdit::WriteText(const QString& text) {
  // A write by the program ends any typing held back: its change is reported at once.
  TypingTimer_.stop();
  Held_ = false;
  if (text != Edit_->text()) {
    Writing_ = true;
    Edit_->setText(text);
    Writing_ = false;
  }
}

void TSpinEdit::OnTextChanged(const QString& text) {
  if (TypingPause_ > 0 && !Writing_) {
    // Typed: held until the typing pauses.
    Held_ = text != LastText_;
    if (Held_) {
      TypingTimer_.start(TypingPause_);
    } else {
      TypingTimer_.stop();
    }
    return;
  }
  ReportText();
}

void TSpinEdit::ReportText() {
  const QString text = Edit_->text();
  if (text == LastText_) {
    return;
  }
  LastText_ = text;
  emit Changed();
}

void TSpinEdit::OnTypingPause() {
  if (!Held_) {
    return;
  }
  // A message box opened meanwhile holds the typing on: the expert has not finished.
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != window()) {
    TypingTimer_.start(TypingPause_);
    return;
  }
  if (BeginsANumberInRange()) {
    return;
  }
  Held_ = false;
  ReportText();
}

bool TSpinEdit::BeginsANumberInRange() const {
  const QString text = Edit_->text();
  const std::optional<int> typed = ReadUnits(text, Decimals_);
  if (!typed || MinValue_ >= MaxValue_ || (*typed >= MinValue_ && *typed <= MaxValue_)) {
    return false;
  }
  // Appending digits moves a non-negative whole number away from zero; only then can a
  // number below the range still grow into it. Up to ten digits are tried, so the loop is
  // short.
  if (*typed < 0 || text.startsWith(u'-') || text.contains(u'.') || *typed >= MinValue_) {
    return false;
  }
  const long long digit = Decimals_ == 1 ? 10 : 1;
  long long low = *typed;
  long long high = *typed;
  for (int digits = 1; digits <= 10 && low <= MaxValue_; ++digits) {
    low *= 10;
    high = high * 10 + 9 * digit;
    if (high >= MinValue_ && low <= MaxValue_) {
      return true;
    }
  }
  return false;
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit_) {
    if (event->type() == QEvent::KeyPress) {
      return FilterKey(static_cast<const QKeyEvent&>(*event));
    }
    if (event->type() == QEvent::FocusOut) {
      const auto reason = static_cast<const QFocusEvent&>(*event).reason();
      // Leaving the window or opening a popup keeps the focus in the field.
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        ClampOnExit();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool TSpinEdit::FilterKey(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    Step(key == Qt::Key_Up ? +1 : -1);
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (TypingPause_ > 0) {
      // Enter settles the typing; with nothing held it belongs to the window.
      if (!Held_) {
        return false;
      }
      SettleTyping();
      return true;
    }
    Beep();
    return true;
  }
  // Shortcuts (copy, paste, select all) are control keys.
  if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  // Keys without text (arrows, Home, End, function keys) are not typing.
  for (const QChar c : event.text()) {
    if (!IsControlCharacter(c) && !IsAcceptedCharacter(c)) {
      Beep();
      return true;
    }
  }
  return false;
}

void TSpinEdit::ClampOnExit() {
  const int value = Value();
  const int clamped = Clamp(value);
  if (clamped != value) {
    const QString typed = Edit_->text();
    WriteText(ValueText(clamped));
    ReportText();
    emit Clamped(typed);
  } else if (Held_) {
    Held_ = false;
    TypingTimer_.stop();
    ReportText();
  }
}

void TSpinEdit::StartRepeat(QToolButton* button, int delta) {
  RepeatButton_ = button;
  RepeatDelta_ = delta;
  if (!Edit_->hasFocus()) {
    Edit_->setFocus(Qt::MouseFocusReason);
  }
  RepeatTimer_.start(kRepeatDelayMs);
  Step(delta);
}

void TSpinEdit::RepeatStep() {
  const QWidget* modal = QApplication::activeModalWidget();
  // A message box opened by a step ends the hold: its release will not reach the button.
  const bool blocked = modal != nullptr && modal != window();
  if (RepeatButton_ == nullptr || !RepeatButton_->isDown() || !RepeatButton_->isEnabled() ||
      !isVisible() || blocked) {
    StopRepeat();
    return;
  }
  RepeatTimer_.start(kRepeatIntervalMs);
  Step(RepeatDelta_);
}

void TSpinEdit::StopRepeat() {
  RepeatTimer_.stop();
  if (RepeatButton_ != nullptr && RepeatButton_->isDown()) {
    RepeatButton_->setDown(false);
  }
  RepeatButton_ = nullptr;
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int buttonWidth = qMin(kButtonWidth, width() / 2);
  const int upHeight = height() / 2;
  Edit_->setGeometry(0, 0, width() - buttonWidth, height());
  Up_->setGeometry(width() - buttonWidth, 0, buttonWidth, upHeight);
  Down_->setGeometry(width() - buttonWidth, upHeight, buttonWidth, height() - upHeight);
}
