// Every file of the broken-table corpus gives its documented error, never a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "dbf_test_util.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

// Opens the table and reads every field of every record, memo texts included.
void readEverything(const fs::path& file) {
  auto t = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  for (t->goTop(); !t->eof(); t->skip())
    for (std::size_t f = 0; f < t->fieldCount(); ++f)
      t->fields()[f].def.type == 'M' ? (void)t->getMemo(static_cast<int>(f))
                                     : (void)t->getString(static_cast<int>(f));
}

TEST(DbfCorruptFiles, EachGivesCorruptionOrReadError) {
  const fs::path corpus = fs::path(KAVRINA_TEST_DATA_DIR) / "corpus" / "dbf";
  const std::map<std::string, std::pair<int, int>> readErrors = {
      {"memo_block_beyond.dbf", {errors::gen::kRead, errors::sub::kRead}},
      {"memo_file_truncated.dbf", {errors::gen::kRead, errors::sub::kRead}},
  };
  int files = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.path().extension() != ".dbf") continue;
    ++files;
    // Work on a copy: the corpus stays as it is.
    TempDir dir;
    for (const char* ext : {".dbf", ".dbt"}) {
      fs::path from = entry.path();
      from.replace_extension(ext);
      if (fs::exists(from)) fs::copy_file(from, dir / ("t" + std::string(ext)));
    }
    const std::string name = entry.path().filename().string();
    errors::Error e = errorOf([&] { readEverything(dir / "t.dbf"); });
    if (name == "valid.dbf") {
      EXPECT_EQ(e.GENCODE, 0) << e.what();
      continue;
    }
    auto expected = readErrors.count(name)
                        ? readErrors.at(name)
                        : std::make_pair(errors::gen::kCorruption, errors::sub::kCorruption);
    EXPECT_EQ(e.GENCODE, expected.first) << name << ": " << e.what();
    EXPECT_EQ(e.SUBCODE.value_or(0), expected.second) << name;
  }
  EXPECT_GE(files, 19);
}

}  // namespace
}  // namespace kavrina::test
