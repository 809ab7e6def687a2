// Two stations at the same moment: one is held just before it renames a file into place while
// the other does the same work; neither may leave the other a file it rejects or lose a
// record, and a conflict is told to the user, never a fatal error.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_run.h"
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

TEST_F(Stations, WhatADeadStationLeftIsRebuiltByTheNext) {
  calculatedRegister();
  // Empty files where a station died creating them (a version that wrote in place), and a
  // stray aside file of a minute ago beside a fresh one of a station still at work.
  writeFileBytes("NTX/MDOS.ntx", "");
  writeFileBytes("DBF/MDNG.dbf", "");
  writeFileBytes("DBF/A202512R.dbf", std::string("\x03\x19\x0c", 3));
  writeFileBytes("DBF/.MDOS.dbf.0123456789ab.tmp", "half");
  writeFileBytes("DBF/.MDOS.dbf.ba9876543210.tmp", "busy");
  std::filesystem::last_write_time(
      "DBF/.MDOS.dbf.0123456789ab.tmp",
      std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
  calculateAlone(2025, true);
  EXPECT_EQ(indexProblem("DBF/MDOS.dbf", "NTX/MDOS.ntx"), "");
  EXPECT_EQ(indexProblem("DBF/A202512R.dbf", "NTX/BazaRA.ntx"), "");
  EXPECT_EQ(indexProblem("DBF/MDNG.dbf", "NTX/MDNG.ntx"), "");
  EXPECT_FALSE(std::filesystem::exists("DBF/.MDOS.dbf.0123456789ab.tmp"));
  EXPECT_TRUE(std::filesystem::exists("DBF/.MDOS.dbf.ba9876543210.tmp"))
      << "a file another station may still be writing stays";
}

}  // namespace
}  // namespace kavrina::test::durability
