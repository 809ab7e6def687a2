// `OBRRASADVR` over values read once: the newest annual result between the asked years
// that holds the asset, else the default.
#include "depreciation/present_value.h"

#include <gtest/gtest.h>

#include <string>

namespace kavrina::depreciation {
namespace {

struct LookupCase {
  std::string name;
  const char* invBr;
  int newestYear;
  int oldestYear;
  double expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
  *os << c.name;
}

// Annual results: 2020 holds 1 and 2; 2022 holds 1; 2023 holds 1 twice and 3
// (inventory numbers as stored, padded to 30 characters in 2023). No result for 2021.
AnnualPresentValues values() {
  AnnualPresentValues v;
  const std::string pad(29, ' ');
  v.add(2023, "1" + pad, 700);
  v.add(2023, "1" + pad, 1);  // a second record of the same number is not found by a seek
  v.add(2023, "3" + pad, 300);
  v.add(2020, "1", 1000);
  v.add(2020, "2", 2000);
  v.add(2022, "1", 800);
  return v;
}

class PresentValueTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(PresentValueTest, FindsTheNewestYearThatHoldsTheAsset) {
  const LookupCase& c = GetParam();
  EXPECT_DOUBLE_EQ(values().OBRRASADVR(c.invBr, c.newestYear, c.oldestYear, -1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, PresentValueTest,
    ::testing::Values(LookupCase{"NewestYear", "1", 2025, 2010, 700},
                      LookupCase{"NewestBoundLeavesOutLaterYears", "1", 2022, 2010, 800},
                      LookupCase{"SkipsYearsWithoutAResult", "1", 2021, 2010, 1000},
                      LookupCase{"SkipsYearsThatDoNotHoldTheAsset", "2", 2025, 2010, 2000},
                      LookupCase{"OldestBoundLeavesOutEarlierYears", "2", 2025, 2021, -1},
                      LookupCase{"OldestYearItselfCounts", "2", 2025, 2020, 2000},
                      LookupCase{"PaddedAndPlainNumbersMatch", "3", 2023, 2023, 300},
                      LookupCase{"UnknownAssetGivesDefault", "4", 2025, 2000, -1},
                      LookupCase{"AcquiredAfterNewestYearGivesDefault", "1", 2022, 2023, -1}),
    [](const auto& info) { return info.param.name; });

TEST(PresentValue, DroppedYearIsNoLongerFound) {
  AnnualPresentValues v = values();
  v.dropYear(2023);
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("1", 2025, 2010, -1), 800);
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("3", 2025, 2010, -1), -1);
  v.clear();
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("1", 2025, 2010, 5), 5);
}

TEST(PresentValue, YearsAddedInAnyOrder) {
  AnnualPresentValues v;
  v.add(2019, "7", 19);
  v.add(2021, "7", 21);
  v.add(2020, "7", 20);
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("7", 2025, 2000, 0), 21);
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("7", 2020, 2000, 0), 20);
  EXPECT_DOUBLE_EQ(v.OBRRASADVR("7", 2019, 2000, 0), 19);
}

}  // namespace
}  // namespace kavrina::depreciation
