// The index rebuild and the data archive on a large program folder.
//   archive_bench generate FOLDER N YEARS
//       company "000" with N assets and YEARS years of annual accounting and tax results,
//       company "001" with N / 5 assets and a year of results, the standing indexes built as
//       a start and an activation build them; prints the folder's size
//   archive_bench rebuild FOLDER
//       deletes every index file (as the maintenance command does), then times the next
//       start (company "000") and the activation of "001", which build the standing indexes
//       again: index files per second; beside it, in the same run, a bare scan of the same
//       tables (every record read once), which every build has to do
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "settings/ini_files.h"
#include "store/archive/get_files.h"
#include "store/archive/index_files.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/rec_lock.h"
#include "store/schema.h"

namespace fs = std::filesystem;
using namespace kavrina;
using SteadyClock = std::chrono::steady_clock;

namespace {

double secondsSince(SteadyClock::time_point start) {
  return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

void useFolder(const fs::path& folder, store::Program& program) {
  fs::current_path(folder);
  settings::useSettingsFolder(fs::current_path());
  program.info.folder = fs::current_path();
  program.areas.setHideDeleted(true);
}

std::uintmax_t folderBytes(const fs::path& folder) {
  std::uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) total += entry.file_size();
  return total;
}

void writeAssets(const fs::path& file, int n) {
  auto mdos = store::DbfTable::open(file, {.shared = false});
  for (int i = 1; i <= n; ++i) {
    const std::string invBr = std::to_string(i);
    const double base = 1000.0 + (i * 7919 % 1000000) / 10.0;
    mdos->append();
    mdos->putString("InvBr", invBr);
    mdos->putString("Naziv", "Osnovno sredstvo " + std::to_string(i % 977));
    mdos->putDate("DatumN", Date::fromYmd(2010 + i % 14, 1 + i % 12, 1 + i % 28));
    mdos->putString("Dobavljac", "Dobavljac d.o.o.");
    mdos->putString("Dokument", "Racun " + std::to_string(i % 10007));
    mdos->putNumber("RAOsn", base);
    mdos->putNumber("PAOsn", base);
    mdos->putNumber("RAStopa", 10);
    mdos->putNumber("RAtip", 1);
    mdos->putNumber("PAStopa", 15);
    mdos->putNumber("PAgrupa", 1 + i % 5);
    mdos->putNumber("Kolicina", 1);
    mdos->putNumber("Konto", 220);
  }
  mdos->close();
}

void writeResults(const fs::path& dbf, int n, int year) {
  std::string stem = "A";
  stem += std::to_string(year);
  stem += "12";
  store::DbfTable::create(dbf / (stem + "R.dbf"), store::schema::resultRa());
  store::DbfTable::create(dbf / (stem + "P.dbf"), store::schema::resultPa());
  auto ra = store::DbfTable::open(dbf / (stem + "R.dbf"), {.shared = false});
  auto pa = store::DbfTable::open(dbf / (stem + "P.dbf"), {.shared = false});
  const double age = 2025 - year;
  for (int i = 1; i <= n; ++i) {
    const std::string invBr = std::to_string(i);
    const double base = 1000.0 + (i * 7919 % 1000000) / 10.0;
    ra->append();
    ra->putString("InvBr", invBr);
    ra->putNumber("RAPrVr", base * (0.9 - 0.1 * age));
    ra->putNumber("RAOsn", base);
    ra->putNumber("RAStopa", 10);
    ra->putNumber("RATip", 1);
    ra->putNumber("BrMes", 12);
    ra->putNumber("RAm", base * 0.1);
    ra->putNumber("RASadVr", base * (0.8 - 0.1 * age));
    pa->append();
    pa->putString("InvBr", invBr);
    pa->putNumber("PAPrVr", base * (0.85 - 0.15 * age));
    pa->putNumber("PAOsn", base);
    pa->putNumber("PAStopa", 15);
    pa->putNumber("PAGrupa", 1 + i % 5);
    pa->putNumber("BrMes", 12);
    pa->putNumber("BrDan", 365);
    pa->putNumber("PAm", base * 0.15);
    pa->putNumber("PASadVr", base * (0.7 - 0.15 * age));
  }
  ra->close();
  pa->close();
}

int generate(const fs::path& folder, int n, int years) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  store::Program program;
  useFolder(folder, program);
  store::DBOPENALL(program);  // the folders, the empty tables, the settings
  program.areas.closeAll();
  writeAssets("DBF/MDOS.dbf", n);
  for (int year = 2024; year > 2024 - years; --year) writeResults("DBF", n, year);
  store::DBOPENALL(program);
  store::writeRecord(program, "Firme", true, [](store::DbfTable& t) {
    t.putString("Sifra", "001");
    t.putString("Naziv", "Klijent d.o.o.");
  });
  program.areas.closeAll();
  fs::create_directories("001/DBF");
  store::DbfTable::create("001/DBF/MDOS.dbf", store::schema::mdos());
  writeAssets("001/DBF/MDOS.dbf", n / 5);
  writeResults("001/DBF", n / 5, 2024);
  program.CSUBDIRFIRME = "001/";
  store::DBOPENALL(program);  // the standing indexes of "001"
  program.areas.closeAll();
  std::printf(
      "generated %d assets and %d years of results, company 001 with %d assets and a year of "
      "results: %.0f MB in %s\n",
      n, years, n / 5, folderBytes(folder) / 1e6, folder.c_str());
  return 0;
}

// Reads every record of the table and its key field once, as a build must.
long scan(const fs::path& file, const char* keyField) {
  auto t = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  long n = 0;
  std::size_t chars = 0;
  for (t->goTop(); !t->eof(); t->skip()) {
    chars += t->getString(keyField).size();
    ++n;
  }
  t->close();
  return n + static_cast<long>(chars % 2);
}

int rebuild(const fs::path& folder) {
  store::Program program;
  useFolder(folder, program);
  const std::size_t before = store::archive::GETFILES(folder, "*.ntx").size();
  if (store::archive::deleteIndexFiles(program) != 0) return 1;
  auto start = SteadyClock::now();
  store::DBOPENALL(program);
  program.areas.closeAll();
  program.CSUBDIRFIRME = "001/";
  store::DBOPENALL(program);
  program.areas.closeAll();
  const double build = secondsSince(start);
  const std::size_t built = store::archive::GETFILES(folder, "*.ntx").size();

  start = SteadyClock::now();
  long records = 0;
  records += scan("DBF/Firme.dbf", "Sifra");
  for (const char* table : {"DBF/MDOS.dbf", "001/DBF/MDOS.dbf"}) records += scan(table, "InvBr");
  const double bare = secondsSince(start);
  std::printf(
      "index files deleted: %zu; built again at the next start and activation: %zu in "
      "%.3f s = %.2f files/s\n",
      before, built, build, built / build);
  std::printf("bare scan of the same tables (%ld records): %.3f s; rebuild / scan: %.1f x\n",
              records, bare, build / bare);
  return built == before ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc == 5)
    return generate(argv[2], std::stoi(argv[3]), std::stoi(argv[4]));
  if (command == "rebuild" && argc == 3) return rebuild(argv[2]);
  std::fprintf(stderr, "usage: archive_bench generate FOLDER N YEARS | rebuild FOLDER\n");
  return 2;
}
