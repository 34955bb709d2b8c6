// Morvane: the input window opens at start, with the elicitation file named on the command
// line if there is one, after offering to restore a session that ended without saving.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "Appearance.h"
#include "ApplicationWindows.h"
#include "ElicitationFileActions.h"
#include "InputWindow.h"
#include "MessageService.h"
#include "SessionAutosave.h"
#include "Translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  QApplication::setOrganizationName(QStringLiteral("Morvane"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane.png")));
  // Lets the desktop match the windows to the menu entry morvane.desktop.
  QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
  InstallToolkitFont();

  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("Elicitation of two-sided power distributions"));
  options.addHelpOption();
  const QCommandLineOption language(
      QStringLiteral("lang"),
      QStringLiteral("The windows' language, such as de or en; the system's when not given."),
      QStringLiteral("language"));
  options.addOption(language);
  options.addPositionalArgument(QStringLiteral("file"),
                                QStringLiteral("An elicitation (.morvane) to open."));
  options.process(app);
  InstallTranslation(options.value(language));

  // The document and the two windows are created here and destroyed when the loop has
  // ended; every message box is modal. Closing the input window ends the program, whether
  // or not the feedback window is open; closing the feedback window only hides it.
  TQtMessageService messages;
  ApplicationWindows windows(messages);
  SessionAutosave autosave(windows);
  windows.Main()->show();
  autosave.OfferRestore();
  if (!options.positionalArguments().isEmpty()) {
    windows.Files().Open(options.positionalArguments().front());
  }
  const int status = QApplication::exec();
  // The window closed with its changes saved or given up.
  autosave.Remove();
  return status;
}
