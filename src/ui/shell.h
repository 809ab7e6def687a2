// The shell's "open": start a program, or show a document with the desktop's viewer.
#pragma once

#include <filesystem>

namespace kavrina::ui {

class Shell {
 public:
  virtual ~Shell() = default;
  // Shows the document with the desktop's default viewer for its kind; does not wait.
  // False when the viewer could not be started.
  virtual bool openDocument(const std::filesystem::path& document) = 0;
  // Starts the program without arguments, detached from this one (not waited for, and it
  // outlives this program). False when it could not be started (missing, not executable).
  virtual bool startProgram(const std::filesystem::path& program) = 0;
};

}  // namespace kavrina::ui
