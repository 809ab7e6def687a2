// The main window on a large register. "generate FOLDER N" writes N assets and the previous
// year's accounting and tax results; "start FOLDER" creates the window as the program does
// (offscreen, the Qt boxes), shows the asset section and sorts it on an amount column,
// printing each time, the bare scan of MDOS as the reference, and the peak memory.
#include <unistd.h>

#include <QApplication>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/tfosmain.h"
#include "common/clock.h"
#include "common/process_memory.h"
#include "depreciation/asset_list.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/record_codec.h"
#include "store/records.h"
#include "store/schema.h"
#include "ui/qt/qt_user_interface.h"

namespace fs = std::filesystem;
using namespace kavrina;

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long peakKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

int generate(const fs::path& folder, int n) {
  fs::remove_all(folder);
  fs::create_directories(folder / "DBF");
  fs::current_path(folder);
  const int year = Clock().today().year() - 1;
  const std::string ra = "DBF/A" + std::to_string(year) + "12R.dbf";
  const std::string pa = "DBF/A" + std::to_string(year) + "12P.dbf";
  if (!store::DbfTable::create("DBF/MDOS.dbf", store::schema::mdos()) ||
      !store::DbfTable::create(ra, store::schema::resultRa()) ||
      !store::DbfTable::create(pa, store::schema::resultPa()))
    return 1;
  auto mdos = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
  auto bazaRa = store::DbfTable::open(ra, {.shared = false});
  auto bazaPa = store::DbfTable::open(pa, {.shared = false});
  using A = store::AssetRecord;
  using Ra = store::RaRow;
  using Pa = store::PaRow;
  const store::RecordCodec<A> assets(
      *mdos, store::FieldSet<A>::of(&A::InvBr, &A::Naziv, &A::DatumN, &A::RAOsn, &A::PAOsn,
                                    &A::RAStopa, &A::RAtip, &A::PAgrupa));
  const store::RecordCodec<Ra> accounting(
      *bazaRa, store::FieldSet<Ra>::of(&Ra::InvBr, &Ra::RAOsn, &Ra::RASadVr));
  const store::RecordCodec<Pa> tax(*bazaPa,
                                   store::FieldSet<Pa>::of(&Pa::InvBr, &Pa::PAOsn, &Pa::PASadVr));
  for (int i = 1; i <= n; ++i) {
    const std::string invBr = std::to_string(i);
    const double base = 1000.0 + (i * 7919 % 1000000) / 10.0;
    A a;
    a.InvBr = invBr;
    a.Naziv = "Osnovno sredstvo " + invBr;
    a.DatumN = Date::fromYmd(2010 + i % 14, 1 + i % 12, 1 + i % 28);
    a.RAOsn = base;
    a.PAOsn = base;
    a.RAStopa = 10;
    a.RAtip = 1;
    a.PAgrupa = 1 + i % 5;
    mdos->append();
    assets.write(a);
    Ra ra;
    ra.InvBr = invBr;
    ra.RAOsn = base;
    ra.RASadVr = base * 0.6;
    bazaRa->append();
    accounting.write(ra);
    Pa pa;
    pa.InvBr = invBr;
    pa.PAOsn = base;
    pa.PASadVr = base * 0.7;
    bazaPa->append();
    tax.write(pa);
  }
  mdos->close();
  bazaRa->close();
  bazaPa->close();
  std::printf("generated %d assets and the annual results of %d in %s\n", n, year, folder.c_str());
  return 0;
}

int start(const fs::path& folder, int argc, char** argv) {
  memory::prepareForLargeLists();  // as the program's start does
  fs::current_path(folder);
  settings::useSettingsFolder(fs::current_path());
  QApplication application(argc, argv);
  ui::QtUserInterface userInterface;
  store::Program program;
  program.ui = &userInterface;
  program.info.folder = fs::current_path();

  // Reference: a bare scan of MDOS in index order reading the fields of a row, in one pass
  // as the list reads it.
  double scan = 0;
  {
    store::Program probe;
    probe.info.folder = program.info.folder;
    store::DBOPENALL(probe);  // builds the index once, outside the timings below
    auto t0 = std::chrono::steady_clock::now();
    store::DbfTable& mdos = probe.areas["MDOS"];
    const store::DbfTable::SnapshotScan snapshot(mdos);  // one pass, as the list reads it
    std::size_t bytes = 0;
    for (mdos.goTop(); !mdos.eof(); mdos.skip())
      bytes += mdos.getString("InvBr").size() + mdos.getString("Naziv").size() +
               static_cast<std::size_t>(mdos.getNumber("RAOsn") > 0);
    scan = seconds(t0);
    std::printf("reference: scan of MDOS in index order %.3f s (%zu bytes)\n", scan, bytes);
    probe.areas.closeAll();
  }

  auto t0 = std::chrono::steady_clock::now();
  app::TFOSMAIN* pointer = nullptr;
  auto window = std::make_unique<app::TFOSMAIN>(program, app::TFOSMAIN::programHooks(pointer));
  pointer = window.get();
  userInterface.setParentWindow(window.get());
  window->resize(1200, 800);
  window->show();  // the first resize loads the lists
  QApplication::processEvents();
  window->Kavrina->click();
  window->repaint();
  QApplication::processEvents();
  const double shown = seconds(t0);
  std::printf("start until the asset list is shown: %.3f s (%zu rows)\n", shown,
              program.AOSNOVNASREDSTVA.size());
  std::printf("ratio start / bare scan: %.1f x\n", shown / scan);

  auto t1 = std::chrono::steady_clock::now();
  window->sgSpisakOnHeaderClick(7);  // "Sadasnja vrednost"
  window->repaint();
  QApplication::processEvents();
  const double sorted = seconds(t1);
  std::printf("sort on \"Sadasnja vrednost\": %.3f s (first row %s)\n", sorted,
              depreciation::assetListCell(program.AOSNOVNASREDSTVA.rows.front(),
                                          program.AOSNOVNASREDSTVA.widths, 6)
                  .c_str());
  auto t2 = std::chrono::steady_clock::now();
  window->sgSpisakOnHeaderClick(7);
  QApplication::processEvents();
  std::printf("sort again, descending: %.3f s\n", seconds(t2));
  std::printf("peak memory (VmHWM): %.1f MiB\n", peakKiB() / 1024.0);
  window.reset();
  program.areas.closeAll();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "generate") return generate(argv[2], std::atoi(argv[3]));
  if (argc >= 3 && std::string(argv[1]) == "start") return start(fs::absolute(argv[2]), argc, argv);
  std::fprintf(stderr, "usage: app_bench generate FOLDER N | start FOLDER\n");
  return 2;
}
