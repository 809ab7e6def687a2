// A register copied from elsewhere, as another program wrote it: dates declared 10 wide and
// names in Windows-1250. The program's own start opens it, without a migration and without
// calling it damaged, and reads and writes it as it is.
#include <gtest/gtest.h>

#include <map>

#include "program_folder.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/dbf/dbf_test_util.h"
#include "store/rec_lock.h"
#include "store/schema.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

// One record of `structure`: the texts given by field name (already as stored), every other
// field blank.
std::vector<std::string> recordOf(const store::Structure& structure,
                                  const std::map<std::string, std::string>& values) {
  std::vector<std::string> record;
  for (const store::FieldDef& f : structure) {
    std::string text = values.count(f.name) ? values.at(f.name) : std::string();
    text.resize(static_cast<std::size_t>(f.width), ' ');
    record.push_back(text);
  }
  return record;
}

TEST(CopiedRegister, DatesDeclaredTenWideAndWindows1250NamesOpenAsTheyAre) {
  ProgramFolder folder;
  store::Program& program = folder.program();
  store::INITDBF(program, 0);
  store::Structure copied = store::schema::mdos();
  for (store::FieldDef& f : copied)
    if (f.type == 'D') f.width = 10;
  writeFileBytes("DBF/MDOS.dbf",
                 foreignTableBytes(copied, {recordOf(copied, {{"InvBr", "7"},
                                                              {"Naziv",
                                                               "\xC8"
                                                               "eli\xE8"
                                                               "ni regal"},
                                                              {"DatumN", "20190315"},
                                                              {"RAOsn", "      12000.000"}})}));
  // Data of an older version: the start compares every table with its structure.
  settings::WRITEINI("Program", "Verzija", "1.06");

  store::DBOPENALL(program);
  for (const auto& entry : fs::directory_iterator("DBF"))
    EXPECT_EQ(entry.path().filename().string().find("_backup_"), std::string::npos)
        << "a date 10 wide counts as unchanged: nothing is migrated";
  EXPECT_EQ(settings::READINI("Program", "Verzija", "?"), "1.07");

  store::DbfTable& mdos = program.areas["MDOS"];
  EXPECT_EQ(mdos.fields()[2].def.width, 10);
  ASSERT_TRUE(mdos.seek(7.0));
  EXPECT_EQ(mdos.getString("Naziv"), "Čelični regal" + std::string(17, ' '));
  EXPECT_EQ(mdos.getDate("DatumN"), Date::fromYmd(2019, 3, 15));
  EXPECT_EQ(mdos.getNumber("RAOsn"), 12000);

  ASSERT_TRUE(store::writeRecord(program, "MDOS", false, [](store::DbfTable& t) {
    t.putDate("DatumO", Date::fromYmd(2023, 12, 31));
  }));
  program.areas.closeAll();
  // The write-off date at its declared width: header 32 + 18 × 32 + 2, then the deletion
  // flag, InvBr, Naziv and DatumN (30 + 30 + 10).
  const std::string bytes = readFileBytes("DBF/MDOS.dbf");
  EXPECT_EQ(bytes.substr(610 + 1 + 70, 10), "20231231  ");
  EXPECT_EQ(bytes.substr(610 + 1 + 60, 10), "20190315  ") << "the acquisition date kept";
}

}  // namespace
}  // namespace kavrina::test
