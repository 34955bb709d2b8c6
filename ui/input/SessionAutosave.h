// The session kept on the disk while it runs, so that a crash loses nothing.
//
// - After every change of the judgements or notes (each command of the undo stack, undone
//   and redone ones too) the whole session is written to one file, through QSaveFile, by
//   default in the application's data folder (QStandardPaths::AppDataLocation).
// - Once the session answers its file again (saved, opened, new, or undone back to it) the
//   file is removed; the program removes it too when it ends cleanly (Remove).
// - A file found at start is left from a session that ended without either: OfferRestore
//   asks whether to take it back, and takes it as an untitled, unsaved session; declined,
//   it is removed.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class ApplicationWindows;

class SessionAutosave : public QObject {
  Q_OBJECT

 public:
  // The session file in the application's data folder.
  static QString DefaultPath();

  // Keeps the session of `windows`, which must outlive it, in the file at `path`.
  SessionAutosave(ApplicationWindows& windows, QString path = DefaultPath());

  const QString& Path() const { return Path_; }
  // Whether a session file is there.
  bool Found() const;
  // Asks whether to restore the session file found and restores it, or removes it; false
  // when there was none or it was declined or unreadable.
  bool OfferRestore();
  void Write();
  void Remove();

  // The question whether to restore, a dialog by default; tests answer it themselves.
  std::function<bool()> AskRestore;

 private:
  ApplicationWindows& Windows_;
  QString Path_;
};
