// The documents of a calculation at scale:
//   documents_bench generate DIR N FIRST LAST   a program folder with N random assets and
//                                                the annual results of FIRST to LAST
//   documents_bench run DIR YEAR                 the timings below, in one run
// References measured in the same run: reading the accounting result table of YEAR (every
// record, through the store) for the statements and form OA; opening one result table and
// finding one asset in it for the card. Measured beside them: each statement and form OA
// composed until its preview is asked for and its first page shown (offscreen), one card
// of an asset with results in every year, the accounting statement written as PDF in this
// process, and peak memory.
#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_support.h"
#include "depreciation/calculation_input.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "offscreen_company.h"
#include "reports/asset_card.h"
#include "reports/qt/page_view.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt/print_preview.h"
#include "reports/statements.h"
#include "store/database.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;
using namespace kavrina;
using SteadyClock = bench::Clock;
using bench::peakMegabytes;
using bench::secondsSince;

namespace {

int generate(const fs::path& dir, int count, int first, int last) {
  store::Program program;
  bench::enterProgramFolder(dir, program);
  store::INITDBF(program, 0);
  bench::writeRandomRegister({.count = count, .firstYear = 2005, .lastYear = last, .seed = 11});
  store::DBOPENALL(program);
  for (int year = first; year <= last; ++year) {
    const auto r = depreciation::runObracun(program, {year, 12, true, true}, {});
    if (!r.done) return 1;
    std::printf("results of %d: %zu + %zu records\n", year, r.accountingRows, r.taxRows);
  }
  program.areas.closeAll();
  return 0;
}

int run(const fs::path& dir, int year, int argc, char** argv) {
  bench::OffscreenCompany company(dir, argc, argv);
  store::Program& program = company.program;
  const std::string y = std::to_string(year);
  const fs::path raFile = store::dataPath(
      program, depreciation::resultTableName(year, 12, depreciation::ResultKind::Accounting));

  // Reference: every record of the accounting result table read through the store.
  auto start = SteadyClock::now();
  std::size_t records = 0;
  {
    depreciation::ResultTableReader reader(program, "BazaRA");
    if (!reader.open(raFile)) return 1;
    records = depreciation::readRaRows(reader.table()).size();
  }
  const double readSeconds = secondsSince(start);
  std::printf("result table read: %zu records, %.3f s (reference)\n", records, readSeconds);

  reports::PrintPreview preview;
  preview.resize(1200, 800);
  std::shared_ptr<const reports::PageDocument> doc;
  preview.printer().OnPreview = [&](std::shared_ptr<const reports::PageDocument> d) {
    doc = std::move(d);
  };
  std::shared_ptr<const reports::PageDocument> statement;
  const struct {
    const char* name;
    bool (*print)(store::Program&, ui::Printer&, const reports::CalculationRow&);
    const char* kind;
    const char* description;
  } documents[] = {
      {"accounting statement", reports::StampaORA, "R",
       "Godisnji obracun Racunovodstvene amortizacije"},
      {"tax statement", reports::StampaOPA, "P", "Godisnji obracun Poreske amortizacije"},
      {"form OA", reports::StampaOA, "P", "Obrazac OA "},
  };
  for (const auto& d : documents) {
    const reports::CalculationRow row{"A" + y + "12" + d.kind + ".DBF", d.description, y, "12"};
    start = SteadyClock::now();
    if (!d.print(program, preview.printer(), row) || !doc) return 1;
    const double composeSeconds = secondsSince(start);
    start = SteadyClock::now();
    preview.ShowPreview(doc);
    preview.pageView()->grab();  // paints the page as its paint event would
    const double firstPageSeconds = secondsSince(start);
    std::printf(
        "%s: %d pages composed in %.3f s, first page shown in %.3f s; together %.3f s "
        "(%.2f x reference)\n",
        d.name, doc->pageCount(), composeSeconds, firstPageSeconds,
        composeSeconds + firstPageSeconds, (composeSeconds + firstPageSeconds) / readSeconds);
    if (!statement) statement = doc;
  }

  // The accounting statement again, once for a printer that keeps its workbook (the preview,
  // for its "Excel" button) and once for one that keeps none (printing, kavrina-cli --pdf):
  // the difference is what gathering the spreadsheet costs.
  for (const bool keeps : {true, false}) {
    preview.printer().setKeepsWorkbooks(keeps);
    const reports::CalculationRow row{"A" + y + "12R.DBF", documents[0].description, y, "12"};
    start = SteadyClock::now();
    if (!reports::StampaORA(program, preview.printer(), row) || !doc) return 1;
    const double composeSeconds = secondsSince(start);
    std::printf("accounting statement again, %s: %d pages composed in %.3f s (%.2f x reference)\n",
                keeps ? "with its workbook" : "without a workbook", doc->pageCount(),
                composeSeconds, composeSeconds / readSeconds);
  }
  preview.printer().setKeepsWorkbooks(true);

  // The card of an asset with results in each of the ten years (acquired before them and
  // not written off), the last such in the register, so that every table is searched
  // almost to its end.
  std::string assetInvBr;
  store::DbfTable& mdos = program.areas["MDOS"];
  for (mdos.goTop(); !mdos.eof(); mdos.skip())
    if (mdos.getDate("DatumN").year() < year - 9 && mdos.getDate("DatumO").empty())
      assetInvBr = mdos.getString("InvBr");
  if (assetInvBr.empty()) return 1;
  // Card reference: one result table opened and that asset found in it.
  start = SteadyClock::now();
  {
    depreciation::ResultTableReader reader(program, "BazaRA");
    if (!reader.open(raFile)) return 1;
    if (!depreciation::findRaRow(reader.table(), assetInvBr)) return 1;
  }
  const double openSeconds = secondsSince(start);
  start = SteadyClock::now();
  if (!reports::StampaKartice(program, preview.printer(), assetInvBr,
                              Date::fromYmd(year, 12, 31)) ||
      !doc)
    return 1;
  const double cardSeconds = secondsSince(start);
  std::printf("one result table opened, one asset found: %.4f s (reference)\n", openSeconds);
  std::printf("card of asset %s (%d pages, ten years): %.4f s (%.2f x reference)\n",
              assetInvBr.substr(0, assetInvBr.find(' ')).c_str(), doc->pageCount(), cardSeconds,
              cardSeconds / openSeconds);

  const fs::path pdf = dir / "ora_bench.pdf";
  start = SteadyClock::now();
  if (reports::writePdf(*statement, pdf)) return 1;
  const double pdfSeconds = secondsSince(start);
  std::printf("accounting statement as PDF in process: %d pages in %.3f s, %.0f pages/s\n",
              statement->pageCount(), pdfSeconds, statement->pageCount() / pdfSeconds);
  fs::remove(pdf);
  std::printf("peak memory: %ld MB\n", peakMegabytes());
  program.areas.closeAll();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 5 && args[0] == "generate")
    return generate(args[1], std::stoi(args[2]), std::stoi(args[3]), std::stoi(args[4]));
  if (args.size() == 3 && args[0] == "run") return run(args[1], std::stoi(args[2]), argc, argv);
  std::fprintf(stderr, "usage: documents_bench generate DIR N FIRST LAST | run DIR YEAR\n");
  return 2;
}
