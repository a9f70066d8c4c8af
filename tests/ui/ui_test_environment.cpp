// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for the window tests, made before the first test (unless another file made it).

#include <gtest/gtest.h>
#include <QApplication>

#include <memory>

#include "ui/look.h"

namespace {

class WindowTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) m_app = std::make_unique<QApplication>(m_argc, m_argv);
    QApplication::setStyle(halvora::ui::createWindowStyle());
    halvora::ui::registerFontSubstitutes();
  }
  void TearDown() override { m_app.reset(); }

 private:
  static inline char m_name[] = "halvora_ui_tests";
  static inline char* m_argv[] = {m_name, nullptr};
  static inline int m_argc = 1;
  std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const kWindowTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new WindowTestEnvironment);

}  // namespace
