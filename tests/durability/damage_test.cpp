// Data as users bring it and as accidents leave it: a table without a field the program
// reads, folders spelled otherwise, a link planted in place of a table, a structure check
// cut short. Each gets a clear answer and loses nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
  Station station;
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

}  // namespace
}  // namespace kavrina::test::durability
