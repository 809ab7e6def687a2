// The data-version check and the migration of a table to a new structure.
#include "store/schema_upgrade.h"

#include <gtest/gtest.h>

#include <thread>

#include "commands/open_database.h"
#include "errors/end_program.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "program_folder.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/schema.h"
#include "support/process.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using store::DbfTable;
using store::Structure;

struct ChangeCase {
  const char* name;
  Structure current;
  Structure wanted;
  bool changed;
};

class StructureComparison : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(StructureComparison, FollowsTheRulesOfTheCheck) {
  EXPECT_EQ(store::structureChanged(GetParam().current, GetParam().wanted), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StructureComparison,
    ::testing::Values(
        ChangeCase{"Same", {{"A", 'C', 3, 0}}, {{"A", 'C', 3, 0}}, false},
        ChangeCase{"NamesInAnyCase", {{"INVBR", 'C', 30, 0}}, {{"InvBr", 'C', 30, 0}}, false},
        ChangeCase{"DateWidth8Against10", {{"D", 'D', 8, 0}}, {{"D", 'D', 10, 0}}, false},
        ChangeCase{"LogicalAndMemoWidthsIgnored",
                   {{"L", 'L', 1, 0}, {"M", 'M', 10, 0}},
                   {{"L", 'L', 3, 1}, {"M", 'M', 4, 0}},
                   false},
        ChangeCase{"ExtraTrailingFieldStays",
                   {{"A", 'C', 3, 0}, {"B", 'N', 5, 0}},
                   {{"A", 'C', 3, 0}},
                   false},
        ChangeCase{
            "MoreWantedFields", {{"A", 'C', 3, 0}}, {{"A", 'C', 3, 0}, {"B", 'N', 5, 0}}, true},
        ChangeCase{"WiderText", {{"A", 'C', 30, 0}}, {{"A", 'C', 40, 0}}, true},
        ChangeCase{"OtherDecimals", {{"A", 'N', 15, 2}}, {{"A", 'N', 15, 3}}, true},
        ChangeCase{"OtherType", {{"A", 'C', 8, 0}}, {{"A", 'D', 8, 0}}, true},
        ChangeCase{"Renamed", {{"A", 'C', 3, 0}}, {{"B", 'C', 3, 0}}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SchemaUpgradeNames, BackupsCarryTheStoredVersion) {
  fs::path copy = store::workingCopyPath("DBF/MDOS.dbf", "106", ".dbf");
  EXPECT_EQ(copy, fs::path("DBF/MDOS_v106.dbf"));
  EXPECT_EQ(store::keptBackupPath(copy), fs::path("DBF/MDOS_v106_backup_dbf"));
  EXPECT_EQ(store::keptBackupPath(store::workingCopyPath("DBF/MDOS.dbf", "106", ".dbt")),
            fs::path("DBF/MDOS_v106_backup_dbt"));
}

class SchemaUpgrade : public ::testing::Test {
 protected:
  // Data of an older version: the fixed tables exist and the stored version is `version`.
  void olderData(const std::string& version, const std::string& company = "000") {
    program_.CSIFRAFIRME = company;
    program_.CSUBDIRFIRME = store::companyPrefix(company);
    store::INITDBF(program_, 0);
    settings::WRITEINI("Program", store::versionKey(program_), version);
  }
  std::string storedVersion() {
    return settings::READINI("Program", store::versionKey(program_), "?");
  }

  // The version check as the program runs it, its messages shown to the scripted user.
  bool checkVersion() {
    commands::StructureCheckMessages messages(&folder_.ui());
    return store::checkDataVersion(program_, messages);
  }

  ProgramFolder folder_;
  store::Program& program_ = folder_.program();
};

const char* const kWarning =
    "PRVI PUT POKRECETE NOVU VERZIJU PROGRAMA!\n"
    "Program treba da izvrsi proveru strukture baza podataka.\n"
    "Pre nego sto nastavite OBEZBEDITE da se svi korisnici\n"
    "odjave iz programa, u suprotnom ce se ova procedura\n"
    "automatski prekinuti, a koriscenje programa nece biti\n"
    "moguce dok se procedura uspesno ne zavrsi.";

TEST_F(SchemaUpgrade, NoStoredVersionRecordsTheVersionWithoutACheck) {
  checkVersion();
  EXPECT_EQ(storedVersion(), "1.07");
  EXPECT_TRUE(folder_.ui().messages().empty());
}

TEST_F(SchemaUpgrade, OlderVersionWarnsChecksAndRecordsTheNewOne) {
  olderData("1.06");
  checkVersion();
  EXPECT_EQ(folder_.ui().messages(),
            (std::vector<std::string>{
                kWarning, "Procedura provere strukture baza podataka je uspesno zavrsena"}));
  for (const auto& event : folder_.ui().events()) {
    if (event.type != ui::ScriptedUi::EventType::Message) continue;
    EXPECT_EQ(event.kind, ui::MessageKind::Warning) << "the first box is a warning";
    break;
  }
  EXPECT_EQ(storedVersion(), "1.07");
  EXPECT_EQ(program_.I_VER, "1.06") << "the version read stays for the backups of this run";
}

TEST_F(SchemaUpgrade, WarningNamesAnotherCompanyAndItsKey) {
  olderData("1.06", "003");
  checkVersion();
  ASSERT_FALSE(folder_.ui().messages().empty());
  const std::string warning = folder_.ui().messages()[0];
  EXPECT_EQ(warning.substr(0, warning.find("Program treba")),
            "PRVI PUT POKRECETE NOVU VERZIJU PROGRAMA!\n(ZA FIRMU: 003)\n");
  EXPECT_EQ(settings::READINI("Program", "Verzija(003\\)", "?"), "1.07");
  EXPECT_EQ(settings::READINI("Program", "Verzija", "?"), "?") << "company 000 untouched";
}

TEST_F(SchemaUpgrade, AVersionThatIsOnlyTheBeginningStillDiffers) {
  olderData("1.0");
  checkVersion();
  EXPECT_EQ(folder_.ui().messages().size(), 2u);
  EXPECT_EQ(storedVersion(), "1.07");
}

TEST_F(SchemaUpgrade, WiderTextFieldIsMigratedWithValuesDeletionsAndOrder) {
  olderData("1.06");
  program_.I_VER = "1.06";
  {
    auto t = DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    for (int i = 1; i <= 5; ++i) {
      t->append();
      t->putString("InvBr", std::to_string(10 - i));
      t->putString("Naziv", "Sredstvo " + std::to_string(i));
      t->putNumber("RAOsn", i * 1000.125);
      t->putDate("DatumN", Date::fromYmd(2020, i, 1));
      if (i % 2 == 0) t->deleteRecord();
    }
  }
  const std::string oldBytes = readFileBytes("DBF/MDOS.dbf");
  Structure wanted = store::schema::mdos();
  wanted[1].width = 40;  // Naziv grows from 30 to 40
  program_.areas.setHideDeleted(true);
  ASSERT_TRUE(store::DBCHANGE(program_, "DBF/MDOS.dbf", wanted));

  EXPECT_EQ(readFileBytes("DBF/MDOS_v106_backup_dbf"), oldBytes);
  EXPECT_FALSE(fs::exists("DBF/MDOS_v106.dbf")) << "the working copy goes";
  EXPECT_TRUE(program_.areas.hideDeleted()) << "hiding is on again";
  auto t = DbfTable::open("DBF/MDOS.dbf", {.shared = false});
  EXPECT_EQ(t->fields()[1].def.width, 40);
  ASSERT_EQ(t->recCount(), 5u);
  for (std::uint32_t i = 1; i <= 5; ++i) {
    t->goTo(i);
    EXPECT_EQ(t->getString("InvBr").substr(0, 1), std::to_string(10 - i));
    EXPECT_EQ(t->getString("Naziv"), "Sredstvo " + std::to_string(i) + std::string(30, ' '));
    EXPECT_EQ(t->getNumber("RAOsn"), i * 1000.125);
    EXPECT_EQ(t->getDate("DatumN"), Date::fromYmd(2020, static_cast<int>(i), 1));
    EXPECT_EQ(t->deleted(), i % 2 == 0) << i;
  }
}

TEST_F(SchemaUpgrade, FailedMigrationPutsTheOldTableBack) {
  olderData("1.06");
  program_.I_VER = "1.06";
  {
    auto t = DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    t->append();
    t->putNumber("RAOsn", 123456789.5);
  }
  const std::string oldBytes = readFileBytes("DBF/MDOS.dbf");
  Structure wanted = store::schema::mdos();
  wanted[6].width = 8;  // RAOsn shrinks: the stored amount no longer fits
  errors::Error e;
  try {
    store::DBCHANGE(program_, "DBF/MDOS.dbf", wanted);
  } catch (const errors::Error& raised) {
    e = raised;
  }
  EXPECT_EQ(e.GENCODE, errors::gen::kDataWidth) << "the failure reaches the handler";
  EXPECT_EQ(readFileBytes("DBF/MDOS.dbf"), oldBytes) << "the table is as it was";
  EXPECT_EQ(readFileBytes("DBF/MDOS_v106_backup_dbf"), oldBytes);
  EXPECT_FALSE(program_.areas.isOpen("DbChAlias"));
}

TEST_F(SchemaUpgrade, AnotherStationHoldingATableEndsTheCheckAndKeepsTheOldVersion) {
  olderData("1.06");
  {
    // MDOS of this version's structure would pass unchanged: make it one field short.
    Structure older = store::schema::mdos();
    older.pop_back();
    DbfTable::create("DBF/MDOS.dbf", older);
  }
  const std::string ready = (folder_.path() / "ready").string(),
                    release = (folder_.path() / "release").string();
  pid_t holder =
      startProcess(KAVRINA_DBF_WORKER,
                   {"hold", (folder_.path() / "DBF/MDOS.dbf").string(), "shared", ready, release});
  for (int i = 0; i < 10000 && !fs::exists(ready); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  int exitCode = -1;
  try {
    commands::DBOPENALL(program_);
  } catch (const errors::EndProgram& end) {
    exitCode = end.exitCode();
  }
  writeFileBytes(release, "");
  EXPECT_EQ(waitProcess(holder), 0);
  EXPECT_EQ(exitCode, 1) << "the program ends";
  EXPECT_EQ(folder_.ui().messages(),
            (std::vector<std::string>{kWarning,
                                      "UPOZORENJE: Korisnici se nisu odjavili iz programa !\n"
                                      "Procedura provere strukture baza podataka je prekinuta."}));
  EXPECT_EQ(storedVersion(), "1.06");
}

}  // namespace
}  // namespace kavrina::test
