// A company folder opened for a report benchmark: an offscreen Qt application, a scripted
// user interface that answers nothing, and the program's session on the folder.
#pragma once

#include <QApplication>
#include <filesystem>

#include "bench_support.h"
#include "store/database.h"
#include "support/scripted_ui.h"

namespace kavrina::bench {

class OffscreenCompany {
 public:
  // `argc` must outlive the object (QApplication keeps a reference to it).
  OffscreenCompany(const std::filesystem::path& dir, int& argc, char** argv)
      : app_((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv) {
    program.ui = &ui_;
    openCompany(dir, program);
  }

 private:
  QApplication app_;
  ui::ScriptedUi ui_;

 public:
  store::Program program;
};

}  // namespace kavrina::bench
