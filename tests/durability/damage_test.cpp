// Data as users bring it and as accidents leave it: a table without a field the program
// reads, folders spelled otherwise, a link planted in place of a table, a structure check
// cut short. Each gets a clear answer and loses nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "common/fault_injection.h"
#include "depreciation/obracun.h"
#include "durability/durability_folder.h"
#include "errors/error.h"
#include "settings/ini_files.h"
#include "store/dbf/dbf_table.h"
#include "store/schema.h"

namespace kavrina::test::durability {
namespace {

namespace fs = std::filesystem;

class Damage : public ::testing::Test {
 protected:
  void registerWithResults(int count) {
    Station station;
    station.open();
    station.close();
    writeRandomAssets("DBF/MDOS.dbf", count, 51);
    Station again;
    again.open();
    calculate(again.program, 2024);
    calculate(again.program, 2025);
    again.close();
  }

  // The error a run ends with (none: an Error with GENCODE 0).
  errors::Error errorOf(const std::function<void()>& run) {
    try {
      run();
    } catch (const errors::Error& e) {
      return e;
    }
    return {};
  }

  DurabilityFolder folder_;
};

TEST_F(Damage, PreviousResultsWithoutAFieldStopTheCalculationNamingFileAndField) {
  registerWithResults(50);
  // Last year's accounting results as another program left them: without "RAm".
  store::Structure without = store::schema::resultRa();
  without.erase(without.begin() + 6);
  store::DbfTable::create("DBF/A202412R.dbf", without);
  const std::string before = readFileBytes("DBF/A202512R.dbf");
  const errors::Error e = errorOf([] {
    Station station;
    station.open();
    calculate(station.program, 2025);
  });
  EXPECT_EQ(e.GENCODE, errors::gen::kCorruption);
  EXPECT_EQ(e.SUBCODE, errors::sub::kStructure);
  EXPECT_NE(e.FILENAME.find("A202412R.dbf"), std::string::npos);
  EXPECT_EQ(e.OPERATION, "Nedostaje polje RAm (N 15,3).");
  EXPECT_EQ(readFileBytes("DBF/A202512R.dbf"), before) << "nothing was written";
}

TEST_F(Damage, ARegisterWithAFieldOfAnotherTypeIsRefusedAtOpen) {
  {
    Station station;
    station.open();
    station.close();
  }
  store::Structure changed = store::schema::mdos();
  changed[6].type = 'C';  // RAOsn as text
  changed[6].decimals = 0;
  store::DbfTable::create("DBF/MDOS.dbf", changed);
  const errors::Error e = errorOf([] {
    Station station;
    station.open();
  });
  EXPECT_EQ(e.SUBCODE, errors::sub::kStructure);
  EXPECT_EQ(e.OPERATION, "Polje RAOsn je tipa C, a treba da bude RAOsn (N 15,3).");
}

TEST_F(Damage, FoldersSpelledOtherwiseGetTheMissingTablesInside) {
  registerWithResults(30);
  fs::rename("DBF", "Dbf");
  fs::rename("NTX", "ntx");
  fs::remove("Dbf/MDNG.dbf");
  fs::remove("Dbf/A202512R.dbf");
  fs::remove("Dbf/A202512P.dbf");
  fs::remove("ntx/BazaRA.ntx");
  {
    Station station;
    station.open();
    calculate(station.program, 2025);
    station.close();
  }
  EXPECT_FALSE(fs::exists("DBF")) << "no second folder in the documented spelling";
  EXPECT_FALSE(fs::exists("NTX"));
  EXPECT_TRUE(fs::exists("Dbf/MDNG.dbf"));
  EXPECT_EQ(indexProblem("Dbf/A202512R.dbf", "ntx/BazaRA.ntx"), "");
  EXPECT_EQ(indexProblem("Dbf/A202512P.dbf", "ntx/BazaPA.ntx"), "");
}

TEST_F(Damage, ALinkPlantedInPlaceOfATableIsNotFollowed) {
  {
    Station station;
    station.open();
    station.close();
  }
  writeFileBytes("elsewhere.dbf", readFileBytes("DBF/MDOS.dbf"));
  const std::string target = readFileBytes("elsewhere.dbf");
  fs::remove("DBF/MDOS.dbf");
  fs::create_symlink(fs::absolute("elsewhere.dbf"), "DBF/MDOS.dbf");
  const errors::Error e = errorOf([] {
    Station station;
    station.open();
    calculate(station.program, 2025);
  });
  EXPECT_EQ(e.GENCODE, errors::gen::kOpen) << "the open is refused";
  EXPECT_EQ(readFileBytes("elsewhere.dbf"), target);
  EXPECT_TRUE(fs::is_symlink("DBF/MDOS.dbf"));
}

TEST_F(Damage, AStructureCheckCutShortIsToldAndRunAgain) {
  {
    Station station;
    station.open();
    station.close();
  }
  store::Structure older = store::schema::mdos();
  older[1].width = 20;
  store::DbfTable::create("DBF/MDOS.dbf", older);
  // 10,000 assets: about 2.2 MB, which the copy writes in three batches of a megabyte.
  writeRandomAssets("DBF/MDOS.dbf", 10000, 53);
  const std::string original = readFileBytes("DBF/MDOS.dbf");
  settings::WRITEINI("Program", "Verzija", "1.06");
  // Killed in the middle of copying the register into its new structure: the third write
  // of the check starts the new file beside the register (its header), the fourth is the
  // first batch of records, the fifth would be the second.
  ASSERT_TRUE(runKilledAt(
      [] {
        Station station;
        station.open();
        station.close();
      },
      static_cast<int>(faults::Op::Write), 5));
  EXPECT_EQ(readFileBytes("DBF/MDOS.dbf"), original) << "the register is whole";
  folder_.newUserInterface();
  Station station(&folder_.ui());
  station.open();
  const std::vector<std::string> shown = folder_.ui().messages();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(),
            "Prethodna provera strukture baza podataka nije zavrsena (program je prekinut).\n"
            "Nijedan podatak nije izgubljen: svaka tabela je ili neizmenjena ili vec prevedena\n"
            "u novu strukturu. Provera ce sada biti ponovljena.");
  EXPECT_EQ(shown.back(), "Procedura provere strukture baza podataka je uspesno zavrsena");
  EXPECT_EQ(station.program.areas["MDOS"].recCount(), 10000u);
  EXPECT_EQ(station.program.areas["MDOS"].fields()[1].def.width, 30);
  station.close();
  EXPECT_EQ(readFileBytes("DBF/MDOS_v106_backup_dbf"), original);
}

// Appends records of text fields to a table held exclusively.
void appendTexts(const fs::path& file,
                 const std::vector<std::map<std::string, std::string>>& records) {
  auto table = store::DbfTable::open(file, {.shared = false});
  for (const auto& record : records) {
    ASSERT_TRUE(table->append(false));
    for (const auto& [field, value] : record) table->putString(field, value);
  }
  table->close();
}

// Ways a table file is found damaged: each changes the bytes of `file` in place.
struct Damaging {
  const char* name;
  void (*apply)(const fs::path& file);
};

const Damaging kDamagings[] = {
    {"header length past the end",
     [](const fs::path& file) {
       std::string bytes = readFileBytes(file);
       const auto past =
           static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size() + 32, 65535));
       bytes[8] = static_cast<char>(past & 0xFF);
       bytes[9] = static_cast<char>(past >> 8);
       writeFileBytes(file, bytes);
     }},
    {"cut to 100 bytes", [](const fs::path& file) { fs::resize_file(file, 100); }},
    {"cut inside the records",
     [](const fs::path& file) { fs::resize_file(file, fs::file_size(file) - 40); }},
    {"cut to nothing", [](const fs::path& file) { fs::resize_file(file, 0); }},
};

// The files that differ between two states of the folder, but for the error log "Error.txt"
// that a refusal writes.
std::string changedFiles(FolderFiles before, FolderFiles after) {
  before.erase("Error.txt");
  after.erase("Error.txt");
  std::string changed;
  for (const auto& [name, bytes] : after)
    if (!before.count(name) || before.at(name) != bytes) changed += name + " ";
  for (const auto& [name, bytes] : before)
    if (!after.count(name)) changed += name + " (gone) ";
  return changed;
}

// Two companies' registers of 50 assets, with companies, group resets and the results of
// 2024 and 2025: every standing table holds records, and results stand to be overwritten.
void twoCompaniesWithResults(const fs::path& folder) {
  {
    Station station;
    station.open();
    station.close();
  }
  appendTexts("DBF/Firme.dbf",
              {{{"Sifra", "000"}, {"Naziv", "Velmar"}}, {{"Sifra", "001"}, {"Naziv", "Klijent"}}});
  for (const std::string prefix : {"", "001/"}) {
    const std::vector<std::string> company =
        prefix.empty() ? std::vector<std::string>{} : std::vector<std::string>{"--firma", "001"};
    std::vector<std::string> args = company;
    args.insert(args.end(), {"izvoz", "Firme", "--dir", folder.string()});
    ASSERT_EQ(runKavrinaCli(args, folder).exitCode, 0);
    writeRandomAssets(prefix + "DBF/MDOS.dbf", 50, 57);
    fs::remove(prefix + "NTX/MDOS.ntx");
    appendTexts(prefix + "DBF/MDNG.dbf",
                {{{"InvBr", "3"}, {"GodinaNG", "2024"}}, {{"InvBr", "7"}, {"GodinaNG", "2025"}}});
    for (const char* year : {"2024", "2025"}) {
      args = company;
      args.insert(args.end(), {"obracun", "--godina", year, "--dir", folder.string()});
      const CliRun run = runKavrinaCli(args, folder);
      ASSERT_EQ(run.exitCode, 0) << run.err;
    }
  }
}

TEST_F(Damage, ADamagedStandingTableStopsTheProgramNamingItAndNothingIsWritten) {
  twoCompaniesWithResults(folder_.work());
  ASSERT_FALSE(HasFailure());
  folder_.keepAsTemplate();
  for (const std::string table :
       {"DBF/Firme.dbf", "DBF/MDOS.dbf", "DBF/MDNG.dbf", "001/DBF/MDOS.dbf", "001/DBF/MDNG.dbf"}) {
    for (const Damaging& damaging : kDamagings) {
      SCOPED_TRACE(table + ", " + damaging.name);
      folder_.restoreTemplate();
      damaging.apply(table);
      const FolderFiles before = folder_.files();
      std::vector<std::string> args{"obracun", "--godina", "2025", "--dir",
                                    folder_.work().string()};
      if (table.rfind("001/", 0) == 0) args.insert(args.begin(), {"--firma", "001"});
      const CliRun run = runKavrinaCli(args, folder_.work());
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_NE(run.err.find("Fajl (" + table + ") je privremeno ili trajno ostecen."),
                std::string::npos)
          << run.err;
      EXPECT_NE(run.err.find("Vratite ispravan fajl iz arhive podataka."), std::string::npos);
      EXPECT_EQ(changedFiles(before, folder_.files()), "");
    }
  }
}

}  // namespace
}  // namespace kavrina::test::durability
