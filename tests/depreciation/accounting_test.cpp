// The accounting depreciation (steps R1 to R3): the worked examples and edge cases, each
// expected value worked out by hand from the formulas.
#include "depreciation/accounting.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "depreciation/asset_builder.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;

struct RaCase {
  std::string name;
  store::AssetRecord asset;
  int year;
  int months;
  std::optional<double> previousSadVr;  // RASadVr of A(Y−1)12R, when it holds the asset
  // Expected record.
  double RAPrVr;
  double RAOsn;
  int BrMes;
  double RAm;
  double RASadVr;
  bool RANab;
  bool RAOtp;
};

void PrintTo(const RaCase& c, std::ostream* os) {
  *os << c.name;
}

class AccountingTest : public ::testing::TestWithParam<RaCase> {};

TEST_P(AccountingTest, ComputesTheRecord) {
  const RaCase& c = GetParam();
  store::RaRow previous;
  previous.InvBr = c.asset.InvBr;
  if (c.previousSadVr) previous.RASadVr = *c.previousSadVr;
  const CalcParams params{c.year, c.months, {}};
  const auto row = computeAccounting(c.asset, c.previousSadVr ? &previous : nullptr, params);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->InvBr, c.asset.InvBr);
  EXPECT_DOUBLE_EQ(row->RAPrVr, c.RAPrVr);
  EXPECT_DOUBLE_EQ(row->RAOsn, c.RAOsn);
  EXPECT_EQ(row->BrMes, c.BrMes);
  EXPECT_DOUBLE_EQ(row->RAm, c.RAm);
  EXPECT_DOUBLE_EQ(row->RASadVr, c.RASadVr);
  EXPECT_EQ(row->RANab, c.RANab);
  EXPECT_EQ(row->RAOtp, c.RAOtp);
  EXPECT_EQ(row->RATip, c.asset.RAtip);
}

const store::AssetRecord kStraight = assetNo("1").acquired("15.03.2023").accounting(120000, 10, 1);
const store::AssetRecord kDeclining = assetNo("1").acquired("15.03.2023").accounting(120000, 10, 2);
const store::AssetRecord kHeld = assetNo("2").acquired("10.05.2010").accounting(24000, 10, 1);

INSTANTIATE_TEST_SUITE_P(
    Examples, AccountingTest,
    ::testing::Values(
        // 120000 × 10 / 100 / 12 × 9 = 9000; closing 120000 − 9000.
        RaCase{"StraightLineAcquired15March", kStraight, 2023, 12, std::nullopt, 0, 120000, 9, 9000,
               111000, true, false},
        // Base kept; 120000 × 10 / 100 = 12000; 111000 − 12000.
        RaCase{"StraightLineNextYearKeepsBase", kStraight, 2024, 12, 111000, 111000, 120000, 12,
               12000, 99000, false, false},
        // Base 111000; 11100; 111000 − 11100.
        RaCase{"DecliningNextYearTakesCarriedValue", kDeclining, 2024, 12, 111000, 111000, 111000,
               12, 11100, 99900, false, false},
        // First year of a declining asset: base is the opening value before acquisition.
        RaCase{"DecliningAcquiredInYear", kDeclining, 2023, 12, std::nullopt, 0, 120000, 9, 9000,
               111000, true, false},
        // Computed 12000, only 5000 left.
        RaCase{"DepreciationCappedByValueLeft", kStraight, 2030, 12, 5000, 5000, 120000, 12, 5000,
               0, false, false},
        RaCase{"StraightLineBaseDropsAtZeroValue", kStraight, 2031, 12, 0.0, 0, 0, 12, 0, 0, false,
               false},
        // First year kept in the program: opening 50000 − 10000, base the register's.
        RaCase{"FirstYearFromRegister",
               assetNo("3").acquired("01.02.2015").accounting(50000, 10, 1).adjustment(10000), 2023,
               12, std::nullopt, 40000, 50000, 12, 5000, 35000, false, false},
        RaCase{"RateZeroKeepsOpeningValue",
               assetNo("3").acquired("01.02.2015").accounting(50000, 0, 1).adjustment(10000), 2023,
               12, std::nullopt, 40000, 50000, 12, 0, 40000, false, false},
        RaCase{"RateZeroAcquiredKeepsBase",
               assetNo("3").acquired("01.02.2023").accounting(50000, 0, 1), 2023, 12, std::nullopt,
               0, 50000, 10, 0, 50000, true, false},
        RaCase{"AdjustmentEqualToBaseGivesNothing",
               assetNo("3").acquired("01.02.2015").accounting(30000, 10, 1).adjustment(30000), 2023,
               12, std::nullopt, 0, 0, 12, 0, 0, false, false},
        RaCase{"AcquiredDecemberNothingYet",
               assetNo("4").acquired("10.12.2023").accounting(24000, 10, 1), 2023, 12, std::nullopt,
               0, 24000, 0, 0, 24000, true, false},
        // Held from the register: opening 24000; January write-off: 0 months, closing 0.
        RaCase{
            "WrittenOffJanuary",
            assetNo("2").acquired("10.05.2010").writtenOff("20.01.2023").accounting(24000, 10, 1),
            2023, 12, std::nullopt, 24000, 24000, 0, 0, 0, false, true},
        // 24000 × 10 / 100 / 12 × 11 = 2200.
        RaCase{
            "WrittenOffDecember",
            assetNo("2").acquired("10.05.2010").writtenOff("15.12.2023").accounting(24000, 10, 1),
            2023, 12, 21600, 21600, 24000, 11, 2200, 0, false, true},
        RaCase{
            "WrittenOffEarlierYearAllZero",
            assetNo("2").acquired("10.05.2010").writtenOff("15.06.2022").accounting(24000, 10, 1),
            2023, 12, 0.0, 0, 0, 0, 0, 0, false, false},
        // Acquired 15.03, written off 20.09: min(12, 8) − 3 = 5 months; 12000 × 0.1 / 12 × 5.
        RaCase{
            "AcquiredAndWrittenOffSameYear",
            assetNo("5").acquired("15.03.2023").writtenOff("20.09.2023").accounting(12000, 10, 1),
            2023, 12, std::nullopt, 0, 12000, 5, 500, 0, true, true},
        RaCase{
            "AcquiredAndWrittenOffSameMonthNoMonths",
            assetNo("5").acquired("05.06.2023").writtenOff("25.06.2023").accounting(12000, 10, 1),
            2023, 12, std::nullopt, 0, 12000, 0, 0, 0, true, true},
        // Periodic of 6 months: 15.03 gives 3 months, 12000 × 0.1 / 12 × 3 = 300.
        RaCase{"PeriodicAcquiredInPeriod",
               assetNo("6").acquired("15.03.2023").accounting(12000, 10, 1), 2023, 6, std::nullopt,
               0, 12000, 3, 300, 11700, true, false},
        RaCase{"PeriodicAcquiredAfterPeriodNothing",
               assetNo("6").acquired("10.09.2023").accounting(12000, 10, 1), 2023, 6, std::nullopt,
               0, 12000, 0, 0, 12000, true, false},
        // Periodic of 6 months, held all along: 24000 × 0.1 / 12 × 6 = 1200.
        RaCase{"PeriodicHeld", kHeld, 2023, 6, 24000, 24000, 24000, 6, 1200, 22800, false, false},
        // Adjustment above the base: opening −2000. Straight-line: 1000 capped by −2000 would
        // be negative, so 0; closing stays −2000.
        RaCase{"NegativeOpeningStraightLineNoDepreciation",
               assetNo("7").acquired("10.05.2010").accounting(10000, 10, 1).adjustment(12000), 2023,
               12, std::nullopt, -2000, 10000, 12, 0, -2000, false, false},
        RaCase{"NegativeOpeningDecliningNoDepreciation",
               assetNo("7").acquired("10.05.2010").accounting(10000, 10, 2).adjustment(12000), 2023,
               12, std::nullopt, -2000, -2000, 12, 0, -2000, false, false},
        // 20880.25 × 15 / 100 = 3132.0375 is stored as 3132.038 and the closing value
        // 20880.25 − 3132.0375 = 17748.2125 as 17748.213, both half away from zero.
        RaCase{"BothAmountsRoundedHalfAwayFromZero",
               assetNo("8").acquired("10.05.2010").accounting(20880.25, 15, 2), 2023, 12,
               std::nullopt, 20880.25, 20880.25, 12, 3132.038, 17748.213, false, false},
        // 1000 × 12.5 / 100 / 12 × 7 = 72.91666…; closing 927.08333….
        RaCase{"PeriodicThirdDecimal",
               assetNo("8").acquired("10.05.2010").accounting(1000, 12.5, 1), 2023, 7, std::nullopt,
               1000, 1000, 7, 72.917, 927.083, false, false},
        // The rate is stored with three decimals (12.346) before the depreciation uses it:
        // 1000 × 12.346 / 100 = 123.46.
        RaCase{"RateUsedAsStored", assetNo("8").acquired("10.05.2010").accounting(1000, 12.3456, 1),
               2023, 12, std::nullopt, 1000, 1000, 12, 123.46, 876.54, false, false}),
    [](const auto& info) { return info.param.name; });

TEST(Accounting, AssetAcquiredAfterTheYearIsAbsent) {
  const store::AssetRecord next = assetNo("9").acquired("02.01.2024").accounting(1000, 10, 1);
  EXPECT_FALSE(computeAccounting(next, nullptr, {2023, 12, {}}).has_value());
  const auto rows = calculateAccounting({next}, nullptr, {2023, 12, {}});
  EXPECT_TRUE(rows.empty());
}

TEST(Accounting, EmptyAcquisitionDateCountsAsOldAndHeld) {
  const store::AssetRecord undated = assetNo("9").accounting(1000, 10, 1);
  const auto row = computeAccounting(undated, nullptr, {2023, 12, {}});
  ASSERT_TRUE(row.has_value());
  EXPECT_FALSE(row->RANab);
  EXPECT_FALSE(row->NoviPrav);
  EXPECT_EQ(row->BrMes, 12);
  EXPECT_DOUBLE_EQ(row->RAm, 100);
}

TEST(Accounting, NewRulesFlagFollowsAcquisitionYear) {
  const CalcParams params{2023, 12, {}};
  EXPECT_FALSE(computeAccounting(assetNo("1").acquired("31.12.2018"), nullptr, params)->NoviPrav);
  EXPECT_TRUE(computeAccounting(assetNo("1").acquired("01.01.2019"), nullptr, params)->NoviPrav);
}

TEST(Accounting, StoresAmountsAsThreeDecimalValues) {
  // 0.3 − 0.1 is 0.19999999999999998 in binary; the stored opening value and base are
  // exactly the three-decimal 0.2, and the closing value 0.2 − 0.02 is 0.18.
  const store::AssetRecord asset =
      assetNo("1").acquired("10.05.2010").accounting(0.3, 10, 2).adjustment(0.1);
  const auto row = computeAccounting(asset, nullptr, {2023, 12, {}});
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->RAPrVr, 0.2);
  EXPECT_EQ(row->RAOsn, 0.2);
  EXPECT_EQ(row->RAm, 0.02);
  EXPECT_EQ(row->RASadVr, 0.18);
}

TEST(Accounting, WholeTableCarriesByInventoryNumberInRegisterOrder) {
  // The previous result holds the numbers padded to 30 characters and in another order;
  // a number twice in it is found at its first record, as a seek finds it.
  const std::vector<store::AssetRecord> mdos = {
      assetNo("9").acquired("10.05.2010").accounting(1000, 10, 2),
      assetNo("10").acquired("10.05.2010").accounting(2000, 10, 2),
      assetNo("11").acquired("10.05.2010").accounting(3000, 10, 2),
      assetNo("12").acquired("10.05.2024").accounting(4000, 10, 2),
  };
  std::vector<store::RaRow> previous(3);
  previous[0].InvBr = "10" + std::string(28, ' ');
  previous[0].RASadVr = 1500;
  previous[1].InvBr = "9" + std::string(29, ' ');
  previous[1].RASadVr = 800;
  previous[2].InvBr = "10";
  previous[2].RASadVr = 1;

  const auto rows = calculateAccounting(mdos, &previous, {2023, 12, {}});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].InvBr, "9");
  EXPECT_EQ(rows[1].InvBr, "10");
  EXPECT_EQ(rows[2].InvBr, "11");
  // 9: base 800, 80, 720. 10: base 1500, 150, 1350. 11: not in the previous result, so the
  // register stands: base 3000, 300, 2700.
  EXPECT_DOUBLE_EQ(rows[0].RAm, 80);
  EXPECT_DOUBLE_EQ(rows[0].RASadVr, 720);
  EXPECT_DOUBLE_EQ(rows[1].RAOsn, 1500);
  EXPECT_DOUBLE_EQ(rows[1].RASadVr, 1350);
  EXPECT_DOUBLE_EQ(rows[2].RAPrVr, 3000);
  EXPECT_DOUBLE_EQ(rows[2].RASadVr, 2700);

  for (std::size_t i = 0; i < rows.size(); ++i) {
    const store::RaRow* prev = i == 0 ? &previous[1] : i == 1 ? &previous[0] : nullptr;
    const auto single = computeAccounting(mdos[i], prev, {2023, 12, {}});
    ASSERT_TRUE(single.has_value());
    EXPECT_DOUBLE_EQ(single->RASadVr, rows[i].RASadVr) << rows[i].InvBr;
  }
}

}  // namespace
}  // namespace kavrina::depreciation
