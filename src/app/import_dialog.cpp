// The import dialog: a file field, its check and the list of bad rows, and the import.
#include "app/import_dialog.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "errors/end_program.h"

namespace kavrina::app {

ImportDialog::ImportDialog(store::Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {
  setWindowTitle("Kavrina : Uvoz iz CSV fajla");
  setObjectName("FUVOZ");
  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  auto* caption = new QLabel("&CSV fajl:", this);
  eFajl = new QLineEdit(this);
  eFajl->setObjectName("eFajl");
  caption->setBuddy(eFajl);
  bIzaberi = new QPushButton("&Izaberi...", this);
  bIzaberi->setObjectName("bIzaberi");
  fileRow->addWidget(caption);
  fileRow->addWidget(eFajl, 1);
  fileRow->addWidget(bIzaberi);
  layout->addLayout(fileRow);

  lStatus = new QLabel(
      "Prvi red fajla nabraja kolone (polja tabele MDOS): obavezne su InvBr, Naziv, DatumN i "
      "RAOsn.",
      this);
  lStatus->setObjectName("lStatus");
  lStatus->setWordWrap(true);
  layout->addWidget(lStatus);

  sgGreske = new QTableWidget(0, 3, this);
  sgGreske->setObjectName("sgGreske");
  sgGreske->setHorizontalHeaderLabels({"Red", "Kolona", "Razlog"});
  sgGreske->horizontalHeader()->setStretchLastSection(true);
  sgGreske->verticalHeader()->hide();
  sgGreske->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgGreske->setSelectionBehavior(QAbstractItemView::SelectRows);
  layout->addWidget(sgGreske, 1);

  auto* buttons = new QHBoxLayout;
  bProveri = new QPushButton("&Proveri", this);
  bProveri->setObjectName("bProveri");
  bUvezi = new QPushButton("&Uvezi", this);
  bUvezi->setObjectName("bUvezi");
  bUvezi->setEnabled(false);
  bZatvori = new QPushButton("&Zatvori", this);
  bZatvori->setObjectName("bZatvori");
  for (QPushButton* b : {bProveri, bUvezi, bZatvori}) b->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(bProveri);
  buttons->addWidget(bUvezi);
  buttons->addWidget(bZatvori);
  layout->addLayout(buttons);
  resize(620, 380);

  connect(bIzaberi, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getOpenFileName(this, "Uvoz iz CSV fajla", eFajl->text(),
                                                      "CSV fajlovi (*.csv *.txt);;Svi fajlovi (*)");
    if (!file.isEmpty()) {
      setFile(file);
      check();
    }
  });
  connect(eFajl, &QLineEdit::textEdited, this, [this] { bUvezi->setEnabled(false); });
  connect(bProveri, &QPushButton::clicked, this, [this] { check(); });
  connect(bUvezi, &QPushButton::clicked, this, [this] { importFile(); });
  connect(bZatvori, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportDialog::setFile(const QString& file) {
  eFajl->setText(file);
  bUvezi->setEnabled(false);
}

void ImportDialog::showResult(const import::ImportResult& result, bool trial) {
  sgGreske->setRowCount(static_cast<int>(result.bad.size()));
  for (std::size_t i = 0; i < result.bad.size(); ++i) {
    const import::BadRow& bad = result.bad[i];
    const int row = static_cast<int>(i);
    sgGreske->setItem(row, 0, new QTableWidgetItem(QString::number(bad.line)));
    sgGreske->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(bad.column)));
    sgGreske->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(bad.reason)));
  }
  sgGreske->resizeColumnToContents(0);
  sgGreske->resizeColumnToContents(1);
  QString status;
  if (!result.failure.empty())
    status = QString::fromStdString(result.failure);
  else if (!result.bad.empty())
    status = QString(
                 "Pogresnih redova: %1. Nista nije uvezeno; ispravite fajl pa ga proverite "
                 "ponovo.")
                 .arg(import::badLineCount(result.bad));
  else if (trial)
    status =
        QString("Fajl je ispravan: %1 sredstava. Uvezi ih dugmetom \"Uvezi\".").arg(result.assets);
  else if (!result.alreadyIn)
    status = QString("Uvezeno sredstava: %1").arg(result.assets);
  if (result.failure.empty() && result.bad.empty())
    for (const std::string& note : result.notes)
      status += (status.isEmpty() ? "" : "\n") + QString::fromStdString(note);
  lStatus->setText(status);
}

bool ImportDialog::check() {
  const import::ImportResult result =
      import::importAssetFile(program_, eFajl->text().toStdString(), true);
  showResult(result, true);
  const bool good = result.failure.empty() && result.bad.empty();
  bUvezi->setEnabled(good);
  return good;
}

bool ImportDialog::importFile() {
  bUvezi->setEnabled(false);
  const import::ImportResult result =
      import::importAssetFile(program_, eFajl->text().toStdString(), false);
  showResult(result, false);
  if (!result.written) return false;
  imported_ = result.assets;
  program_.CINVENTARSKIBROJ = reg::storedInvBr(result.lastInvBr);
  program_.userInterface().messageBox("Uvezeno sredstava: " + std::to_string(result.assets),
                                      ui::MessageKind::Information, ui::MessageButtons::Ok);
  accept();
  return true;
}

bool showImportDialog(store::Program& program, QWidget* parent) {
  ImportDialog dialog(program, parent);
  dialog.exec();
  errors::continueEnding();
  return dialog.imported() > 0;
}

}  // namespace kavrina::app
