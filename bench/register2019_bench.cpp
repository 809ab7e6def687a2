// The register of assets acquired from 2019 at scale:
//   register2019_bench generate DIR N YEAR   a program folder with N assets, all under the
//                                            rules from 2019, and the annual results of YEAR
//   register2019_bench run DIR YEAR          the timings below, in one run
// Reference: reading the two result tables of the calculation (every record, through the
// store). Measured beside it: UCITAJPAMRAM, composing the register until its preview is
// asked for, the first page shown in the preview (offscreen), form POA, and peak memory.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "bench_support.h"
#include "depreciation/obracun.h"
#include "depreciation/result_tables.h"
#include "depreciation/ucitaj_pamram.h"
#include "offscreen_company.h"
#include "reports/evidencija_2019.h"
#include "reports/obrazac_poa.h"
#include "reports/qt/page_view.h"
#include "reports/qt/print_preview.h"
#include "store/database.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;
using namespace kavrina;
using SteadyClock = bench::Clock;
using bench::peakMegabytes;
using bench::secondsSince;

namespace {

int generate(const fs::path& dir, int count, int year) {
  store::Program program;
  bench::enterProgramFolder(dir, program);
  store::INITDBF(program, 0);
  bench::writeRandomRegister(
      {.count = count, .firstYear = 2019, .lastYear = year, .writeOffs = false, .seed = 2019});
  store::DBOPENALL(program);
  const auto r = depreciation::runObracun(program, {year, 12, true, true}, {});
  program.areas.closeAll();
  std::printf("generated %d new-rules assets with the results of %d (%zu + %zu records)\n", count,
              year, r.accountingRows, r.taxRows);
  return r.done ? 0 : 1;
}

int run(const fs::path& dir, int year, int argc, char** argv) {
  bench::OffscreenCompany company(dir, argc, argv);
  store::Program& program = company.program;
  const std::string y = std::to_string(year);

  // Reference: every record of the two result tables read through the store.
  auto start = SteadyClock::now();
  std::size_t records = 0;
  for (const char* kind : {"P", "R"}) {
    const fs::path file = store::dataPath(program, "A" + y + "12" + kind + ".dbf");
    if (!store::useTable(program, file, "Bench", {.shared = true, .readOnly = true})) return 1;
    store::DbfTable& table = program.areas["Bench"];
    table.setSnapshotScan(true);  // one pass from top to bottom, as the loader reads
    records += *kind == 'P' ? depreciation::readPaRows(table).size()
                            : depreciation::readRaRows(table).size();
    program.areas.close("Bench");
  }
  const double readSeconds = secondsSince(start);
  std::printf("result tables read: %zu records, %.3f s (reference)\n", records, readSeconds);

  start = SteadyClock::now();
  const auto list = depreciation::UCITAJPAMRAM(program, y, "12");
  const double loadSeconds = secondsSince(start);
  std::printf("UCITAJPAMRAM: %zu assets, %.3f s (%.2f x reference)\n", list.rows.size(),
              loadSeconds, loadSeconds / readSeconds);

  reports::PrintPreview preview;
  preview.resize(1200, 800);
  std::shared_ptr<const reports::PageDocument> doc;
  preview.printer().OnPreview = [&](std::shared_ptr<const reports::PageDocument> d) {
    doc = std::move(d);
  };
  start = SteadyClock::now();
  if (!reports::EVIDENCIJAOS01012019(program, preview.printer(), y, "12") || !doc) return 1;
  const double composeSeconds = secondsSince(start);
  start = SteadyClock::now();
  preview.ShowPreview(doc);
  preview.pageView()->grab();  // paints the page as its paint event would
  const double firstPageSeconds = secondsSince(start);
  std::printf(
      "register: %d pages composed in %.3f s (%.2f x reference), first page shown in "
      "%.3f s; together %.3f s (%.2f x reference)\n",
      doc->pageCount(), composeSeconds, composeSeconds / readSeconds, firstPageSeconds,
      composeSeconds + firstPageSeconds, (composeSeconds + firstPageSeconds) / readSeconds);

  start = SteadyClock::now();
  if (!reports::OBRAZACPOA(program, preview.printer(), y, "12")) return 1;
  const double poaSeconds = secondsSince(start);
  std::printf("form POA: %.3f s (%.2f x reference)\n", poaSeconds, poaSeconds / readSeconds);
  std::printf("peak memory: %ld MB\n", peakMegabytes());
  program.areas.closeAll();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "generate")
    return generate(args[1], std::stoi(args[2]), std::stoi(args[3]));
  if (args.size() == 3 && args[0] == "run") return run(args[1], std::stoi(args[2]), argc, argv);
  std::fprintf(stderr, "usage: register2019_bench generate DIR N YEAR | run DIR YEAR\n");
  return 2;
}
