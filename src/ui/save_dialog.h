// The main window's file-save dialog (`SaveDialog`) as the procedures see it: set up with a
// caption, one filter entry and a proposed file name, it answers the path the user chose or
// that the user cancelled. The program passes its Qt dialog; tests a scripted one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kavrina::ui {

struct SaveDialogSettings {
  std::string caption;
  std::string filterDescription;  // e.g. "ZIP arhive (*.zip)"
  std::string filterPattern;      // e.g. "*.zip"
  std::string fileName;           // the proposed file name
};

class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // Shows the dialog modally; answers the chosen path (absolute), nothing when cancelled.
  virtual std::optional<std::filesystem::path> execute(const SaveDialogSettings& settings) = 0;
};

}  // namespace kavrina::ui
