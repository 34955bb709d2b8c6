// The thin controls of the windows: label, edit, panel, group box, button and tabbed
// notebook. Each sets its own font (the toolkit's regular font unless told otherwise), and
// setting a caption equal to the current one changes nothing.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTabWidget>

#include "Appearance.h"

// A caption that, like a label placed by position, grows to fit its text.
class TLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TLabel(QWidget* parent = nullptr);
  explicit TLabel(const QString& caption, QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);

  // On (the default), the label's size follows its caption.
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool on);

 private:
  bool AutoSize_ = true;
};

// A one-line text field; no length limit.
class TEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TEdit(QWidget* parent = nullptr);

  QString Text() const { return text(); }
  void SetText(const QString& text);
};

enum class TBevel { None, Lowered, Raised };

// A bevelled box showing one line of centred text: the result panels (lowered) and the
// chart caption panels (raised, the default).
class TPanel : public QLabel {
  Q_OBJECT

 public:
  explicit TPanel(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);

  TBevel Bevel() const { return Bevel_; }
  void SetBevel(TBevel bevel);

 private:
  TBevel Bevel_ = TBevel::Raised;
};

// A framed group with a caption. The caption font is the group box's own; the toolkit
// controls inside keep theirs (a plain Qt widget inside would take the caption's).
class TGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit TGroupBox(QWidget* parent = nullptr);
  explicit TGroupBox(const QString& caption, QWidget* parent = nullptr);

  QString Caption() const { return title(); }
  void SetCaption(const QString& caption);
  void SetCaptionFont(const TFontSpec& style) { ApplyFont(this, style); }
};

// A push button; its clicked() signal is the press.
class TButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TButton(QWidget* parent = nullptr);
  explicit TButton(const QString& caption, QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);
};

// Pages with tabs; the first page added is the one selected.
class TTabbedNotebook : public QTabWidget {
  Q_OBJECT

 public:
  explicit TTabbedNotebook(QWidget* parent = nullptr);

  // Adds an empty page with the given tab and returns it.
  QWidget* AddPage(const QString& tab);
  int PageCount() const { return count(); }
  QWidget* Page(int index) const { return widget(index); }
  int PageIndex() const { return currentIndex(); }
  void SetPageIndex(int index);
};
