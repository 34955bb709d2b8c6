// The input window's File menu: the elicitation as a file.
//
// - New, Open, Open Recent, Save, Save As, Export Report (ElicitationReport.h) and Quit, with the
// platform's
//   standard keys. Open Recent lists the last files opened or saved (QSettings), newest
//   first.
// - The title names the file ("Untitled" before the first save) and carries the modified
//   mark while the judgements or notes differ from the file's (the undo stack is not clean).
// - New, Open and closing the window ask first, while there are unsaved changes, whether
//   to save them (Save / Discard / Cancel); Cancel, or a save that failed, keeps everything
//   as it is.
// - Saving writes through QSaveFile: the file on the disk holds its old content or all of
//   the new, never part of it. Every expert is saved, with the pool weights.
// - A file that cannot be read or is not an elicitation gets an Error message naming the
//   file and what is wrong, and the session stays as it was.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ElicitationFile.h"

class ApplicationWindows;
class QAction;
class QMenu;

class ElicitationFileActions : public QObject {
  Q_OBJECT

 public:
  enum class UnsavedAnswer { Save, Discard, Cancel };
  // The most files Open Recent lists.
  static constexpr int kRecentCount = 8;

  // Gives the input window of `windows`, which must outlive it, its File menu, first in the
  // menu bar, and watches its close.
  explicit ElicitationFileActions(ApplicationWindows& windows);

  // The file the session was last saved to or opened from; empty when untitled.
  const QString& FilePath() const { return Path_; }
  bool IsModified() const;

  // [SECTION] The commands, without their dialogs

  // Back to the initial judgements and empty notes, untitled; false when the expert
  // cancelled the question.
  bool New();
  // Opens the file; false when cancelled or refused (the refusal shown).
  bool Open(const QString& path);
  // Saves to the file the session came from, else asks for one.
  bool Save();
  // Saves to path and makes it the session's file; false with the failure shown.
  bool SaveTo(const QString& path);
  // Writes the report of the session's judgements as a PDF, every expert and, for two or
  // more, their pool at the document's weights; false with the failure shown.
  bool ExportReport(const QString& path);
  // Takes a session kept elsewhere (the autosave's): its judgements and notes, untitled and
  // modified.
  void Adopt(const ElicitationRecord& record);
  // Asks, when there are unsaved changes, and saves when told to; false to stop.
  bool MayDiscard();
  // The session as a record and as the text of its file.
  ElicitationRecord Record() const;
  std::string Text() const;

  // The list of Open Recent, newest first.
  QStringList RecentFiles() const;

  // The question on unsaved changes, a dialog by default; tests answer it themselves.
  std::function<UnsavedAnswer(const QString& fileName)> AskUnsaved;
  // The file to open or save to, from the file dialog by default; empty when cancelled.
  std::function<QString()> AskOpenPath;
  std::function<QString()> AskSavePath;
  std::function<QString()> AskReportPath;

  QMenu* FileMenu() const { return FileMenu_; }
  QMenu* RecentMenu() const { return RecentMenu_; }

 signals:
  // The session was saved to its file or taken from one (opened, new): what is on the disk
  // now answers it.
  void Settled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  // Open, the question on unsaved changes answered.
  bool OpenAsked(const QString& path);
  void ShowTitle();
  void RememberRecent(const QString& path);
  void FillRecentMenu();
  // Puts a whole elicitation into the document, its first expert into the windows, and fits
  // them.
  void Show(const ElicitationRecord& record, bool quiet);
  QString DisplayName() const;

  ApplicationWindows& Windows_;
  QString Path_;
  QMenu* FileMenu_ = nullptr;
  QMenu* RecentMenu_ = nullptr;
};

// "Cannot open FILE:\nWHAT", "Cannot save FILE:\nWHAT" and "Cannot write the report
// FILE:\nWHAT", the file by its native path.
QString OpenRefusal(const QString& path, const QString& what);
QString SaveRefusal(const QString& path, const QString& what);
QString ReportRefusal(const QString& path, const QString& what);
