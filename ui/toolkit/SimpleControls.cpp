#include "SimpleControls.h"

#include <limits>

#include <QFrame>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  ApplyFont(this, TFontSpec{});
}

TLabel::TLabel(const QString& caption, QWidget* parent) : TLabel(parent) {
  SetCaption(caption);
}

void TLabel::SetCaption(const QString& caption) {
  if (caption == text()) {
    return;
  }
  setText(caption);
  if (AutoSize_) {
    adjustSize();
  }
}

void TLabel::SetAutoSize(bool on) {
  AutoSize_ = on;
  if (AutoSize_) {
    adjustSize();
  }
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  ApplyFont(this, TFontSpec{});
  // Qt cuts text at 32,767 characters by default; the edits take text of any length.
  setMaxLength(std::numeric_limits<int>::max());
}

void TEdit::SetText(const QString& text) {
  if (text != this->text()) {
    setText(text);
  }
}

TPanel::TPanel(QWidget* parent) : QLabel(parent) {
  ApplyFont(this, TFontSpec{});
  setAlignment(Qt::AlignCenter);
  setLineWidth(1);
  SetBevel(TBevel::Raised);
}

void TPanel::SetCaption(const QString& caption) {
  if (caption != text()) {
    setText(caption);
  }
}

void TPanel::SetBevel(TBevel bevel) {
  Bevel_ = bevel;
  switch (bevel) {
    case TBevel::None:
      setFrameStyle(QFrame::NoFrame);
      break;
    case TBevel::Lowered:
      setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
    case TBevel::Raised:
      setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
  }
}

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {
  ApplyFont(this, TFontSpec{});
}

TGroupBox::TGroupBox(const QString& caption, QWidget* parent) : TGroupBox(parent) {
  SetCaption(caption);
}

void TGroupBox::SetCaption(const QString& caption) {
  if (caption != title()) {
    setTitle(caption);
  }
}

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  ApplyFont(this, TFontSpec{});
}

TButton::TButton(const QString& caption, QWidget* parent) : TButton(parent) {
  SetCaption(caption);
}

void TButton::SetCaption(const QString& caption) {
  if (caption != text()) {
    setText(caption);
  }
}

TTabbedNotebook::TTabbedNotebook(QWidget* parent) : QTabWidget(parent) {
  ApplyFont(this, TFontSpec{});
}

QWidget* TTabbedNotebook::AddPage(const QString& tab) {
  auto* page = new QWidget;
  ApplyFont(page, TFontSpec{});
  addTab(page, tab);
  return page;
}

void TTabbedNotebook::SetPageIndex(int index) {
  if (index >= 0 && index < count()) {
    setCurrentIndex(index);
  }
}
