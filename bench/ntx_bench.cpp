// Index benchmark over an asset register with the key val(InvBr):
//   ntx_bench gen FILE N              writes a table of N assets, inventory numbers shuffled
//   ntx_bench keys FILE OUT           writes each record's key as a text line (for sort)
//   ntx_bench build FILE NTX          creates the index (sort + bottom-up build), prints time
//   ntx_bench seek FILE NTX COUNT     COUNT random seeks of existing numbers, prints seeks/s
//   ntx_bench append FILE NTX COUNT exclusive|shared|none
//                                     COUNT appends with the index kept current (none: the
//                                     same appends on the table without an index)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_key.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"

using namespace kavrina;
using SteadyClock = std::chrono::steady_clock;

namespace {

double secondsSince(SteadyClock::time_point start) {
  return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

int gen(const std::string& file, long n) {
  store::DbfTable::create(file, store::schema::mdos());
  auto t = store::DbfTable::open(file, {.shared = false});
  std::vector<long> numbers(static_cast<std::size_t>(n));
  for (long i = 0; i < n; ++i) numbers[static_cast<std::size_t>(i)] = i + 1;
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(1016));
  const int invBr = t->fieldIndex("InvBr"), naziv = t->fieldIndex("Naziv");
  for (long number : numbers) {
    t->append();
    t->putString(invBr, std::to_string(number));
    t->putString(naziv, "Sredstvo " + std::to_string(number % 977));
  }
  t->close();
  return 0;
}

int keys(const std::string& file, const std::string& out) {
  auto t = store::DbfTable::open(file, {.shared = false});
  store::ntx::KeyProblem problem;
  auto expr = store::ntx::KeyExpression::compile("val(InvBr)", t->fields(), problem);
  std::FILE* f = std::fopen(out.c_str(), "w");
  if (!f || !expr) return 1;
  std::vector<char> record;
  const std::uint32_t n = t->recCount();
  for (std::uint32_t r = 1; r <= n; ++r) {
    t->readRecordAt(r, record);
    std::string key = expr->evaluate(record);
    key.push_back('\n');
    std::fwrite(key.data(), 1, key.size(), f);
  }
  std::fclose(f);
  return 0;
}

int build(const std::string& file, const std::string& ntx) {
  auto t = store::DbfTable::open(file, {.shared = false});
  const std::uint32_t n = t->recCount();
  auto start = SteadyClock::now();
  if (!store::ntx::createIndex(*t, ntx, "val(InvBr)")) return 1;
  t->close();
  const double s = secondsSince(start);
  std::printf("index build: %u keys in %.3f s\nbuild_seconds=%.3f\n", n, s, s);
  return 0;
}

int seek(const std::string& file, const std::string& ntx, long count) {
  auto t = store::DbfTable::open(file, {.shared = false});
  if (!store::ntx::attachIndex(*t, ntx)) return 1;
  const std::uint32_t n = t->recCount();
  std::mt19937 rng(7);
  long found = 0;
  auto start = SteadyClock::now();
  for (long i = 0; i < count; ++i) found += t->seek(double(rng() % n + 1)) ? 1 : 0;
  const double s = secondsSince(start);
  std::printf("seek: %ld random seeks in %.3f s = %.0f seeks/s (%ld found)\n", count, s, count / s,
              found);
  return found == count ? 0 : 1;
}

int append(const std::string& file, const std::string& ntx, long count, const std::string& mode) {
  const bool shared = mode == "shared";
  auto t = store::DbfTable::open(file, {.shared = shared});
  if (mode != "none" && !store::ntx::attachIndex(*t, ntx)) return 1;
  const int invBr = t->fieldIndex("InvBr");
  const long base = static_cast<long>(t->recCount()) + 1;
  std::mt19937 rng(11);
  auto start = SteadyClock::now();
  for (long i = 0; i < count; ++i) {
    if (!t->append(true)) return 1;
    // New numbers land all over the tree, not only at its right edge.
    t->putString(invBr, std::to_string((base + i) * 7 % 9999991 + rng() % 3));
    if (shared) t->unlock();
    if (i % 1000 == 999) t->commit();
  }
  t->close();
  const double s = secondsSince(start);
  std::printf("append (%s): %ld records in %.3f s = %.0f appends/s\n", mode.c_str(), count, s,
              count / s);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "gen" && argc == 4) return gen(argv[2], std::stol(argv[3]));
  if (command == "keys" && argc == 4) return keys(argv[2], argv[3]);
  if (command == "build" && argc == 4) return build(argv[2], argv[3]);
  if (command == "seek" && argc == 5) return seek(argv[2], argv[3], std::stol(argv[4]));
  if (command == "append" && argc == 6)
    return append(argv[2], argv[3], std::stol(argv[4]), argv[5]);
  std::fprintf(stderr, "usage: see the top of ntx_bench.cpp\n");
  return 2;
}
