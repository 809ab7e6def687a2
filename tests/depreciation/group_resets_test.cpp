// The group reset: which assets `NULIRAJGRUPU` marks, how a later reset overwrites the
// mark, and what the tax calculation makes of the marks.
#include "depreciation/group_resets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "depreciation/asset_builder.h"
#include "depreciation/tax.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;

std::vector<store::AssetRecord> resetRegister() {
  return {
      assetNo("1").acquired("10.05.2010").tax(50000, 3, 15),
      assetNo("2").acquired("31.12.2019").tax(20000, 3, 15),
      assetNo("3").acquired("01.01.2020").tax(20000, 3, 15),  // after the reset year 2019
      assetNo("4").acquired("10.05.2010").tax(50000, 2, 10),  // another group
      assetNo("5").acquired("10.05.2010").writtenOff("01.02.2015").tax(8000, 3, 15),
      assetNo("6").tax(1000, 3, 15),  // no acquisition date: year 0
  };
}

TEST(NulirajGrupu, MarksTheGroupsAssetsAcquiredUpToTheYear) {
  GroupResets resets;
  EXPECT_EQ(markGroup(resetRegister(), 2019, 3, resets), 4u);
  ASSERT_EQ(resets.records().size(), 4u);
  const std::vector<std::string> marked = {"1", "2", "5", "6"};
  for (std::size_t i = 0; i < marked.size(); ++i) {
    EXPECT_EQ(resets.records()[i].InvBr, marked[i]);
    EXPECT_EQ(resets.records()[i].GodinaNG, "2019");
  }
  EXPECT_EQ(resets.find("3"), nullptr);
  EXPECT_EQ(resets.find("4"), nullptr);
}

TEST(NulirajGrupu, ALaterResetOverwritesTheYearOfTheSameRecord) {
  GroupResets resets;
  markGroup(resetRegister(), 2019, 3, resets);
  markGroup(resetRegister(), 2020, 3, resets);
  // Asset 3 (acquired 2020) is now marked too; the others keep one record each.
  ASSERT_EQ(resets.records().size(), 5u);
  for (const auto& record : resets.records()) EXPECT_EQ(record.GodinaNG, "2020");
  EXPECT_FALSE(resets.isReset("1", 2019));
  EXPECT_TRUE(resets.isReset("1", 2020));
}

TEST(NulirajGrupu, SeeksTheStoredPaddedNumber) {
  GroupResets resets(std::vector<store::GroupResetMark>{{"12" + std::string(28, ' '), "2019"}});
  resets.mark("12", 2021);
  ASSERT_EQ(resets.records().size(), 1u);
  EXPECT_EQ(resets.records()[0].GodinaNG, "2021");
  EXPECT_TRUE(resets.isReset("12", 2021));
  EXPECT_FALSE(resets.isReset("1", 2021));
}

TEST(NulirajGrupu, YearIsStoredAsFourDigits) {
  GroupResets resets;
  resets.mark("1", 999);
  EXPECT_EQ(resets.records()[0].GodinaNG, "0999");
}

TEST(NulirajGrupu, ResetYearReadAsANumber) {
  // "2019" counts from 2019; a blank year reads as 0, so it counts from every year.
  const GroupResets resets(std::vector<store::GroupResetMark>{{"1", "2019"}, {"2", "    "}});
  EXPECT_FALSE(resets.isReset("1", 2018));
  EXPECT_TRUE(resets.isReset("1", 2019));
  EXPECT_TRUE(resets.isReset("2", 2004));
}

TEST(NulirajGrupu, TaxCalculationZeroesMarkedAssetsFromTheResetYear) {
  const std::vector<store::AssetRecord> mdos = resetRegister();
  GroupResets resets;
  markGroup(mdos, 2019, 3, resets);

  // 2018 is not affected: asset 1 declines on 50000: 7500.
  const auto y2018 = calculateTax(mdos, nullptr, resets, {2018, 12, {}});
  ASSERT_FALSE(y2018.empty());
  EXPECT_EQ(y2018[0].InvBr, "1");
  EXPECT_DOUBLE_EQ(y2018[0].PAm, 7500);
  EXPECT_DOUBLE_EQ(y2018[0].PASadVr, 42500);

  // 2019: every marked asset has base, depreciation, opening and closing value 0; the
  // other group is untouched.
  const auto y2019 = calculateTax(mdos, &y2018, resets, {2019, 12, {}});
  for (const store::PaRow& row : y2019) {
    SCOPED_TRACE(row.InvBr);
    if (row.InvBr == "4") {
      EXPECT_DOUBLE_EQ(row.PAm, 4500);  // 2018 closed at 50000 − 5000; 45000 × 10 %
      continue;
    }
    EXPECT_DOUBLE_EQ(row.PAOsn, 0);
    EXPECT_DOUBLE_EQ(row.PAm, 0);
    EXPECT_DOUBLE_EQ(row.PAPrVr, 0);
    EXPECT_DOUBLE_EQ(row.PASadVr, 0);
  }

  // Resetting again for 2020 moves the marks: a new calculation of 2019 no longer resets.
  markGroup(mdos, 2020, 3, resets);
  const auto again2019 = calculateTax(mdos, &y2018, resets, {2019, 12, {}});
  EXPECT_DOUBLE_EQ(again2019[0].PAOsn, 42500);
  EXPECT_DOUBLE_EQ(again2019[0].PAm, 6375);  // 42500 × 15 %
}

}  // namespace
}  // namespace kavrina::depreciation
