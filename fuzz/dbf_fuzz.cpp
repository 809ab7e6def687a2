// Fuzz target: any bytes as a table file, opened and read through every record and field
// (memo texts from a small fixed memo file), then committed in exclusive use. Errors of
// the driver are the expected outcome of broken input; anything else is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "errors/error.h"
#include "store/dbf/dbf_table.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

void readAll(kavrina::store::DbfTable& t) {
  int steps = 0;
  for (t.goTop(); !t.eof() && steps < 100000; t.skip(), ++steps) {
    for (std::size_t f = 0; f < t.fieldCount(); ++f) {
      int i = static_cast<int>(f);
      switch (t.fields()[f].def.type) {
        case 'N':
          (void)t.getNumber(i);
          break;
        case 'D':
          (void)t.getDate(i);
          break;
        case 'L':
          (void)t.getLogical(i);
          break;
        case 'M':
          (void)t.getMemo(i);
          break;
        default:
          (void)t.getString(i);
      }
    }
    (void)t.deleted();
  }
  t.goBottom();
  t.skip(-2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("kavrina-dbf-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
  }();
  const fs::path table = dir / "t.dbf";
  writeFile(table, data, size);
  // A memo file of block 0 and one text block.
  std::uint8_t memo[1024] = {2};
  memo[512] = 'x';
  memo[513] = 0x1A;
  writeFile(dir / "t.dbt", memo, sizeof memo);

  try {
    auto t = kavrina::store::DbfTable::open(table, {.shared = true, .readOnly = true});
    if (t) readAll(*t);
  } catch (const kavrina::errors::Error&) {
  }
  try {
    auto t = kavrina::store::DbfTable::open(table, {.shared = false, .readOnly = false});
    if (t) {
      readAll(*t);
      t->append();
      t->commit();
      t->close();
    }
  } catch (const kavrina::errors::Error&) {
  }
  return 0;
}
