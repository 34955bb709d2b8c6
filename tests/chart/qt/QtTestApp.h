// One QApplication for the Qt tests of the chart, created before the first test.
#pragma once

#include <QApplication>
#include <memory>

#include <gtest/gtest.h>

namespace charttest {

class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QApplication::instance() == nullptr) {
      app_ = std::make_unique<QApplication>(argc_, argv_);
    }
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "chart_qt_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// Registered once for the test program.
inline ::testing::Environment* const qtAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace charttest
