// Benchmark data and timings of the depreciation calculation and the asset list:
//   depreciation_bench generate DIR N YEAR   a program folder with N assets and the annual
//                                            results of YEAR − 1 (calculated here)
//   depreciation_bench floor DIR YEAR        the I/O floor: read MDOS.dbf, write two files of
//                                            the size of A(YEAR)12R/P.dbf with their sync
//   depreciation_bench list DIR YEAR         load the asset list with present values
// Each timing prints "name_seconds=S".
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "depreciation/asset_list.h"
#include "depreciation/calculation_input.h"
#include "depreciation/obracun.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/schema.h"

namespace fs = std::filesystem;
using namespace kavrina;

namespace {

double seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void enter(const fs::path& dir, store::Program& program) {
  bench::enterProgramFolder(dir, program);
}

int generate(const fs::path& dir, int count, int year) {
  store::Program program;
  enter(dir, program);
  store::INITDBF(program, 0);
  bench::writeRandomRegister({.count = count, .firstYear = 2005, .lastYear = year});
  store::DBOPENALL(program);
  const auto r = depreciation::runObracun(program, {year - 1, 12, true, true}, {});
  program.areas.closeAll();
  std::printf("generated %d assets with the results of %d (%zu + %zu records)\n", count, year - 1,
              r.accountingRows, r.taxRows);
  return r.done ? 0 : 1;
}

int floorTimes(const fs::path& dir, int year) {
  fs::current_path(dir);
  const auto start = std::chrono::steady_clock::now();
  std::vector<char> buffer(1 << 20);
  {
    const int fd = ::open("DBF/MDOS.dbf", O_RDONLY);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
  }
  for (const char kind : {'R', 'P'}) {
    const std::string name = "DBF/A" + std::to_string(year) + "12" + kind + ".dbf";
    const auto size = fs::file_size(name);
    const int fd = ::open("floor.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (std::uintmax_t done = 0; done < size; done += buffer.size())
      if (::write(fd, buffer.data(), std::min<std::uintmax_t>(buffer.size(), size - done)) < 0)
        return 1;
    ::fsync(fd);
    ::close(fd);
  }
  std::printf("floor_seconds=%.3f\n", seconds(start));
  fs::remove("floor.tmp");
  return 0;
}

int listTimes(const fs::path& dir, int year) {
  store::Program program;
  enter(dir, program);
  store::DBOPENALL(program);
  program.NGODINA = year;
  // The window's load: the present values gathered, the rows and their texts.
  const auto start = std::chrono::steady_clock::now();
  depreciation::UcitajOsnovnaSredstva(program, depreciation::presentValueLookup(program));
  std::printf("list_seconds=%.3f\n", seconds(start));
  std::printf("list rows: %zu\n", program.AOSNOVNASREDSTVA.size());
  program.areas.closeAll();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "generate")
    return generate(args[1], std::stoi(args[2]), std::stoi(args[3]));
  if (args.size() == 3 && args[0] == "floor") return floorTimes(args[1], std::stoi(args[2]));
  if (args.size() == 3 && args[0] == "list") return listTimes(args[1], std::stoi(args[2]));
  std::fprintf(stderr,
               "usage: depreciation_bench generate DIR N YEAR | floor DIR YEAR | list DIR YEAR\n");
  return 2;
}
