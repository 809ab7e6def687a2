// What the benchmark programs share: timing, peak memory, and working in a program folder.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "common/date.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/program.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's peak resident memory so far, in megabytes.
inline long peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Makes `dir` (created when missing) the program folder of `program`, as the program
// starts in it: the current directory and the settings folder; deleted records hidden.
inline void enterProgramFolder(const std::filesystem::path& dir, store::Program& program) {
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  settings::useSettingsFolder(std::filesystem::current_path());
  program.info.folder = std::filesystem::current_path();
  program.areas.setHideDeleted(true);
}

// Opens the database of the program folder `dir` as the program does at start, with the
// active company's name and place that the printed documents carry.
inline void openCompany(const std::filesystem::path& dir, store::Program& program) {
  enterProgramFolder(dir, program);
  store::DBOPENALL(program);
  program.CKORISNIKNAZIV = "Preduzece DOO";
  program.CKORISNIKMESTO = "Beograd";
}

// The asset register of a benchmark.
struct RandomRegister {
  int count = 0;          // assets "1".."count", named "Sredstvo " + number
  int firstYear = 2005;   // acquired on a random day from 1 January of this year...
  int lastYear = 2025;    // ...to 28 December of this one
  bool writeOffs = true;  // one asset in twenty written off in one of the last three years
  unsigned seed = 12345;
};

// Fills the empty "DBF/MDOS.dbf" of the current program folder: bases from 1,000 to
// 900,000, accounting rates from 5 to 24 % straight-line or declining, tax groups I to V
// with their rates. The same description gives the same register.
inline void writeRandomRegister(const RandomRegister& r) {
  auto mdos = store::DbfTable::open("DBF/MDOS.dbf", {.shared = false});
  std::mt19937 rng(r.seed);
  std::uniform_int_distribution<int> y(r.firstYear, r.lastYear), m(1, 12), d(1, 28), group(1, 5),
      pct(0, 19);
  std::uniform_int_distribution<long long> milli(1'000'000, 900'000'000);
  const double rates[] = {2.5, 10, 15, 20, 30};
  using R = store::AssetRecord;
  const store::RecordCodec<R> writer(
      *mdos, store::FieldSet<R>::of(&R::InvBr, &R::Naziv, &R::DatumN, &R::DatumO, &R::RAOsn,
                                    &R::PAOsn, &R::RAStopa, &R::RAtip, &R::PAStopa, &R::PAgrupa));
  for (int i = 1; i <= r.count; ++i) {
    mdos->append();
    const int g = group(rng);
    R a;
    a.InvBr = std::to_string(i);
    a.Naziv = "Sredstvo " + std::to_string(i);
    a.DatumN = Date::fromYmd(y(rng), m(rng), d(rng));
    if (r.writeOffs && pct(rng) == 0)
      a.DatumO = Date::fromYmd(r.lastYear - 2 + pct(rng) % 3, m(rng), d(rng));
    const double base = static_cast<double>(milli(rng)) / 1000;
    a.RAOsn = base;
    a.PAOsn = base;
    a.RAStopa = 5 + pct(rng);
    a.RAtip = 1 + pct(rng) % 2;
    a.PAStopa = rates[g - 1];
    a.PAgrupa = g;
    writer.write(a);
  }
  mdos->close();
}

}  // namespace kavrina::bench
