#include "ElicitationFileActions.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <utility>

#include "ApplicationWindows.h"
#include "ElicitationReport.h"
#include "FeedbackWindow.h"
#include "FloatErrors.h"
#include "InputWindow.h"
#include "JudgementUndo.h"

namespace {

constexpr QLatin1String kRecentKey("RecentFiles");
constexpr char kFileFilter[] =
    QT_TRANSLATE_NOOP("ElicitationFileActions", "Elicitations (*.morvane);;All files (*)");

ElicitationFileActions::UnsavedAnswer AskWithDialog(QWidget* parent, const QString& fileName) {
  QMessageBox box(
      QMessageBox::Warning, QStringLiteral("Morvane"),
      ElicitationFileActions::tr("Save the changes to \"%1\" before going on?").arg(fileName),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("UnsavedQuestion"));
  box.setInformativeText(
      ElicitationFileActions::tr("Your changes are lost if you do not save them."));
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return ElicitationFileActions::UnsavedAnswer::Save;
    case QMessageBox::Discard:
      return ElicitationFileActions::UnsavedAnswer::Discard;
    default:
      return ElicitationFileActions::UnsavedAnswer::Cancel;
  }
}

QString WithExtension(QString path) {
  const QString extension = QString::fromLatin1(
      kElicitationExtension.data(), static_cast<qsizetype>(kElicitationExtension.size()));
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
    path += extension;
  }
  return path;
}

}  // namespace

QString OpenRefusal(const QString& path, const QString& what) {
  return ElicitationFileActions::tr("Cannot open %1:\n%2")
      .arg(QDir::toNativeSeparators(path), what);
}

QString ReportRefusal(const QString& path, const QString& what) {
  return ElicitationFileActions::tr("Cannot write the report %1:\n%2")
      .arg(QDir::toNativeSeparators(path), what);
}

QString SaveRefusal(const QString& path, const QString& what) {
  return ElicitationFileActions::tr("Cannot save %1:\n%2")
      .arg(QDir::toNativeSeparators(path), what);
}

ElicitationFileActions::ElicitationFileActions(ApplicationWindows& windows) : Windows_(windows) {
  InputWindow& window = *Windows_.Main();
  AskUnsaved = [&window](const QString& name) { return AskWithDialog(&window, name); };
  AskOpenPath = [&window] {
    return QFileDialog::getOpenFileName(&window, tr("Open Elicitation"), QString(),
                                        tr(kFileFilter));
  };
  AskSavePath = [this, &window] {
    return WithExtension(QFileDialog::getSaveFileName(
        &window, tr("Save Elicitation As"),
        Path_.isEmpty() ? tr("Untitled") + QStringLiteral(".morvane") : Path_, tr(kFileFilter)));
  };
  AskReportPath = [this, &window] {
    const QString suggested = Path_.isEmpty() ? tr("Untitled") + QStringLiteral(".pdf")
                                              : QFileInfo(Path_).path() + QLatin1Char('/') +
                                                    QFileInfo(Path_).completeBaseName() +
                                                    QStringLiteral(".pdf");
    QString path = QFileDialog::getSaveFileName(&window, tr("Export Report"), suggested,
                                                QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
      path += QStringLiteral(".pdf");
    }
    return path;
  };
  CreateMenu();
  connect(&Windows_.Undo().Stack(), &QUndoStack::cleanChanged, this, [this] { ShowTitle(); });
  window.installEventFilter(this);
  ShowTitle();
}

void ElicitationFileActions::CreateMenu() {
  InputWindow& window = *Windows_.Main();
  QMenuBar& bar = *window.MenuBar;
  FileMenu_ = new QMenu(tr("&File"), &bar);
  FileMenu_->setObjectName(QStringLiteral("FileMenu"));
  bar.insertMenu(bar.actions().value(0), FileMenu_);
  const auto command = [this, &window](const QString& text, QKeySequence::StandardKey key,
                                       const char* name, auto handler) {
    QAction* action = FileMenu_->addAction(text);
    action->setObjectName(QLatin1String(name));
    if (key != QKeySequence::UnknownKey) {
      action->setShortcut(key);
    }
    window.addAction(action);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  command(tr("&New"), QKeySequence::New, "NewAction", [this] { New(); });
  command(tr("&Open..."), QKeySequence::Open, "OpenAction", [this] {
    if (!MayDiscard()) {
      return;
    }
    const QString path = AskOpenPath();
    if (!path.isEmpty()) {
      OpenAsked(path);
    }
  });
  RecentMenu_ = FileMenu_->addMenu(tr("Open &Recent"));
  RecentMenu_->setObjectName(QStringLiteral("RecentMenu"));
  connect(RecentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  FillRecentMenu();
  FileMenu_->addSeparator();
  command(tr("&Save"), QKeySequence::Save, "SaveAction", [this] { Save(); });
  command(tr("Save &As..."), QKeySequence::SaveAs, "SaveAsAction", [this] {
    const QString path = AskSavePath();
    if (!path.isEmpty()) {
      SaveTo(path);
    }
  });
  FileMenu_->addSeparator();
  command(tr("&Export Report..."), QKeySequence::Print, "ExportReportAction", [this] {
    const QString path = AskReportPath();
    if (!path.isEmpty()) {
      ExportReport(path);
    }
  });
  FileMenu_->addSeparator();
  command(tr("&Quit"), QKeySequence::Quit, "QuitAction", [&window] { window.close(); });
}

bool ElicitationFileActions::IsModified() const {
  return !Windows_.Undo().Stack().isClean();
}

QString ElicitationFileActions::DisplayName() const {
  return Path_.isEmpty() ? tr("Untitled") : QFileInfo(Path_).fileName();
}

void ElicitationFileActions::ShowTitle() {
  InputWindow& window = *Windows_.Main();
  window.setWindowTitle(DisplayName() + QStringLiteral("[*] - Morvane"));
  window.setWindowModified(IsModified());
}

bool ElicitationFileActions::MayDiscard() {
  // A field's text the expert has not committed yet is a change too.
  Windows_.Undo().TakeCommit();
  if (!IsModified()) {
    return true;
  }
  switch (AskUnsaved(DisplayName())) {
    case UnsavedAnswer::Save:
      return Save();
    case UnsavedAnswer::Discard:
      return true;
    case UnsavedAnswer::Cancel:
      return false;
  }
  return false;
}

bool ElicitationFileActions::New() {
  if (!MayDiscard()) {
    return false;
  }
  Path_.clear();
  Show(ElicitationRecord{}, true);
  Windows_.Feedback()->hide();
  Windows_.Undo().Restart();
  ShowTitle();
  emit Settled();
  return true;
}

void ElicitationFileActions::Show(const ElicitationRecord& record, bool quiet) {
  InputWindow& window = *Windows_.Main();
  Elicitation& document = Windows_.Document();
  document.OpenAll(record, PlotOptions{false});
  Windows_.Feedback()->SetCredibilityLevel(document.Typed().Credibility);
  window.ShowTyped(document.Typed());
  if (quiet) {
    window.Refit();
  } else {
    Windows_.Boundary().Run([&window] { window.Plot(); });
  }
}

bool ElicitationFileActions::Open(const QString& path) {
  return MayDiscard() && OpenAsked(path);
}

bool ElicitationFileActions::OpenAsked(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Windows_.Boundary().ShowError(OpenRefusal(path, file.errorString()).toStdString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  ElicitationRecord record;
  try {
    record = ReadElicitationText(std::string_view(bytes.constData(), bytes.size()));
    if (record.Experts.empty()) {
      throw EFileError(tr("it holds no expert's judgements").toStdString());
    }
  } catch (const EFileError& refusal) {
    Windows_.Boundary().ShowError(
        OpenRefusal(path, QString::fromUtf8(refusal.what())).toStdString());
    return false;
  }
  Path_ = QFileInfo(path).absoluteFilePath();
  Show(record, false);
  Windows_.Undo().Restart();
  RememberRecent(Path_);
  ShowTitle();
  emit Settled();
  return true;
}

void ElicitationFileActions::Adopt(const ElicitationRecord& record) {
  if (record.Experts.empty()) {
    return;
  }
  Path_.clear();
  Show(record, true);
  Windows_.Undo().Restart();
  // Not on any disk but the autosave's: unsaved until the expert saves it.
  Windows_.Undo().Stack().resetClean();
  ShowTitle();
}

ElicitationRecord ElicitationFileActions::Record() const {
  const Elicitation& document = Windows_.Document();
  ElicitationRecord record = document.WholeRecord();
  // The fields' text is the current expert's, committed or not.
  record.Experts[document.CurrentExpert()].Typed = Windows_.Main()->Typed();
  return record;
}

std::string ElicitationFileActions::Text() const {
  return WriteElicitationText(Record(), Windows_.Document().CurrentFits());
}

bool ElicitationFileActions::Save() {
  if (Path_.isEmpty()) {
    const QString path = AskSavePath();
    return !path.isEmpty() && SaveTo(path);
  }
  return SaveTo(Path_);
}

bool ElicitationFileActions::SaveTo(const QString& path) {
  Windows_.Undo().TakeCommit();
  std::string text;
  try {
    text = Text();
  } catch (const EFileError& refusal) {
    Windows_.Boundary().ShowError(
        SaveRefusal(path, QString::fromUtf8(refusal.what())).toStdString());
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    Windows_.Boundary().ShowError(SaveRefusal(path, file.errorString()).toStdString());
    return false;
  }
  Path_ = QFileInfo(path).absoluteFilePath();
  Windows_.Undo().Stack().setClean();
  RememberRecent(Path_);
  ShowTitle();
  emit Settled();
  return true;
}

bool ElicitationFileActions::ExportReport(const QString& path) {
  Windows_.Undo().TakeCommit();
  QString failure;
  try {
    WriteElicitationReport(path, Record(),
                           QDate::currentDate().toString(Qt::ISODate).toStdString());
    return true;
  } catch (const EFileError& e) {
    failure = QString::fromUtf8(e.what());
  } catch (const EFitError& e) {
    failure = QString::fromUtf8(e.what());
  } catch (const EMathError& e) {
    failure = QString::fromUtf8(e.what());
  }
  Windows_.Boundary().ShowError(ReportRefusal(path, failure).toStdString());
  return false;
}

QStringList ElicitationFileActions::RecentFiles() const {
  return QSettings().value(kRecentKey).toStringList();
}

void ElicitationFileActions::RememberRecent(const QString& path) {
  QStringList recent = RecentFiles();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentCount) {
    recent.removeLast();
  }
  QSettings().setValue(kRecentKey, recent);
  FillRecentMenu();
}

void ElicitationFileActions::FillRecentMenu() {
  RecentMenu_->clear();
  const QStringList recent = RecentFiles();
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* action = RecentMenu_->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    connect(action, &QAction::triggered, this, [this, path] { Open(path); });
  }
  RecentMenu_->setEnabled(!recent.isEmpty());
}

bool ElicitationFileActions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == Windows_.Main() && !MayDiscard()) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}
