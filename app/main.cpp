// Morvane: the input window opens at start; nothing is computed until the expert acts.
#include <QApplication>
#include <memory>

#include "AnalysisUnit.h"
#include "Appearance.h"
#include "MainUnit.h"
#include "PlotPDFUnit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  InstallToolkitFont();

  // The solver (AnalysisForm) and the distribution model (GTSPForm) are objects of the
  // process that exist before main; the two windows are created here, the input window
  // first, and destroyed when the loop has ended.
  auto mainForm = std::make_unique<TMainForm>();
  MainForm = mainForm.get();
  AnalysisForm.SetInputSource(MainForm);
  auto plotForm = std::make_unique<TPlotPDFForm>();
  PlotPDFForm = plotForm.get();

  // Closing the input window ends the program, whether or not the feedback window is open;
  // closing the feedback window only hides it.
  PlotPDFForm->setAttribute(Qt::WA_QuitOnClose, false);
  MainForm->show();
  const int status = QApplication::exec();

  AnalysisForm.SetInputSource(nullptr);
  plotForm.reset();
  mainForm.reset();
  return status;
}
