// The shell on Linux: programs started detached in a session of their own, documents
// handed to the desktop's opener (xdg-open).
#pragma once

#include <string>
#include <vector>

#include "ui/shell.h"

namespace kavrina::ui {

class SystemShell final : public Shell {
 public:
  // `opener` is the program that shows a document with the desktop's default viewer.
  explicit SystemShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}

  bool openDocument(const std::filesystem::path& document) override;
  bool startProgram(const std::filesystem::path& program) override;

 private:
  std::string opener_;
};

// Starts argv[0] (a path, or a name looked up in PATH) with the arguments, detached: in a
// session of its own, standard input from /dev/null, no descriptor of this program but
// standard output and error, and reaped at once so that it never lingers as a zombie.
// Returns 0 when the program was started, otherwise the errno of the failed start.
int startDetached(const std::vector<std::string>& argv);

}  // namespace kavrina::ui
