#include "app/report_calls.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include "app/count_commands.h"
#include "app/qt_save_dialog.h"
#include "app/tfosmain.h"
#include "reports/asset_card.h"
#include "reports/asset_list.h"
#include "reports/booking_note_csv.h"
#include "reports/booking_note_report.h"
#include "reports/company_list.h"
#include "reports/evidencija_2019.h"
#include "reports/inventory_list.h"
#include "reports/list_report.h"
#include "reports/obrazac_poa.h"
#include "reports/qt/pdf_save.h"
#include "reports/qt/print_preview.h"
#include "reports/report_dialogs.h"
#include "reports/statements.h"
#include "settings/booking_accounts.h"

namespace kavrina::app {

namespace {

// The window's print preview, made on first use: it fills the window's preview place under
// the window's ToolBarStampa, whose buttons and page box it drives.
reports::PrintPreview& previewOf(TFOSMAIN& window) {
  if (auto* preview = window.findChild<reports::PrintPreview*>()) return *preview;
  auto* preview = new reports::PrintPreview(&window);
  preview->setProgramFolder(window.program().info.folder);
  preview->setUserInterface(window.program().ui);
  preview->useHostToolBar(window.ToolBarStampa, window.eTBStrana);
  window.setPreviewActions(
      {[preview] { preview->StampajDokumentClick(); }, [preview] { preview->PrvaStranaClick(); },
       [preview] { preview->PrethodnaStranaClick(); }, [preview] { preview->SledecaStranaClick(); },
       [preview] { preview->PoslednjaStranaClick(); },
       [preview] { preview->UmanjenaStranaClick(); },
       [preview] { preview->StandardnaStranaClick(); },
       [preview] { preview->UvecanaStranaClick(); }});
  QObject::connect(preview, &reports::PrintPreview::previewShown, &window,
                   [&window, preview] { window.showPreviewWidget(preview); });
  return *preview;
}

reports::CalculationRow calculationRow(const ListRow& row) {
  return {reports::listCell(row, 1), reports::listCell(row, 2), reports::listCell(row, 3),
          reports::listCell(row, 4)};
}

// The row of the accounting table of `row`'s calculation (the booking note's source).
reports::CalculationRow accountingRow(const ListRow& row) {
  reports::CalculationRow r = calculationRow(row);
  r.file = trimmed(r.file);
  if (r.file.size() >= 8) r.file[7] = 'R';
  return r;
}

// The booking note as CSV where the user says, with the PDF's rules and questions.
void saveBookingCsv(TFOSMAIN& window, store::Program& program, const ListRow& row) {
  const settings::BookingAccounts accounts =
      settings::readBookingAccounts(settings::programSettings());
  const reports::CalculationRow source = accountingRow(row);
  const auto note = reports::readBookingNote(program, source, accounts, accounts.perAsset);
  if (!note) return;
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  QString proposed = documents + QStringLiteral("/Nalog_") + QString::fromStdString(source.year) +
                     QStringLiteral("_") + QString::fromStdString(source.months) +
                     QStringLiteral(".csv");
  const auto write = [&](const std::filesystem::path& path, bool replace, std::string& warning) {
    return reports::writeBookingNoteCsv(*note, path, program.info.folder, replace, &warning);
  };
  for (;;) {
    const QString file = QFileDialog::getSaveFileName(
        &window, QStringLiteral("Nalog za knjizenje (CSV)"), proposed,
        QStringLiteral("CSV (*.csv)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty()) return;
    if (reports::saveOutputAs(file.toStdString(), program.info.folder, program.userInterface(),
                              write) == reports::PdfSaveStep::Done)
      return;
    proposed = file;
  }
}

// The scanner files of a count, picked in the file dialog (several at once).
std::vector<std::filesystem::path> pickScanFiles(TFOSMAIN& window) {
  const QStringList files = QFileDialog::getOpenFileNames(
      &window, QStringLiteral("Fajlovi skenera"),
      QStandardPaths::writableLocation(QStandardPaths::HomeLocation),
      QStringLiteral("Fajlovi skenera (*.txt *.csv *.dat);;Svi fajlovi (*)"));
  std::vector<std::filesystem::path> out;
  for (const QString& file : files) out.emplace_back(file.toStdString());
  return out;
}

// After a printed list the grid's current row is the one the report names.
void select(TFOSMAIN& window, const reports::ListPrintResult& result) {
  if (result.selectIndex) window.navigator().setCurrentRow(static_cast<int>(*result.selectIndex));
}

}  // namespace

void printDocument(TFOSMAIN& window, store::Program& program, Document document,
                   const ListRow& row) {
  switch (document) {
    case Document::SpisakFirmi:
      select(window, reports::StampaSpiskaFirmi(program, previewOf(window).printer(),
                                                program.clock.today()));
      break;
    case Document::SpisakOS:
      select(window,
             reports::StampaSpiskaOS(program, previewOf(window).printer(), program.clock.today()));
      break;
    // The calculation documents take the year and the months from cells 3 and 4.
    case Document::POA:
      reports::OBRAZACPOA(program, previewOf(window).printer(), trimmed(reports::listCell(row, 3)),
                          trimmed(reports::listCell(row, 4)));
      break;
    case Document::Evidencija2019:
      reports::EVIDENCIJAOS01012019(program, previewOf(window).printer(),
                                    trimmed(reports::listCell(row, 3)),
                                    trimmed(reports::listCell(row, 4)));
      break;
    case Document::Popis:
      select(window,
             reports::StampaPopisa(program, previewOf(window).printer(), program.clock.today()));
      break;
    case Document::Kartica:
      // The card of the grid's current asset; with no rows there is nothing to print.
      if (row.empty()) {
        program.userInterface().messageBox(reports::kNemaPodatakaZaStampu,
                                           ui::MessageKind::Information, ui::MessageButtons::Ok);
        break;
      }
      reports::StampaKartice(program, previewOf(window).printer(), reports::listCell(row, 1),
                             program.clock.today());
      break;
    case Document::ORA:
      reports::StampaORA(program, previewOf(window).printer(), calculationRow(row));
      break;
    case Document::OPA:
      reports::StampaOPA(program, previewOf(window).printer(), calculationRow(row));
      break;
    case Document::OA:
      reports::StampaOA(program, previewOf(window).printer(), calculationRow(row));
      break;
    case Document::Nalog: {
      const settings::BookingAccounts accounts =
          settings::readBookingAccounts(settings::programSettings());
      reports::StampaNaloga(program, previewOf(window).printer(), accountingRow(row), accounts,
                            accounts.perAsset);
      break;
    }
    case Document::NalogCsv:
      saveBookingCsv(window, program, row);
      break;
    case Document::Nalepnice:
      printLabelsCommand(program, previewOf(window).printer());
      break;
    case Document::PopisneRazlike: {
      QtSaveDialog saveDialog(&window);
      countDifferencesCommand(
          program, previewOf(window).printer(), [&window] { return pickScanFiles(window); },
          saveDialog, program.clock.today());
      break;
    }
  }
}

}  // namespace kavrina::app
