// The dialog "Uvoz iz CSV fajla" of the asset section: the user picks a CSV file, the
// program checks it against the open company's register and shows every bad row in a list
// before anything is written; "Uvezi" then adds the assets (src/import does the work).
#pragma once

#include <QDialog>

#include "import/asset_import.h"
#include "store/program.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kavrina::app {

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ImportDialog(store::Program& program, QWidget* parent = nullptr);

  // The file to import (what "Izaberi..." puts in the field).
  void setFile(const QString& file);
  // Checks the file without writing: the bad rows fill the list; "Uvezi" is enabled when
  // there is none. Answers whether the file may be imported.
  bool check();
  // Imports the checked file; on success shows how many assets came in and closes the
  // dialog accepted. The list shows the bad rows when the register refused some meanwhile.
  bool importFile();
  std::size_t imported() const { return imported_; }

  QLineEdit* eFajl = nullptr;
  QPushButton* bIzaberi = nullptr;
  QPushButton* bProveri = nullptr;
  QPushButton* bUvezi = nullptr;
  QPushButton* bZatvori = nullptr;
  QLabel* lStatus = nullptr;
  QTableWidget* sgGreske = nullptr;  // Red, Kolona, Razlog

 private:
  void showResult(const import::ImportResult& result, bool trial);

  store::Program& program_;
  std::size_t imported_ = 0;
};

// Shows the dialog modally; true when assets were imported (the list is then reloaded).
bool showImportDialog(store::Program& program, QWidget* parent);

}  // namespace kavrina::app
