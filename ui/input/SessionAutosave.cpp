#include "SessionAutosave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUndoStack>
#include <QtGlobal>
#include <string_view>
#include <utility>

#include "ApplicationWindows.h"
#include "ElicitationFileActions.h"
#include "InputWindow.h"
#include "JudgementUndo.h"

QString SessionAutosave::DefaultPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("session.morvane"));
}

SessionAutosave::SessionAutosave(ApplicationWindows& windows, QString path)
    : Windows_(windows), Path_(std::move(path)) {
  AskRestore = [this] {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Morvane"),
                    tr("Morvane ended last time without saving its session. "
                       "Restore the judgements and notes it held?"),
                    QMessageBox::Yes | QMessageBox::No, Windows_.Main());
    box.setObjectName(QStringLiteral("RestoreQuestion"));
    box.setInformativeText(tr("Restored, they are unsaved until you save them."));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
  };
  connect(&Windows_.Undo().Stack(), &QUndoStack::indexChanged, this, [this] {
    if (Windows_.Files().IsModified()) {
      Write();
    } else {
      Remove();
    }
  });
  connect(&Windows_.Files(), &ElicitationFileActions::Settled, this, &SessionAutosave::Remove);
}

bool SessionAutosave::Found() const {
  return QFileInfo::exists(Path_);
}

bool SessionAutosave::OfferRestore() {
  if (!Found()) {
    return false;
  }
  if (!AskRestore()) {
    Remove();
    return false;
  }
  QFile file(Path_);
  if (!file.open(QIODevice::ReadOnly)) {
    Windows_.Boundary().ShowError(OpenRefusal(Path_, file.errorString()).toStdString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  try {
    Windows_.Files().Adopt(ReadElicitationText(std::string_view(bytes.constData(), bytes.size())));
    // Taken back, it is kept again at once: another crash before a change loses nothing.
    Write();
  } catch (const EFileError& refusal) {
    Windows_.Boundary().ShowError(
        OpenRefusal(Path_, QString::fromUtf8(refusal.what())).toStdString());
    return false;
  }
  return true;
}

void SessionAutosave::Write() {
  std::string text;
  try {
    text = Windows_.Files().Text();
  } catch (const EFileError& failure) {
    qWarning("The session could not be kept: %s", failure.what());
    return;
  }
  QDir().mkpath(QFileInfo(Path_).absolutePath());
  QSaveFile file(Path_);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    // Never a box: the expert did not ask for this write.
    qWarning("The session could not be kept in %s: %s", qUtf8Printable(Path_),
             qUtf8Printable(file.errorString()));
  }
}

void SessionAutosave::Remove() {
  QFile::remove(Path_);
}
