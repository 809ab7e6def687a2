// A program folder of its own for a test: a fresh folder made the working directory, the
// settings files read from it, the temporary folder inside it (and no runtime folder, so
// that the running-instance marker lies there too) and a scripted user.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/ini_files.h"
#include "store/program.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kavrina::test {

class ProgramFolder {
 public:
  ProgramFolder() : previous_(std::filesystem::current_path()) {
    if (const char* temp = std::getenv("TEMP")) previousTemp_ = temp;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) previousRuntime_ = runtime;
    std::filesystem::current_path(dir_.path());
    std::filesystem::create_directory(dir_.path() / "tmp");
    ::setenv("TEMP", (dir_.path() / "tmp").c_str(), 1);
    ::unsetenv("XDG_RUNTIME_DIR");
    settings::useSettingsFolder(dir_.path());
    program_.info.folder = dir_.path();
    program_.ui = &ui_;
  }
  ~ProgramFolder() {
    program_.areas.closeAll();
    std::filesystem::current_path(previous_);
    if (previousTemp_.empty())
      ::unsetenv("TEMP");
    else
      ::setenv("TEMP", previousTemp_.c_str(), 1);
    if (!previousRuntime_.empty()) ::setenv("XDG_RUNTIME_DIR", previousRuntime_.c_str(), 1);
  }

  const std::filesystem::path& path() const { return dir_.path(); }
  store::Program& program() { return program_; }
  ui::ScriptedUi& ui() { return ui_; }

 private:
  TempDir dir_;
  std::filesystem::path previous_;
  std::string previousTemp_;
  std::string previousRuntime_;
  ui::ScriptedUi ui_;
  store::Program program_;
};

}  // namespace kavrina::test
