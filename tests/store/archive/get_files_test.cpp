// GETFILES: masks, the order of the listing, and what it never lists or enters.
#include "store/archive/get_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive_folder.h"

namespace kavrina::test::archive {
namespace {

using store::archive::GETFILES;
using store::archive::matchesMask;

struct MaskCase {
  const char* name;
  const char* mask;
  bool matches;
};

TEST(GetFiles, MasksMatchInAnyCaseAndStarDotStarMatchesEveryName) {
  const MaskCase cases[] = {
      {"MDOS.ntx", "*.ntx", true},
      {"MDOS.NTX", "*.ntx", true},
      {"mdos.Ntx", "*.NTX", true},
      {"MDOS.ntx.bak", "*.ntx", false},
      {"ntx", "*.ntx", false},
      {"A202312R.DBF", "A20?????.dbf", true},
      {"A2023123R.dbf", "A20?????.dbf", false},
      {"README", "*.*", true},
      {"a.b.c", "*.*", true},
      {"x.ntx", "x.*", true},
      {"Firme.dbf", "F*e.d?f", true},
      {"Firme.dbf", "F*x.dbf", false},
      {"", "*", true},
      {"abc", "a**c", true},
  };
  for (const MaskCase& c : cases)
    EXPECT_EQ(matchesMask(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
}

// Top folder first in name order, then each folder at any depth in ascending path order;
// hidden names, hidden folders, aside files and links neither listed nor entered.
TEST(GetFiles, ListsTheTopFolderFirstThenEveryFolderInPathOrderLeavingOutHiddenNames) {
  TempDir dir;
  const fs::path root = dir.path();
  for (const char* folder :
       {"NTX", "DBF", "001/NTX", "001/DBF", "001/DBF/stari", ".git/objects", "002/.skriveno"})
    fs::create_directories(root / folder);
  for (const char* file :
       {"Kavrina.ini", "Error.txt", "DBF/MDOS.dbf", "DBF/Firme.dbf", "NTX/MDOS.ntx",
        "001/DBF/MDOS.dbf", "001/NTX/BazaRA.ntx", "001/DBF/stari/A201912R.dbf", ".hidden",
        "DBF/.sakriven.dbf", "DBF/.MDOS.dbf.0123456789ab.tmp", ".git/objects/pack",
        "002/.skriveno/MDOS.dbf", "002/Firme.ntx"})
    writeFileBytes(root / file, file);
  fs::create_symlink(root / "DBF", root / "veza");               // a link to a folder
  fs::create_symlink("/etc/hostname", root / "DBF/spolja.dbf");  // a link to a file elsewhere

  const std::vector<fs::path> all = GETFILES(root / "");
  std::vector<std::string> names;
  for (const fs::path& p : all) names.push_back(p.lexically_relative(root).generic_string());
  EXPECT_EQ(names, (std::vector<std::string>{"Error.txt", "Kavrina.ini", "001/DBF/MDOS.dbf",
                                             "001/DBF/stari/A201912R.dbf", "001/NTX/BazaRA.ntx",
                                             "002/Firme.ntx", "DBF/Firme.dbf", "DBF/MDOS.dbf",
                                             "NTX/MDOS.ntx"}));
  for (const fs::path& p : all) EXPECT_EQ(p.parent_path().native().rfind(root.native(), 0), 0u);

  std::vector<std::string> indexes;
  for (const fs::path& p : GETFILES(root, "*.NTX"))
    indexes.push_back(p.lexically_relative(root).generic_string());
  EXPECT_EQ(indexes,
            (std::vector<std::string>{"001/NTX/BazaRA.ntx", "002/Firme.ntx", "NTX/MDOS.ntx"}));
}

TEST(GetFiles, LetsWindowEventsRunBetweenFoldersAndAnswersNothingForAMissingFolder) {
  TempDir dir;
  for (const char* folder : {"a", "b", "c/d"}) fs::create_directories(dir.path() / folder);
  ui::ScriptedUi ui;
  EXPECT_TRUE(GETFILES(dir.path(), "*.*", &ui).empty());
  EXPECT_GE(ui.processEventsCount(), 4);
  EXPECT_TRUE(GETFILES(dir.path() / "nema").empty());
}

}  // namespace
}  // namespace kavrina::test::archive
