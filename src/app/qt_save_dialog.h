// The main window's `SaveDialog`: Qt's file-save dialog behind the procedures' SaveDialog.
#pragma once

#include <QString>

#include "ui/save_dialog.h"

class QWidget;

namespace kavrina::app {

class QtSaveDialog final : public ui::SaveDialog {
 public:
  // The dialog is shown over `parent`.
  explicit QtSaveDialog(QWidget* parent) : parent_(parent) {}

  // Opens in the folder of the last path chosen, at first in the user's home folder (the
  // program folder, the working directory, is where an archive may not go). Replacing an
  // existing file is not confirmed here: the procedures ask about it themselves.
  std::optional<std::filesystem::path> execute(const ui::SaveDialogSettings& settings) override;

 private:
  QWidget* parent_;
  QString lastFolder_;
};

}  // namespace kavrina::app
