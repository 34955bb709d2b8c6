#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <cstdio>

#include "Translations.h"

std::string_view ApplicationTitle() {
  return "Morvane";
}

std::string_view MessageTitle(TMessageBoxKind kind) {
  switch (kind) {
    case TMessageBoxKind::Error:
      return "Error";
    case TMessageBoxKind::Warning:
      return "Warning";
    case TMessageBoxKind::MathError:
      break;
  }
  return ApplicationTitle();
}

std::unique_ptr<QMessageBox> CreateMessageBox(TMessageBoxKind kind, std::string_view text,
                                              QWidget* parent) {
  QMessageBox::Icon icon = QMessageBox::Critical;
  QMessageBox::StandardButton button = QMessageBox::Ok;
  if (kind == TMessageBoxKind::Error) {
    button = QMessageBox::Cancel;
  } else if (kind == TMessageBoxKind::Warning) {
    icon = QMessageBox::Warning;
  }
  // The box speaks the windows' language; what is recorded and printed stays English.
  auto box = std::make_unique<QMessageBox>(icon, TranslatedSystemText(MessageTitle(kind)),
                                           TranslatedSystemText(text), button, parent);
  box->setTextFormat(Qt::PlainText);
  box->setDefaultButton(button);
  box->setEscapeButton(button);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

void TQtMessageService::Show(TMessageBoxKind kind, std::string_view text) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    // No windows to show a box over (a command-line program): say it on stderr instead.
    const std::string_view title = MessageTitle(kind);
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    return;
  }
  auto box = CreateMessageBox(kind, text, QApplication::activeWindow());
  const QPointer<QMessageBox> alive(box.get());
  box->exec();
  if (alive.isNull()) {
    (void)box.release();  // its parent window was destroyed meanwhile, and the box with it
  }
}

void TQtMessageService::Beep() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QApplication::beep();
  }
}

void TMessageRecorder::Show(TMessageBoxKind kind, std::string_view text) {
  Records_.push_back({kind, std::string(MessageTitle(kind)), std::string(text)});
}

void TMessageRecorder::Clear() {
  Records_.clear();
  BeepCount_ = 0;
}
