// The tests of the main window: the register of AppTest and one QApplication for the suite,
// made before its first test and gone after its last.
#pragma once

#include <QApplication>
#include <memory>

#include "app/app_fixture.h"

namespace kavrina::test {

class WindowTest : public AppTest {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "kavrina_window_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  static inline std::unique_ptr<QApplication> app_;
};

}  // namespace kavrina::test
