// UCITAJPAMRAM on result tables written by the calculation: which assets it takes, in which
// order, the start date of the accounting depreciation, the messages for a missing table
// and a table another station holds, and that reading needs no exclusive use.
#include "depreciation/ucitaj_pamram.h"

#include <gtest/gtest.h>

#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "errors/error.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;
using testing::RegisterFolder;

std::string trimmedNumber(const std::string& invBr) {
  return invBr.substr(0, invBr.find(' '));
}

class PamRamLoad : public ::testing::Test {
 protected:
  void calculate(int year, int months, bool accounting = true, bool tax = true) {
    ASSERT_TRUE(runObracun(folder_.program(), {year, months, accounting, tax}, {}).done);
  }
  RegisterFolder folder_;
};

TEST_F(PamRamLoad, TakesNewRulesAssetsWithTheirAccountingStart) {
  folder_.addAssets({
      assetNo("1").acquired("15.03.2023").accounting(120000, 10, 1).tax(120000, 2, 10),
      assetNo("2").acquired("10.12.2023").accounting(5000, 10, 1).tax(5000, 2, 10),
      assetNo("3").acquired("20.05.2021").accounting(10000, 10, 1).tax(12000, 2, 10),
      assetNo("4").acquired("01.06.2017").accounting(9000, 10, 1).tax(9000, 2, 10),  // old rules
  });
  calculate(2023, 12);
  calculate(2023, 6);

  const PamRam annual = UCITAJPAMRAM(folder_.program(), "2023", "12");
  ASSERT_EQ(annual.rows.size(), 3u);
  EXPECT_FALSE(annual.tableInUse);
  const char* numbers[] = {"1", "2", "3"};
  // March: from 1 April; December: nothing left of the year, from 1 January of the next;
  // acquired before the year: from 1 January of the year.
  const char* starts[] = {"01.04.23", "01.01.24", "01.01.23"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(trimmedNumber(annual.rows[i].InvBr), numbers[i]);
    EXPECT_EQ(annual.rows[i].InvBr.size(), 30u) << "as stored";
    EXPECT_EQ(annual.rows[i].datumObracuna, starts[i]);
  }
  const PamRamRow& third = annual.rows[2];
  EXPECT_DOUBLE_EQ(third.RAm, 1000);
  EXPECT_DOUBLE_EQ(third.PAm, 1200);
  EXPECT_DOUBLE_EQ(third.RASadVr, 9000);
  EXPECT_DOUBLE_EQ(third.PASadVr, 10800);

  // Six months: acquired in March, three months left, from month 6 − 3 + 1.
  const PamRam periodic = UCITAJPAMRAM(folder_.program(), "2023", "06");
  ASSERT_EQ(periodic.rows.size(), 3u);
  EXPECT_EQ(periodic.rows[0].datumObracuna, "01.04.23");
  EXPECT_TRUE(folder_.shown().empty()) << "nothing to tell";
  EXPECT_FALSE(folder_.program().areas.isOpen("BazaPA"));
  EXPECT_FALSE(folder_.program().areas.isOpen("BazaRA"));
}

TEST_F(PamRamLoad, AssetsOfOneSideOnlyFollowTheTaxOrder) {
  folder_.addAssets({
      assetNo("5").acquired("01.02.2022").accounting(6000, 10, 1).tax(6000, 2, 10),
      assetNo("7").acquired("01.02.2022").accounting(7000, 10, 1).tax(7000, 2, 10),
  });
  calculate(2023, 12, false, true);
  // Asset 6 joins and asset 5 goes before the accounting part is run: 6 has only an
  // accounting record, 5 only a tax record.
  folder_.addAssets({assetNo("6").acquired("01.02.2022").accounting(3000, 10, 1).tax(3000, 2, 10)});
  folder_.deleteAsset("5");
  calculate(2023, 12, true, false);

  const PamRam list = UCITAJPAMRAM(folder_.program(), "2023", "12");
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(trimmedNumber(list.rows[0].InvBr), "5");
  EXPECT_EQ(list.rows[0].datumObracuna, "") << "no accounting record";
  EXPECT_DOUBLE_EQ(list.rows[0].RAm, 0);
  EXPECT_DOUBLE_EQ(list.rows[0].PAm, 600);
  EXPECT_EQ(trimmedNumber(list.rows[1].InvBr), "7");
  EXPECT_DOUBLE_EQ(list.rows[1].RAm, 700);
  EXPECT_EQ(trimmedNumber(list.rows[2].InvBr), "6") << "accounting-only rows come last";
  EXPECT_DOUBLE_EQ(list.rows[2].PAm, 0);
  EXPECT_DOUBLE_EQ(list.rows[2].RAm, 300);
  EXPECT_EQ(list.rows[2].datumObracuna, "01.01.23");
}

TEST_F(PamRamLoad, MissingTablesAreToldInTheirOrder) {
  folder_.addAssets({assetNo("1").acquired("15.03.2023").accounting(1000, 10, 1).tax(1000, 2, 10)});
  EXPECT_TRUE(UCITAJPAMRAM(folder_.program(), "2023", "12").rows.empty());
  calculate(2023, 12, false, true);
  EXPECT_TRUE(UCITAJPAMRAM(folder_.program(), "2023", "12").rows.empty());
  EXPECT_EQ(
      folder_.shown(),
      (std::vector<std::string>{
          "error: Ne postoje podaci Poreske amoritzacije\rza godinu 2023 (meseci 12).",
          "error: Ne postoje podaci Racunovodstvene amoritzacije\rza godinu 2023 (meseci 12)."}));
}

TEST_F(PamRamLoad, ReadsBesideAnotherReaderButNotBesideACalculation) {
  folder_.addAssets({assetNo("1").acquired("15.03.2023").accounting(1000, 10, 1).tax(1000, 2, 10)});
  calculate(2023, 12);
  const auto taxFile = folder_.resultFile(2023, 12, ResultKind::Tax);
  {
    auto reader = store::DbfTable::open(taxFile, {.shared = true, .readOnly = true});
    ASSERT_TRUE(reader);
    EXPECT_EQ(UCITAJPAMRAM(folder_.program(), "2023", "12").rows.size(), 1u);
  }
  auto calculation = store::DbfTable::open(taxFile, {.shared = false});
  ASSERT_TRUE(calculation);
  const PamRam refused = UCITAJPAMRAM(folder_.program(), "2023", "12");
  EXPECT_TRUE(refused.rows.empty());
  EXPECT_TRUE(refused.tableInUse);
  EXPECT_EQ(folder_.shown(), (std::vector<std::string>{"error: " + tableInUseMessage(taxFile)}));
  EXPECT_FALSE(folder_.program().areas.isOpen("BazaPA"));
}

TEST_F(PamRamLoad, AResultTableWithoutItsFieldsIsAnErrorAndStaysClosed) {
  calculate(2023, 12, true, false);
  // A tax result without its amount fields.
  ASSERT_TRUE(store::DbfTable::create(folder_.resultFile(2023, 12, ResultKind::Tax),
                                      {{"InvBr", 'C', 30, 0}, {"NoviPrav", 'L', 1, 0}}));
  try {
    UCITAJPAMRAM(folder_.program(), "2023", "12");
    ADD_FAILURE() << "read as if the field were empty";
  } catch (const errors::Error& e) {
    EXPECT_EQ(e.OPERATION.rfind("Nedostaje polje PAPrVr", 0), 0u) << e.OPERATION;
    EXPECT_NE(e.FILENAME.find("A202312P"), std::string::npos) << e.FILENAME;
  }
  EXPECT_FALSE(folder_.program().areas.isOpen("BazaPA"));
}

}  // namespace
}  // namespace kavrina::depreciation
