#include "app/qt_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "errors/end_program.h"

namespace kavrina::app {

std::optional<std::filesystem::path> QtSaveDialog::execute(const ui::SaveDialogSettings& settings) {
  QFileDialog dialog(parent_, QString::fromStdString(settings.caption));
  dialog.setObjectName("SaveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Qt reads the pattern from the parentheses of the filter entry.
  QString filter = QString::fromStdString(settings.filterDescription);
  const QString pattern = QString::fromStdString(settings.filterPattern);
  if (!filter.contains("(" + pattern + ")")) filter += " (" + pattern + ")";
  dialog.setNameFilter(filter);
  dialog.setDirectory(lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);
  dialog.selectFile(QString::fromStdString(settings.fileName));
  const int result = dialog.exec();
  errors::continueEnding();
  if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  lastFolder_ = QFileInfo(chosen).absolutePath();
  return std::filesystem::path(chosen.toStdString());
}

}  // namespace kavrina::app
