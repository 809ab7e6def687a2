// The booking note and the spreadsheets at scale:
//   booking_bench generate DIR N YEAR   a program folder with N random assets on eight asset
//                                       accounts and the annual accounting results of YEAR
//   booking_bench run DIR YEAR          the timings below, in one run
// References measured in the same run: reading the accounting result table (every record,
// through the store) for the booking note and its CSV; the accounting statement written as
// PDF for the same statement written as XLSX.
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_support.h"
#include "common/decimal.h"
#include "depreciation/calculation_input.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "offscreen_company.h"
#include "reports/booking_note_csv.h"
#include "reports/booking_note_report.h"
#include "reports/qt/pdf_writer.h"
#include "reports/recording_printer.h"
#include "reports/statements.h"
#include "reports/xlsx_writer.h"
#include "store/database.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;
using namespace kavrina;
using bench::peakMegabytes;
using bench::secondsSince;

namespace {

constexpr const char* kAccounts[] = {"0120",  "0121", "0220", "0230",
                                     "02310", "0240", "0250", "0300"};

int generate(const fs::path& dir, int count, int year) {
  store::Program program;
  bench::enterProgramFolder(dir, program);
  store::INITDBF(program, 0);
  bench::writeRandomRegister({.count = count, .firstYear = 2005, .lastYear = year, .seed = 29});
  {
    auto mdos = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    int i = 0;
    for (mdos->goTop(); !mdos->eof(); mdos->skip(), ++i) {
      const std::string konto = kAccounts[i % std::size(kAccounts)];
      mdos->putNumber("Konto", parseNumber(konto));
      mdos->putNumber("DuzKonta", static_cast<double>(konto.size()));
    }
    mdos->close();
  }
  store::DBOPENALL(program);
  const auto r = depreciation::runObracun(program, {year, 12, true, false}, {});
  if (!r.done) return 1;
  std::printf("results of %d: %zu records\n", year, r.accountingRows);
  program.areas.closeAll();
  return 0;
}

void figure(const char* what, double seconds, double reference) {
  std::printf("%s: %.3f s, %.2f x the reference\n", what, seconds, seconds / reference);
}

int run(const fs::path& dir, int year, int argc, char** argv) {
  bench::OffscreenCompany company(dir, argc, argv);
  store::Program& program = company.program;
  const std::string file =
      depreciation::resultTableName(year, 12, depreciation::ResultKind::Accounting);
  const reports::CalculationRow row{file, "Godisnji obracun Racunovodstvene amortizacije",
                                    std::to_string(year), "12"};

  // Reference: every record of the accounting result table read through the store.
  auto start = bench::Clock::now();
  std::size_t records = 0;
  {
    depreciation::ResultTableReader reader(program, "BazaRA");
    if (!reader.open(store::dataPath(program, file))) return 1;
    records = depreciation::readRaRows(reader.table()).size();
  }
  const double readSeconds = secondsSince(start);
  std::printf("result table read: %zu records, %.3f s (reference)\n", records, readSeconds);

  settings::BookingAccounts accounts;
  accounts.prefixes.push_back({"0231", "02319"});
  start = bench::Clock::now();
  const auto note = reports::readBookingNote(program, row, accounts, false);
  if (!note) return 1;
  figure("booking note per account (table and register read, lines summed)", secondsSince(start),
         readSeconds);
  start = bench::Clock::now();
  const auto perAsset = reports::readBookingNote(program, row, accounts, true);
  if (!perAsset) return 1;
  figure("booking note per asset", secondsSince(start), readSeconds);

  reports::RecordingPrinter printer;
  start = bench::Clock::now();
  if (!reports::StampaNaloga(program, printer, row, accounts, true)) return 1;
  figure("booking note per asset composed", secondsSince(start), readSeconds);
  std::printf("  %d pages, %zu lines\n", printer.document().pageCount(), perAsset->lines.size());

  const fs::path csv = dir.parent_path() / "nalog_bench.csv";
  start = bench::Clock::now();
  if (reports::writeBookingNoteCsv(*perAsset, csv, dir, true)) return 1;
  figure("booking note per asset as CSV", secondsSince(start), readSeconds);
  fs::remove(csv);

  // The accounting statement: PDF as the reference, XLSX measured beside it.
  start = bench::Clock::now();
  if (!reports::StampaORA(program, printer, row)) return 1;
  figure("accounting statement composed, its workbook kept to be made", secondsSince(start),
         readSeconds);
  const auto statement = printer.sharedDocument();
  const fs::path pdf = dir.parent_path() / "ora_bench.pdf";
  start = bench::Clock::now();
  if (reports::writePdf(*statement, pdf, {dir, true})) return 1;
  const double pdfSeconds = secondsSince(start);
  std::printf("accounting statement as PDF: %d pages, %.3f s (reference)\n", statement->pageCount(),
              pdfSeconds);
  fs::remove(pdf);
  if (!statement->workbook) {
    std::printf("accounting statement as XLSX: the statement gives no workbook in this build\n");
  } else {
    const fs::path xlsx = dir.parent_path() / "ora_bench.xlsx";
    start = bench::Clock::now();
    const sheet::Workbook workbook = statement->workbook();
    if (reports::writeXlsx(workbook, xlsx, dir, true)) return 1;
    const double xlsxSeconds = secondsSince(start);
    std::printf(
        "accounting statement as XLSX (its workbook made, then written): %zu rows, %.3f s, %.2f x "
        "the PDF\n",
        workbook.sheets.front().rows.size(), xlsxSeconds, xlsxSeconds / pdfSeconds);
    fs::remove(xlsx);
  }
  std::printf("peak memory: %ld MB\n", peakMegabytes());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "generate" && argc == 5)
    return generate(fs::absolute(argv[2]), std::stoi(argv[3]), std::stoi(argv[4]));
  if (mode == "run" && argc == 4) return run(fs::absolute(argv[2]), std::stoi(argv[3]), argc, argv);
  std::fprintf(stderr, "usage: booking_bench generate DIR N YEAR | run DIR YEAR\n");
  return 2;
}
