// Morvane: the input window opens at start; nothing is computed until the expert acts.
#include <QApplication>
#include <QIcon>

#include "Appearance.h"
#include "ApplicationWindows.h"
#include "InputWindow.h"
#include "MessageService.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane.png")));
  // Lets the desktop match the windows to the menu entry morvane.desktop.
  QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
  InstallToolkitFont();

  // The document and the two windows are created here and destroyed when the loop has
  // ended; every message box is modal. Closing the input window ends the program, whether
  // or not the feedback window is open; closing the feedback window only hides it.
  TQtMessageService messages;
  ApplicationWindows windows(messages);
  windows.Main()->show();
  return QApplication::exec();
}
