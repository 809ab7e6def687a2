// The checks of the calculation and reset dialogs, their questions and presets, and the
// result table names.
#include "depreciation/calculation_input.h"

#include <gtest/gtest.h>

#include <string>

namespace kavrina::depreciation {
namespace {

struct CheckCase {
  std::string name;
  int value;
  bool accepted;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
  *os << c.name;
}

constexpr int kThisYear = 2026;

void expectCheck(const std::optional<std::string>& answer, bool accepted) {
  if (accepted) {
    EXPECT_FALSE(answer.has_value()) << *answer;
  } else {
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, "Pogresan unos.");
  }
}

class YearCheckTest : public ::testing::TestWithParam<CheckCase> {};
TEST_P(YearCheckTest, CalculationAndResetYearsAgree) {
  expectCheck(checkCalculationYear(GetParam().value, kThisYear), GetParam().accepted);
  expectCheck(checkResetYear(GetParam().value, kThisYear), GetParam().accepted);
}
INSTANTIATE_TEST_SUITE_P(
    Years, YearCheckTest,
    ::testing::Values(CheckCase{"Zero", 0, false}, CheckCase{"Before2004", 2003, false},
                      CheckCase{"First2004", 2004, true}, CheckCase{"Year2020", 2020, true},
                      CheckCase{"LastYear2025", 2025, true}, CheckCase{"ThisYear", kThisYear, true},
                      CheckCase{"NextYear", kThisYear + 1, false},
                      CheckCase{"FourNines", 9999, false}),
    [](const auto& info) { return info.param.name; });

class PeriodicMonthsTest : public ::testing::TestWithParam<CheckCase> {};
TEST_P(PeriodicMonthsTest, OneToEleven) {
  expectCheck(checkPeriodicMonths(GetParam().value), GetParam().accepted);
}
INSTANTIATE_TEST_SUITE_P(Months, PeriodicMonthsTest,
                         ::testing::Values(CheckCase{"PresetZero", 0, false},
                                           CheckCase{"One", 1, true}, CheckCase{"Eleven", 11, true},
                                           CheckCase{"Twelve", 12, false},
                                           CheckCase{"NinetyNine", 99, false}),
                         [](const auto& info) { return info.param.name; });

class CalculationMonthsTest : public ::testing::TestWithParam<CheckCase> {};
TEST_P(CalculationMonthsTest, OneToTwelve) {
  expectCheck(checkCalculationMonths(GetParam().value), GetParam().accepted);
}
INSTANTIATE_TEST_SUITE_P(Months, CalculationMonthsTest,
                         ::testing::Values(CheckCase{"Zero", 0, false}, CheckCase{"One", 1, true},
                                           CheckCase{"Twelve", 12, true},
                                           CheckCase{"Thirteen", 13, false},
                                           CheckCase{"Negative", -1, false}),
                         [](const auto& info) { return info.param.name; });

class ResetGroupTest : public ::testing::TestWithParam<CheckCase> {};
TEST_P(ResetGroupTest, TwoToFive) {
  expectCheck(checkResetGroup(GetParam().value), GetParam().accepted);
}
INSTANTIATE_TEST_SUITE_P(Groups, ResetGroupTest,
                         ::testing::Values(CheckCase{"PresetZero", 0, false},
                                           CheckCase{"GroupI", 1, false},
                                           CheckCase{"GroupII", 2, true},
                                           CheckCase{"GroupV", 5, true},
                                           CheckCase{"Six", 6, false}),
                         [](const auto& info) { return info.param.name; });

TEST(CalculationInput, QuestionNamesTheKindPartsYearAndMonths) {
  EXPECT_EQ(obracunQuestion(true, true, false, 2025, 12),
            "Moze li poceti Godisnji obracun Racunovodstvene i Poreske amortizacije?\r"
            "Godina: 2025 / Meseci: 12");
  EXPECT_EQ(obracunQuestion(true, false, true, 2026, 6),
            "Moze li poceti Periodicni obracun Racunovodstvene amortizacije?\r"
            "Godina: 2026 / Meseci: 06");
  EXPECT_EQ(obracunQuestion(false, true, false, 2004, 12),
            "Moze li poceti Godisnji obracun Poreske amortizacije?\r"
            "Godina: 2004 / Meseci: 12");
  EXPECT_EQ(obracunQuestion(false, false, false, 2025, 12),
            obracunQuestion(true, true, false, 2025, 12));
}

TEST(CalculationInput, ResetQuestion) {
  EXPECT_EQ(nuliranjeQuestion(2020, 3), "Moze li poceti Nuliranje grupe?\rGodina: 2020 / Grupa: 3");
}

TEST(CalculationInput, Presets) {
  const CalculationPreset annual = annualPreset(2026);
  EXPECT_EQ(annual.year, 2025);
  EXPECT_EQ(annual.months, 12);
  EXPECT_EQ(periodicPreset(2026, 12).months, 0);
  EXPECT_EQ(periodicPreset(2026, 7).months, 7);
  EXPECT_EQ(periodicPreset(2026, 0).year, 2026);
  // The preset years pass their own checks.
  EXPECT_FALSE(checkCalculationYear(annualPreset(kThisYear).year, kThisYear));
  EXPECT_FALSE(checkCalculationYear(periodicPreset(kThisYear, 6).year, kThisYear));
  EXPECT_FALSE(checkResetYear(kThisYear - 1, kThisYear));
}

TEST(CalculationInput, ResultTableNames) {
  EXPECT_EQ(resultTableName(2023, 12, ResultKind::Accounting), "A202312R.dbf");
  EXPECT_EQ(resultTableName(2024, 6, ResultKind::Tax), "A202406P.dbf");
}

}  // namespace
}  // namespace kavrina::depreciation
