// The tax depreciation (steps T1 to T5): the worked examples and edge cases, each expected
// value worked out by hand from the formulas.
#include "depreciation/tax.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "depreciation/asset_builder.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;

TaxRules rules(int start, int end, bool kodOtpisa) {
  TaxRules r;
  r.startRule = start;
  r.endRule = end;
  r.kodOtpisa = kodOtpisa;
  return r;
}

const TaxRules kDefaults = rules(1, 1, true);

struct PaCase {
  std::string name;
  store::AssetRecord asset;
  int year;
  int months;
  TaxRules rules;
  std::optional<double> previousSadVr;  // PASadVr of A(Y−1)12P, when it holds the asset
  const char* godinaNG;                 // the asset's `MDNG` year, nullptr when not listed
  // Expected record.
  double PAPrVr;
  double PAOsn;
  double PAOtpVr;
  int BrMes;
  int BrDan;
  double PAm;
  double PASadVr;
};

void PrintTo(const PaCase& c, std::ostream* os) {
  *os << c.name;
}

class TaxTest : public ::testing::TestWithParam<PaCase> {};

TEST_P(TaxTest, ComputesTheRecord) {
  const PaCase& c = GetParam();
  store::PaRow previous;
  previous.InvBr = c.asset.InvBr;
  if (c.previousSadVr) previous.PASadVr = *c.previousSadVr;
  GroupResets resets;
  if (c.godinaNG)
    resets = GroupResets(std::vector<store::GroupResetMark>{{c.asset.InvBr, c.godinaNG}});
  const CalcParams params{c.year, c.months, c.rules};
  const auto row = computeTax(c.asset, c.previousSadVr ? &previous : nullptr, resets, params);
  ASSERT_TRUE(row.has_value());
  EXPECT_DOUBLE_EQ(row->PAPrVr, c.PAPrVr);
  EXPECT_DOUBLE_EQ(row->PAOsn, c.PAOsn);
  EXPECT_DOUBLE_EQ(row->PAOtpVr, c.PAOtpVr);
  EXPECT_EQ(row->BrMes, c.BrMes);
  EXPECT_EQ(row->BrDan, c.BrDan);
  EXPECT_DOUBLE_EQ(row->PAm, c.PAm);
  EXPECT_DOUBLE_EQ(row->PASadVr, c.PASadVr);
  EXPECT_EQ(row->PAGrupa, c.asset.PAgrupa);

  // The whole-table procedure gives the same record (no correction is configured here).
  const std::vector<store::PaRow> previousRows{previous};
  const auto table =
      calculateTax({c.asset}, c.previousSadVr ? &previousRows : nullptr, resets, params);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_DOUBLE_EQ(table[0].PAm, c.PAm);
  EXPECT_DOUBLE_EQ(table[0].PASadVr, c.PASadVr);
}

const store::AssetRecord kOldGroup1 =
    assetNo("1").acquired("10.05.2010").tax(100000, 1, 2.5).adjustment(20000);
const store::AssetRecord kOldGroup3 =
    assetNo("2").acquired("10.05.2010").tax(100000, 3, 15).adjustment(20000);
const store::AssetRecord kNewGroup2 = assetNo("3").acquired("01.07.2020").tax(73000, 2, 10);
const store::AssetRecord kOldGroup4WrittenOff =
    assetNo("4").acquired("20.01.2015").writtenOff("15.06.2023").tax(24000, 4, 20);
const store::AssetRecord kNewGroup2WrittenOff =
    assetNo("5").acquired("01.07.2020").writtenOff("15.03.2023").tax(73000, 2, 10);

INSTANTIATE_TEST_SUITE_P(
    Examples, TaxTest,
    ::testing::Values(
        // Opening 100000 − 20000; group I keeps the register base: 100000 × 2.5 / 100 = 2500.
        PaCase{"Group1FirstYearFromRegister", kOldGroup1, 2023, 12, kDefaults, std::nullopt,
               nullptr, 80000, 100000, 0, 12, 365, 2500, 77500},
        // Groups II to V take the opening value as base: 80000 × 15 / 100 = 12000.
        PaCase{"Group3FirstYearFromRegister", kOldGroup3, 2023, 12, kDefaults, std::nullopt,
               nullptr, 80000, 80000, 0, 12, 365, 12000, 68000},
        // Old rules from 2019 still decline: base 68000, 68000 × 0.15 = 10200.
        PaCase{"OldRulesGroup3DeclinesAfter2019", kOldGroup3, 2023, 12, kDefaults, 68000, nullptr,
               68000, 68000, 0, 12, 365, 10200, 57800},
        PaCase{"OldRulesGroup3DeclinesBefore2019", kOldGroup3, 2018, 12, kDefaults, 34000, nullptr,
               34000, 34000, 0, 12, 365, 5100, 28900},
        PaCase{"Group1KeepsBaseBefore2019", kOldGroup1, 2018, 12, kDefaults, 77500, nullptr, 77500,
               100000, 0, 12, 365, 2500, 75000},
        PaCase{"Group1BaseDropsAtZeroValue", kOldGroup1, 2060, 12, kDefaults, 0.0, nullptr, 0, 0, 0,
               12, 365, 0, 0},
        // New rules keep the base: 73000 × 10 / 100 / 365 × 365 = 7300.
        PaCase{"NewRulesKeepBase", kNewGroup2, 2023, 12, kDefaults, 55340, nullptr, 55340, 73000, 0,
               12, 365, 7300, 48040},
        PaCase{"NewRulesLeapYearStill365Days", kNewGroup2, 2024, 12, kDefaults, 48040, nullptr,
               48040, 73000, 0, 12, 365, 7300, 40740},
        // A periodic calculation still counts 365 days for an asset held all year.
        PaCase{"NewRulesPeriodicCounts365Days", kNewGroup2, 2023, 6, kDefaults, 55340, nullptr,
               55340, 73000, 0, 6, 365, 7300, 48040},
        // Acquired 15.03.2020: 36500 × 10 / 100 / 365 = 10 a day; 275, 306, 292 days.
        PaCase{"NewRulesAcquired15MarchStartRule1",
               assetNo("6").acquired("15.03.2020").tax(36500, 2, 10), 2020, 12, rules(1, 1, true),
               std::nullopt, nullptr, 0, 36500, 0, 9, 275, 2750, 33750},
        PaCase{"NewRulesAcquired15MarchStartRule2",
               assetNo("6").acquired("15.03.2020").tax(36500, 2, 10), 2020, 12, rules(2, 1, true),
               std::nullopt, nullptr, 0, 36500, 0, 9, 306, 3060, 33440},
        PaCase{"NewRulesAcquired15MarchStartRule3",
               assetNo("6").acquired("15.03.2020").tax(36500, 2, 10), 2020, 12, rules(3, 1, true),
               std::nullopt, nullptr, 0, 36500, 0, 9, 292, 2920, 33580},
        // Acquired in December: nothing under rules 1 and 2, 22 days (10.12..31.12) under 3.
        PaCase{"NewRulesAcquiredDecemberStartRule1",
               assetNo("6").acquired("10.12.2023").tax(36500, 2, 10), 2023, 12, rules(1, 1, true),
               std::nullopt, nullptr, 0, 36500, 0, 0, 0, 0, 36500},
        PaCase{"NewRulesAcquiredDecemberStartRule3",
               assetNo("6").acquired("10.12.2023").tax(36500, 2, 10), 2023, 12, rules(3, 1, true),
               std::nullopt, nullptr, 0, 36500, 0, 0, 22, 220, 36280},
        // Old rules, groups II to V: the whole year whatever the dates: 36000 × 0.15 = 5400.
        PaCase{"OldRulesGroup3AcquiredInYearWholeYear",
               assetNo("7").acquired("15.03.2017").tax(36000, 3, 15), 2017, 12, kDefaults,
               std::nullopt, nullptr, 0, 36000, 0, 12, 275, 5400, 30600},
        // Old rules, group I by its months: 36000 × 2.5 / 100 / 12 × 9 = 675.
        PaCase{"OldRulesGroup1AcquiredInYearByMonths",
               assetNo("7").acquired("15.03.2017").tax(36000, 1, 2.5), 2017, 12, kDefaults,
               std::nullopt, nullptr, 0, 36000, 0, 9, 275, 675, 35325},
        // Written off in January, end rule 2: 30 days × 10 = 300; closing 0.
        PaCase{"NewRulesWrittenOffJanuaryEndRule2",
               assetNo("8").acquired("01.07.2020").writtenOff("20.01.2023").tax(36500, 2, 10), 2023,
               12, rules(1, 2, true), 29200.0, nullptr, 29200, 36500, 0, 0, 30, 300, 0},
        PaCase{"NewRulesWrittenOffFirstJanuaryEndRule3",
               assetNo("8").acquired("01.07.2020").writtenOff("01.01.2023").tax(36500, 2, 10), 2023,
               12, rules(1, 3, true), 29200.0, nullptr, 29200, 36500, 0, 0, 0, 0, 0},
        // Group I, December write-off, end rule 2: 11 months, 364 days;
        // 12000 × 2.5 / 100 / 12 × 11 = 275.
        PaCase{"Group1WrittenOffDecemberEndRule2",
               assetNo("9").acquired("10.05.2010").writtenOff("15.12.2023").tax(12000, 1, 2.5),
               2023, 12, rules(1, 2, true), 9000.0, nullptr, 9000, 12000, 0, 11, 364, 275, 0},
        // "PA-kodOtpisa" on: a full year for an old-rules group IV asset: 7864.32 × 0.2.
        // Days by end rule 1 for 15 June: 31.05 − 01.01 = 150.
        PaCase{"OldRulesWriteOffKodOtpisaFullYear", kOldGroup4WrittenOff, 2023, 12, kDefaults,
               7864.32, nullptr, 7864.32, 7864.32, 0, 12, 150, 1572.864, 0},
        // "PA-kodOtpisa" off: the base leaves the group, nothing is depreciated.
        PaCase{"OldRulesWriteOffWithoutKodOtpisa", kOldGroup4WrittenOff, 2023, 12,
               rules(1, 1, false), 7864.32, nullptr, 7864.32, 0, 7864.32, 12, 150, 0, 0},
        // New rules, end rule 1 for 15 March: 58 days × 20 (73000 × 0.1 / 365) = 1160.
        PaCase{"NewRulesWriteOffKodOtpisaByDays", kNewGroup2WrittenOff, 2023, 12, kDefaults, 48040,
               nullptr, 48040, 73000, 0, 2, 58, 1160, 0},
        PaCase{"NewRulesWriteOffWithoutKodOtpisa", kNewGroup2WrittenOff, 2023, 12,
               rules(1, 1, false), 48040, nullptr, 48040, 0, 73000, 2, 58, 0, 0},
        // Group I is not taken out of a group: 12000 × 2.5 / 100 / 12 × 5 = 125.
        PaCase{"Group1WriteOffWithoutKodOtpisaStillDepreciated",
               assetNo("9").acquired("10.05.2010").writtenOff("15.06.2023").tax(12000, 1, 2.5),
               2023, 12, rules(1, 1, false), 9000.0, nullptr, 9000, 12000, 0, 5, 150, 125, 0},
        PaCase{"WrittenOffEarlierYearAllZero",
               assetNo("4").acquired("20.01.2015").writtenOff("15.09.2022").tax(24000, 4, 20), 2023,
               12, kDefaults, 0.0, nullptr, 0, 0, 0, 0, 0, 0, 0},
        // Opening value limited at zero: 10000 − 12000 gives 0, base 0.
        PaCase{"AdjustmentAboveBaseGivesZero",
               assetNo("1").acquired("10.05.2010").tax(10000, 3, 15).adjustment(12000), 2023, 12,
               kDefaults, std::nullopt, nullptr, 0, 0, 0, 12, 365, 0, 0},
        PaCase{"ResetGroup3FromEarlierYear", kOldGroup3, 2023, 12, kDefaults, 28900, "2019", 0, 0,
               0, 12, 365, 0, 0},
        PaCase{"ResetGroup3FromThisYear", kOldGroup3, 2023, 12, kDefaults, 28900, "2023", 0, 0, 0,
               12, 365, 0, 0},
        // 28900 × 0.15 = 4335.
        PaCase{"ResetFromLaterYearNotYet", kOldGroup3, 2023, 12, kDefaults, 28900, "2024", 28900,
               28900, 0, 12, 365, 4335, 24565},
        PaCase{"ResetNeverAppliesToGroup1", kOldGroup1, 2023, 12, kDefaults, 77500, "2019", 77500,
               100000, 0, 12, 365, 2500, 75000},
        // 20880.25 × 15 / 100 = 3132.0375 → 3132.038; 17748.2125 → 17748.213.
        PaCase{"BothAmountsRoundedHalfAwayFromZero",
               assetNo("2").acquired("10.05.2010").tax(50000, 3, 15), 2021, 12, kDefaults, 20880.25,
               nullptr, 20880.25, 20880.25, 0, 12, 365, 3132.038, 17748.213}),
    [](const auto& info) { return info.param.name; });

// --- Group correction (T5) --------------------------------------------------------------

TaxRules correction(double limit) {
  TaxRules r;
  r.korekcija = true;
  r.prosecnaZaradaX5 = limit;
  return r;
}

// Three old-rules group II assets held from the register, 10 percent a year.
std::vector<store::AssetRecord> group2Register(double first, double second, double third) {
  return {assetNo("1").acquired("10.05.2010").tax(first, 2, 10),
          assetNo("2").acquired("10.05.2010").tax(second, 2, 10),
          assetNo("3").acquired("10.05.2010").tax(third, 2, 10)};
}

TEST(GroupCorrection, GroupBelowLimitIsWrittenOffCompletely) {
  // 166666.666 + 166666.666 + 166666.667 = 499999.999 < 500000.
  const auto rows = calculateTax(group2Register(166666.666, 166666.666, 166666.667), nullptr, {},
                                 {2023, 12, correction(500000)});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_DOUBLE_EQ(rows[0].PAm, 166666.666);
  EXPECT_DOUBLE_EQ(rows[2].PAm, 166666.667);
  for (const store::PaRow& row : rows) EXPECT_DOUBLE_EQ(row.PASadVr, 0) << row.InvBr;
}

TEST(GroupCorrection, GroupExactlyAtLimitIsNot) {
  // 454962.524 + 4235.028 + 40802.448 is 500000 dinars, though adding the three doubles in
  // this order gives 499999.99999999994. 10 percent each: 45496.2524 → 45496.252, closing
  // 454962.524 − 45496.2524 = 409466.2716 → 409466.272.
  const auto rows = calculateTax(group2Register(454962.524, 4235.028, 40802.448), nullptr, {},
                                 {2023, 12, correction(500000)});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_DOUBLE_EQ(rows[0].PAm, 45496.252);
  EXPECT_DOUBLE_EQ(rows[0].PASadVr, 409466.272);
  EXPECT_NE(rows[1].PASadVr, 0);
  EXPECT_NE(rows[2].PASadVr, 0);
}

TEST(GroupCorrection, RunsOnlyWhenSwitchedOnWithALimit) {
  TaxRules off = correction(500000);
  off.korekcija = false;
  const auto register_ = group2Register(1000, 2000, 3000);
  for (const TaxRules& r : {off, correction(0)}) {
    const auto rows = calculateTax(register_, nullptr, {}, {2023, 12, r});
    EXPECT_DOUBLE_EQ(rows[0].PAm, 100);
    EXPECT_DOUBLE_EQ(rows[0].PASadVr, 900);
  }
}

TEST(GroupCorrection, GroupsAreSummedSeparatelyAndGroupINeverCorrected) {
  const std::vector<store::AssetRecord> mdos = {
      assetNo("1").acquired("10.05.2010").tax(1000, 1, 2.5),
      assetNo("2").acquired("10.05.2010").tax(40000, 2, 10),
      assetNo("3").acquired("10.05.2010").tax(30000, 3, 15),
      assetNo("4").acquired("10.05.2010").tax(30000, 3, 15),
  };
  // Limit 50000: group II (40000) is corrected, group III (60000) is not.
  const auto rows = calculateTax(mdos, nullptr, {}, {2023, 12, correction(50000)});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_DOUBLE_EQ(rows[0].PAm, 25);  // 1000 × 2.5 / 100
  EXPECT_DOUBLE_EQ(rows[0].PASadVr, 975);
  EXPECT_DOUBLE_EQ(rows[1].PAm, 40000);
  EXPECT_DOUBLE_EQ(rows[1].PASadVr, 0);
  EXPECT_DOUBLE_EQ(rows[2].PAm, 4500);  // 30000 × 15 / 100
  EXPECT_DOUBLE_EQ(rows[3].PASadVr, 25500);
}

TEST(GroupCorrection, ResetRecordsAddNothingToTheirGroup) {
  const std::vector<store::AssetRecord> mdos = {
      assetNo("1").acquired("10.05.2010").tax(400000, 3, 15),
      assetNo("2").acquired("10.05.2010").tax(200000, 3, 15),
  };
  const GroupResets resets(std::vector<store::GroupResetMark>{{"1", "2020"}});
  // Group III is 0 + 200000 < 500000 once the first asset is reset.
  const auto rows = calculateTax(mdos, nullptr, resets, {2023, 12, correction(500000)});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_DOUBLE_EQ(rows[0].PAm, 0);
  EXPECT_DOUBLE_EQ(rows[0].PAOsn, 0);
  EXPECT_DOUBLE_EQ(rows[1].PAm, 200000);
  EXPECT_DOUBLE_EQ(rows[1].PASadVr, 0);

  const auto unreset = calculateTax(mdos, nullptr, {}, {2023, 12, correction(500000)});
  EXPECT_DOUBLE_EQ(unreset[1].PAm, 30000);  // 600000 is not below the limit
}

TEST(GroupCorrection, NewRulesAssetNeverLosesMoreThanItsValue) {
  // A new-rules asset keeps its base 73000 while only 26140 is left of it: the correction
  // writes off the 26140, not the base.
  const std::vector<store::AssetRecord> mdos = {kNewGroup2};
  std::vector<store::PaRow> previous(1);
  previous[0].InvBr = "3";
  previous[0].PASadVr = 26140;
  const auto rows = calculateTax(mdos, &previous, {}, {2026, 12, correction(500000)});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_DOUBLE_EQ(rows[0].PAOsn, 73000);
  EXPECT_DOUBLE_EQ(rows[0].PAm, 26140);
  EXPECT_DOUBLE_EQ(rows[0].PASadVr, 0);
}

TEST(GroupCorrection, WorksOnStoredRecords) {
  std::vector<store::PaRow> rows(2);
  rows[0].PAGrupa = 4;
  rows[0].PAOsn = 100.5;
  rows[0].PAPrVr = 100.5;
  rows[0].PAm = 20.1;
  rows[0].PASadVr = 80.4;
  rows[1].PAGrupa = 4;
  rows[1].PAOsn = 0.001;
  rows[1].PAPrVr = 0.001;
  correctGroups(rows, correction(100.502));  // 100.501 < 100.502
  EXPECT_DOUBLE_EQ(rows[0].PAm, 100.5);
  EXPECT_DOUBLE_EQ(rows[0].PASadVr, 0);
  EXPECT_DOUBLE_EQ(rows[1].PAm, 0.001);

  rows[0].PAm = 20.1;
  rows[0].PASadVr = 80.4;
  correctGroups(rows, correction(100.501));  // 100.501 is not below 100.501
  EXPECT_DOUBLE_EQ(rows[0].PAm, 20.1);
  EXPECT_DOUBLE_EQ(rows[0].PASadVr, 80.4);
}

TEST(Tax, StoresAmountsAsThreeDecimalValues) {
  // 0.3 − 0.1 is 0.19999999999999998 in binary; stored it is the three-decimal 0.2.
  const store::AssetRecord asset =
      assetNo("1").acquired("10.05.2010").tax(0.3, 3, 15).adjustment(0.1);
  const auto row = computeTax(asset, nullptr, {}, {2023, 12, {}});
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->PAPrVr, 0.2);
  EXPECT_EQ(row->PAOsn, 0.2);
  EXPECT_EQ(row->PAm, 0.03);
  EXPECT_EQ(row->PASadVr, 0.17);
}

TEST(Tax, AssetAcquiredAfterTheYearIsAbsent) {
  const store::AssetRecord next = assetNo("9").acquired("02.01.2024").tax(1000, 2, 10);
  EXPECT_FALSE(computeTax(next, nullptr, {}, {2023, 12, {}}).has_value());
  EXPECT_TRUE(calculateTax({next}, nullptr, {}, {2023, 12, {}}).empty());
}

TEST(Tax, EmptyAcquisitionDateFallsUnderOldRules) {
  // Group II under old rules declines on the opening value and counts 12 months.
  const auto row = computeTax(assetNo("9").tax(1000, 2, 10), nullptr, {}, {2023, 12, {}});
  ASSERT_TRUE(row.has_value());
  EXPECT_FALSE(row->NoviPrav);
  EXPECT_FALSE(row->PANab);
  EXPECT_DOUBLE_EQ(row->PAm, 100);
}

}  // namespace
}  // namespace kavrina::depreciation
