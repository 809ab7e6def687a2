// The printed asset list at scale: 100,000 assets (2,000 pages). Measures building the
// list's rows (the reference: what loading the list costs the main window), composing the
// document, showing its first page in the preview (offscreen), writing the PDF, and the
// peak memory after each step.
//   reports_bench ASSETS PDF_FILE
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "reports/asset_list.h"
#include "reports/qt/page_view.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt/print_preview.h"
#include "support/scripted_ui.h"

namespace {

using namespace kavrina;
using SteadyClock = bench::Clock;
using bench::peakMegabytes;
using bench::secondsSince;

}  // namespace

int main(int argc, char** argv) {
  const int assets = argc > 1 ? std::stoi(argv[1]) : 100000;
  const std::filesystem::path pdf = argc > 2 ? argv[2] : "SpisakOsnovnihSredstava.pdf";
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ui::ScriptedUi ui;

  store::Program program;
  program.ui = &ui;
  program.CKORISNIKNAZIV = "Preduzece DOO";
  program.CKORISNIKMESTO = "Beograd";
  auto start = SteadyClock::now();
  program.AOSNOVNASREDSTVA.rows.reserve(assets);
  for (int i = 1; i <= assets; ++i) {
    const double value = 1000 + (i % 997) * 13.37;
    const double depreciation = value * (i % 10) / 10;
    ui::AssetListRow row;
    row.InvBr = std::to_string(i);
    row.Naziv = "Osnovno sredstvo " + std::to_string(i);
    row.DatumN = Date::fromYmd(2000 + i % 24, 1 + i % 12, 1 + i % 28);
    row.RAOsn = value;
    row.PAOsn = value;
    row.presentValue = value - depreciation;
    program.AOSNOVNASREDSTVA.rows.push_back(std::move(row));
  }
  const double rowsSeconds = secondsSince(start);
  std::printf("assets=%d\nrows_seconds=%.3f\npeak_mb_after_rows=%ld\n", assets, rowsSeconds,
              peakMegabytes());

  reports::PrintPreview preview;
  preview.resize(1000, 800);
  bool previewed = false;
  // The document is handed to the preview by Preview(); time the first page separately.
  std::shared_ptr<const reports::PageDocument> doc;
  preview.printer().OnPreview = [&](std::shared_ptr<const reports::PageDocument> d) {
    doc = std::move(d);
    previewed = true;
  };
  start = SteadyClock::now();
  reports::printAssetList(program, preview.printer(), Date::fromYmd(2030, 1, 1));
  const double composeSeconds = secondsSince(start);
  if (!previewed || !doc) {
    std::fprintf(stderr, "no document\n");
    return 1;
  }
  std::printf("pages=%d\ncompose_seconds=%.3f\npeak_mb_after_compose=%ld\n", doc->pageCount(),
              composeSeconds, peakMegabytes());

  start = SteadyClock::now();
  preview.ShowPreview(doc);
  preview.pageView()->grab();  // renders the page as a paint event would
  const double firstPageSeconds = secondsSince(start);
  std::printf("first_page_seconds=%.3f\n", firstPageSeconds);

  start = SteadyClock::now();
  for (int i = 0; i < 50; ++i) {
    preview.SledecaStranaClick();
    preview.pageView()->grab();
  }
  std::printf("page_turn_ms=%.2f\n", secondsSince(start) * 1000 / 50);

  start = SteadyClock::now();
  if (auto error = reports::writePdf(*doc, pdf)) {
    std::fprintf(stderr, "%s\n", error->c_str());
    return 1;
  }
  const double pdfSeconds = secondsSince(start);
  std::printf("pdf_seconds=%.3f\npdf_ms_per_page=%.2f\npdf_megabytes=%.1f\n", pdfSeconds,
              pdfSeconds * 1000 / doc->pageCount(), std::filesystem::file_size(pdf) / 1048576.0);
  std::printf("peak_mb=%ld\n", peakMegabytes());
  std::printf("ratio compose / building the rows: %.2f x\n", composeSeconds / rowsSeconds);
  return 0;
}
