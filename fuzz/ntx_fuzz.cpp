// Fuzz target for the NTX index reader: the input is an index file for a small table with
// the key val(InvBr). It is checked, walked through the table's moves, sought in and
// updated; any damage must end in the driver's error, never in a crash or a hang.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "errors/error.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"
#include "store/ntx/ntx_order.h"
#include "store/ntx/ntx_tree.h"

using namespace kavrina;
namespace fs = std::filesystem;

namespace {

struct Setup {
  fs::path dir;
  fs::path table;
  fs::path index;
  std::unique_ptr<store::DbfTable> readOnly;
};

Setup& setup() {
  static Setup s = [] {
    Setup out;
    std::string templ = (fs::temp_directory_path() / "ntx_fuzz_XXXXXX").string();
    if (!mkdtemp(templ.data())) std::abort();
    out.dir = templ;
    out.table = out.dir / "MDOS.dbf";
    out.index = out.dir / "MDOS.ntx";
    store::DbfTable::create(out.table, {{"InvBr", 'C', 30, 0}, {"Naziv", 'C', 30, 0}});
    {
      auto t = store::DbfTable::open(out.table, {.shared = false});
      for (int i = 1; i <= 60; ++i) {
        t->append();
        t->putString("InvBr", std::to_string(i));
      }
      t->close();
    }
    out.readOnly = store::DbfTable::open(out.table, {.shared = true, .readOnly = true});
    out.readOnly->setHideDeleted(true);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(setup().dir, ec);
    });
    return out;
  }();
  return s;
}

void writeInput(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

// Moves and seeks of the table through the index.
void throughTheTable(Setup& s) {
  store::DbfTable& t = *s.readOnly;
  t.clearOrders();
  if (!store::ntx::attachIndex(t, s.index)) return;
  int steps = 0;
  for (t.goTop(); !t.eof() && steps < 300; t.skip(1)) ++steps;
  for (t.goBottom(); !t.eof() && !t.bof() && steps < 600; t.skip(-1)) ++steps;
  for (double n : {0.0, 1.0, 30.0, 60.0, 61.0, -5.0}) t.seek(n);
  t.clearOrders();
}

// Inserts and removals straight on the tree, as key maintenance does them.
void updateTheTree(Setup& s) {
  auto file = store::ntx::NtxFile::open(s.index, false, false);
  if (!file) return;
  store::ntx::checkTree(*file);
  store::ntx::NtxTree tree(*file);
  const std::size_t k = file->geometry().keySize;
  auto key = [k](unsigned n) {
    std::string digits = std::to_string(n);
    std::string out(k, '0');
    if (digits.size() <= k) out.replace(k - digits.size(), digits.size(), digits);
    return out;
  };
  for (unsigned n = 0; n < 80; ++n) tree.insert(key(n * 7 % 90), 100 + n);
  for (unsigned n = 0; n < 80; n += 2) tree.remove(key(n * 7 % 90), 100 + n);
  for (unsigned n = 1; n <= 60; n += 3) tree.remove(key(n), n);
  store::ntx::checkTree(*file);
  file->close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Setup& s = setup();
  writeInput(s.index, data, size);
  try {
    throughTheTable(s);
  } catch (const errors::Error&) {
    s.readOnly->clearOrders();
  }
  writeInput(s.index, data, size);
  try {
    updateTheTree(s);
  } catch (const errors::Error&) {
  }
  return 0;
}
