#include "MessageService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

#include "ErrorBoundary.h"
#include "ToolkitPrinters.h"
#include "Translations.h"

namespace {

// The caption of a button as shown, without the mnemonic marker.
std::string Caption(const QAbstractButton* button) {
  return button->text().remove(u'&').toStdString();
}

TEST(MessageBoxTest, EachKindHasItsTitleIconAndSingleButton) {
  struct TCase {
    TMessageBoxKind Kind;
    const char* Title;
    QMessageBox::Icon Icon;
    const char* Button;
  };
  const TCase cases[] = {
      {TMessageBoxKind::Error, "Error", QMessageBox::Critical, "Cancel"},
      {TMessageBoxKind::Warning, "Warning", QMessageBox::Warning, "OK"},
      {TMessageBoxKind::MathError, "Morvane", QMessageBox::Critical, "OK"},
  };
  for (const TCase& c : cases) {
    const auto box = CreateMessageBox(c.Kind, "x_s must lie between 8.1 and 10.2 <b>!</b>");
    EXPECT_EQ(box->windowTitle().toStdString(), c.Title);
    EXPECT_EQ(box->icon(), c.Icon) << c.Title;
    ASSERT_EQ(box->buttons().size(), 1) << c.Title;
    EXPECT_EQ(Caption(box->buttons().front()), c.Button);
    // Shown as written, markup and all.
    EXPECT_EQ(box->text().toStdString(), "x_s must lie between 8.1 and 10.2 <b>!</b>");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
  }
}

TEST(MessageBoxTest, UnderTheGermanCatalogueABoxSpeaksGermanAndTheRecordStaysEnglish) {
  ASSERT_TRUE(InstallTranslation(QStringLiteral("de")));
  // The fixed first line is translated; the line with the numbers comes as it is.
  const std::string text =
      "Additional Quantile Specification not Feasible\nx_s must lie strictly between 8.1 and 9.";
  const auto box = CreateMessageBox(TMessageBoxKind::Error, text);
  const QString german = box->text();
  const QString title = box->windowTitle();
  TMessageRecorder recorder;
  recorder.Show(TMessageBoxKind::Error, text);
  EXPECT_FALSE(InstallTranslation(QStringLiteral("en")));
  EXPECT_EQ(title, QStringLiteral("Fehler"));
  EXPECT_EQ(german, QStringLiteral("Angabe des zusätzlichen Quantils nicht erfüllbar\n"
                                   "x_s must lie strictly between 8.1 and 9."));
  ASSERT_EQ(recorder.Records().size(), 1u);
  EXPECT_EQ(recorder.Records()[0].Title, "Error");
  EXPECT_EQ(recorder.Records()[0].Text, text);
  // English again once the catalogue is gone.
  EXPECT_EQ(CreateMessageBox(TMessageBoxKind::Error, text)->windowTitle(), QStringLiteral("Error"));
}

TEST(MessageBoxTest, TheQtServiceShowsAModalBoxAndReturnsWhenItIsClosed) {
  std::vector<std::string> seen;
  // Closes whatever box is open, so that a broken test cannot hang.
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
    box->buttons().front()->click();
  });
  closer.start();
  TQtMessageService service;
  service.ShowWarning("m is an anti-mode.");
  service.ShowError("x_s is infeasible.");
  closer.stop();
  EXPECT_EQ(seen,
            (std::vector<std::string>{"Warning: m is an anti-mode.", "Error: x_s is infeasible."}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MessageServiceTest, TheCoresMessagesShowAsErrorAndWarningBoxesThroughTheBoundary) {
  TMessageRecorder recorder;
  THandlerBoundary boundary(recorder);
  boundary.Show(Message{MessageKind::Warning, "anti-mode"});
  boundary.Show(Message{MessageKind::Error, "infeasible"});
  boundary.Beep();
  EXPECT_EQ(recorder.Records(),
            (std::vector<TMessageRecord>{{TMessageBoxKind::Warning, "Warning", "anti-mode"},
                                         {TMessageBoxKind::Error, "Error", "infeasible"}}));
  EXPECT_EQ(recorder.BeepCount(), 1);
}

}  // namespace
