#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <memory>

namespace {

class TQtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // QApplication keeps references to both for its lifetime.
    static int argc = 1;
    static char name[] = "morvane-ui-tests";
    static char* argv[] = {name, nullptr};
    App_ = std::make_unique<QApplication>(argc, argv);
    // The settings (recent files) and the data folder (the kept session) of the tests are
    // their own, never the user's.
    QStandardPaths::setTestModeEnabled(true);
  }
  void TearDown() override { App_.reset(); }

 private:
  std::unique_ptr<QApplication> App_;
};

[[maybe_unused]] const ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

}  // namespace

bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < timeoutMs) {
    QTest::qWait(10);
  }
  return condition();
}

std::vector<std::string> UnnamedFocusableWidgets(QWidget& window) {
  std::vector<std::string> unnamed;
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    if (widget->focusPolicy() == Qt::NoFocus || widget->isWindow() != (widget == &window)) {
      continue;
    }
    const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty()) {
      const QString name = widget->objectName();
      unnamed.push_back(
          (name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name)
              .toStdString());
    }
  }
  return unnamed;
}
