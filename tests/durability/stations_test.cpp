// Two stations at the same moment: one is held just before it renames a file into place while
// the other does the same work; neither may leave the other a file it rejects or lose a
// record, and a conflict is told to the user, never a fatal error.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "cli/cli_run.h"
#include "common/os_file.h"
#include "depreciation/obracun.h"
#include "durability/durability_folder.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::test::durability {
namespace {

void openAndClose() {
  Station station;
  station.open();
  station.close();
}

void calculateAlone(int year, bool taxToo) {
  Station station;
  station.open();
  const auto result = depreciation::runObracun(
      station.program, {.year = year, .months = 12, .accounting = true, .tax = taxToo},
      depreciation::TaxRules{});
  if (!result.done) throw std::runtime_error("in use");
  station.close();
}

class Stations : public ::testing::Test {
 protected:
  // A register of 300 assets with the annual results of 2024 and 2025.
  void calculatedRegister() {
    openAndClose();
    writeRandomAssets("DBF/MDOS.dbf", 300, 21);
    calculateAlone(2024, true);
    calculateAlone(2025, true);
  }

  DurabilityFolder folder_;
};

TEST_F(Stations, TwoStationsBuildingTheMissingIndexAtOnceBothGoOn) {
  openAndClose();
  writeRandomAssets("DBF/MDOS.dbf", 600, 23);
  std::filesystem::remove("NTX/MDOS.ntx");
  HeldChild first(openAndClose, "NTX/MDOS.ntx");
  ASSERT_TRUE(first.waitUntilHeld()) << "the first station builds the index";
  openAndClose();  // the second station builds it too, and is first to give it its name
  EXPECT_EQ(first.releaseAndWait(), 0) << "the first station takes the index that is there";
  EXPECT_EQ(indexProblem("DBF/MDOS.dbf", "NTX/MDOS.ntx"), "");
  EXPECT_TRUE(folder_.asideFiles().empty());
}

TEST_F(Stations, ASecondCalculationOfTheSameYearIsToldTheCompanyIsInUse) {
  calculatedRegister();
  const std::string before = readFileBytes("DBF/A202512R.dbf");
  HeldChild first([] { calculateAlone(2025, true); }, "DBF/A202512R.dbf");
  ASSERT_TRUE(first.waitUntilHeld());
  {
    Station second;
    second.open();
    const auto result =
        depreciation::runObracun(second.program, {.year = 2025}, depreciation::TaxRules{});
    EXPECT_FALSE(result.done);
    EXPECT_FALSE(result.tableInUse.empty()) << "a table the first station holds is named";
    second.close();
  }
  EXPECT_EQ(readFileBytes("DBF/A202512R.dbf"), before) << "nothing written by the second";
  EXPECT_EQ(first.releaseAndWait(), 0);
  EXPECT_EQ(indexProblem("DBF/A202512R.dbf", "NTX/BazaRA.ntx"), "");
}

TEST_F(Stations, AccountingCalculationsOfTwoYearsAtOnceEndInTheInUseMessage) {
  calculatedRegister();
  HeldChild first([] { calculateAlone(2025, false); }, "DBF/A202512R.dbf");
  ASSERT_TRUE(first.waitUntilHeld());
  const CliRun second = runKavrinaCli(
      {"obracun", "--godina", "2024", "--ra", "--dir", folder_.work().string()}, folder_.work());
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(
      second.err.find("Drugi korisnik trenutno radi sa obracunom ove firme. Pokusajte kasnije."),
      std::string::npos)
      << second.err;
  EXPECT_EQ(first.releaseAndWait(), 0);
  const CliRun again = runKavrinaCli(
      {"obracun", "--godina", "2024", "--ra", "--dir", folder_.work().string()}, folder_.work());
  EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(Stations, AFirstCalculationRefusedLeavesNoResultsAndItsStatementIsToldMissing) {
  calculatedRegister();
  // The first station stands where it gives its tax results their name, holding the tax
  // results' working index: the second's first calculation of 2023 is refused there, after
  // its accounting results were begun.
  HeldChild first([] { calculateAlone(2024, true); }, "DBF/A202412P.dbf");
  ASSERT_TRUE(first.waitUntilHeld());
  const std::string dir = folder_.work().string();
  const CliRun refused =
      runKavrinaCli({"obracun", "--godina", "2023", "--dir", dir}, folder_.work());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Drugi korisnik trenutno radi sa obracunom ove firme."),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(first.releaseAndWait(), 0);
  EXPECT_FALSE(std::filesystem::exists("DBF/A202312R.dbf")) << "no results that are not whole";
  EXPECT_FALSE(std::filesystem::exists("DBF/A202312P.dbf"));
  EXPECT_TRUE(folder_.asideFiles().empty());
  for (const char* document : {"ora", "oa"}) {
    const CliRun printed = runKavrinaCli(
        {"stampa", document, "--godina", "2023", "--pdf", dir + "/../stampa.pdf", "--dir", dir},
        folder_.work());
    EXPECT_EQ(printed.exitCode, 1) << document;
    EXPECT_EQ(printed.err.rfind("Nema obracuna amortizacije za 2023. godinu (12 meseci)", 0), 0u)
        << printed.err;
  }
}

TEST_F(Stations, WhatADeadStationLeftIsRebuiltByTheNext) {
  calculatedRegister();
  // An empty index where a station died creating it (a version that wrote in place), stray
  // aside files of dead stations, young and old, beside one a station still at work holds.
  writeFileBytes("NTX/MDOS.ntx", "");
  writeFileBytes("DBF/.MDOS.dbf.0123456789ab.tmp", "half");
  writeFileBytes("NTX/.BazaRA.ntx.0123456789ab.tmp", "just left");
  writeFileBytes("DBF/.MDOS.dbf.ba9876543210.tmp", "busy");
  std::filesystem::last_write_time(
      "DBF/.MDOS.dbf.0123456789ab.tmp",
      std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
  std::filesystem::last_write_time(
      "DBF/.MDOS.dbf.ba9876543210.tmp",
      std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
  OsFile writer;
  ASSERT_EQ(writer.openShareLocked("DBF/.MDOS.dbf.ba9876543210.tmp", OsFile::Access::ReadWrite,
                                   LockKind::Write),
            0);
  calculateAlone(2025, true);
  EXPECT_EQ(indexProblem("DBF/MDOS.dbf", "NTX/MDOS.ntx"), "");
  EXPECT_EQ(indexProblem("DBF/A202512R.dbf", "NTX/BazaRA.ntx"), "");
  EXPECT_FALSE(std::filesystem::exists("DBF/.MDOS.dbf.0123456789ab.tmp"));
  EXPECT_FALSE(std::filesystem::exists("NTX/.BazaRA.ntx.0123456789ab.tmp"))
      << "no one holds it: its writer is gone, however young it is";
  EXPECT_TRUE(std::filesystem::exists("DBF/.MDOS.dbf.ba9876543210.tmp"))
      << "a file another station is still writing stays, however old it is";
}

}  // namespace
}  // namespace kavrina::test::durability
