// Month and day counts of the calculation year: the worked counts, the single-event
// rules, and the counts that are never negative.
#include "depreciation/period_counts.h"

#include <gtest/gtest.h>

#include <string>

namespace kavrina::depreciation {
namespace {

struct CountCase {
  std::string name;
  const char* datumN;  // "" for an empty date
  const char* datumO;
  int year;
  int months;
  int startRule;
  int endRule;
  int expectedMonths;
  int expectedDays;
  bool acquired;
  bool writtenOff;
};

void PrintTo(const CountCase& c, std::ostream* os) {
  *os << c.name;
}

class PeriodCountsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(PeriodCountsTest, GivesMonthsDaysAndFlags) {
  const CountCase& c = GetParam();
  const PeriodCounts counts = countPeriod(Date::fromText(c.datumN), Date::fromText(c.datumO),
                                          c.year, c.months, c.startRule, c.endRule);
  EXPECT_EQ(counts.months, c.expectedMonths);
  EXPECT_EQ(counts.days, c.expectedDays);
  EXPECT_EQ(counts.acquired, c.acquired);
  EXPECT_EQ(counts.writtenOff, c.writtenOff);
}

// Day differences are counted by hand: e.g. 1 January to 28 February is 31 + 27 = 58.
INSTANTIATE_TEST_SUITE_P(
    Counts, PeriodCountsTest,
    ::testing::Values(
        CountCase{"HeldAllYear", "10.05.2010", "", 2023, 12, 1, 1, 12, 365, false, false},
        CountCase{"HeldAllLeapYearStill365", "10.05.2010", "", 2024, 12, 1, 1, 12, 365, false,
                  false},
        CountCase{"HeldAllYearPeriodicStill365", "10.05.2010", "", 2023, 6, 1, 1, 6, 365, false,
                  false},
        CountCase{"EmptyAcquisitionDateHeldAllYear", "", "", 2023, 12, 1, 1, 12, 365, false, false},
        // Written off 15 March 2023: months up to February = 2.
        // Rule 1: 28.02 − 01.01 = 58. Rule 2: 31.03 − 01.01 = 89. Rule 3: 15.03 − 01.01 = 73.
        CountCase{"WriteOff15MarchEndRule1", "10.05.2010", "15.03.2023", 2023, 12, 1, 1, 2, 58,
                  false, true},
        CountCase{"WriteOff15MarchEndRule2", "10.05.2010", "15.03.2023", 2023, 12, 1, 2, 2, 89,
                  false, true},
        CountCase{"WriteOff15MarchEndRule3", "10.05.2010", "15.03.2023", 2023, 12, 1, 3, 2, 73,
                  false, true},
        CountCase{"UnknownEndRuleActsAsRule1", "10.05.2010", "15.03.2023", 2023, 12, 1, 7, 2, 58,
                  false, true},
        // January write-off: 0 months; rule 1 would give 31.12.2022 − 01.01.2023 = −1.
        CountCase{"WriteOffJanuaryEndRule1NeverNegative", "10.05.2010", "20.01.2023", 2023, 12, 1,
                  1, 0, 0, false, true},
        CountCase{"WriteOffJanuaryEndRule2", "10.05.2010", "20.01.2023", 2023, 12, 1, 2, 0, 30,
                  false, true},
        CountCase{"WriteOffFirstJanuaryEndRule3", "10.05.2010", "01.01.2023", 2023, 12, 1, 3, 0, 0,
                  false, true},
        // 31.12 − 01.01 = 364.
        CountCase{"WriteOffDecemberEndRule2", "10.05.2010", "15.12.2023", 2023, 12, 1, 2, 11, 364,
                  false, true},
        CountCase{"WriteOffLastDayOfLeapYearEndRule3", "10.05.2010", "31.12.2024", 2024, 12, 1, 3,
                  11, 365, false, true},
        // Periodic of 6 months, write-off in September: months min(6, 8) = 6;
        // days to 31.08: 31+28+31+30+31+30+31+31 − 1 = 242.
        CountCase{"PeriodicWriteOffAfterPeriod", "10.05.2010", "15.09.2023", 2023, 6, 1, 1, 6, 242,
                  false, true},
        CountCase{"WrittenOffInEarlierYear", "10.05.2010", "15.06.2022", 2023, 12, 1, 1, 0, 0,
                  false, false},
        // Acquired 15 March 2020: months 12 − 3 = 9. Rule 1: 01.04..31.12 = 275;
        // rule 2: 01.03..31.12 = 306; rule 3: 15.03..31.12 = 17 + 275 = 292.
        CountCase{"Acquired15March2020StartRule1", "15.03.2020", "", 2020, 12, 1, 1, 9, 275, true,
                  false},
        CountCase{"Acquired15March2020StartRule2", "15.03.2020", "", 2020, 12, 2, 1, 9, 306, true,
                  false},
        CountCase{"Acquired15March2020StartRule3", "15.03.2020", "", 2020, 12, 3, 1, 9, 292, true,
                  false},
        // 01.02.2024..31.12.2024 = 29+31+30+31+30+31+31+30+31+30+31 = 335.
        CountCase{"AcquiredJanuaryLeapYearStartRule1", "15.01.2024", "", 2024, 12, 1, 1, 11, 335,
                  true, false},
        // 01.01..31.12.2024 is 366 days, never more than 365 are counted.
        CountCase{"AcquiredJanuaryLeapYearStartRule2Capped", "15.01.2024", "", 2024, 12, 2, 1, 11,
                  365, true, false},
        CountCase{"AcquiredFirstJanuaryLeapYearStartRule3Capped", "01.01.2024", "", 2024, 12, 3, 1,
                  11, 365, true, false},
        CountCase{"AcquiredDecemberStartRule1", "10.12.2023", "", 2023, 12, 1, 1, 0, 0, true,
                  false},
        CountCase{"AcquiredDecemberStartRule2", "10.12.2023", "", 2023, 12, 2, 1, 0, 0, true,
                  false},
        // 10.12..31.12 = 22.
        CountCase{"AcquiredDecemberStartRule3", "10.12.2023", "", 2023, 12, 3, 1, 0, 22, true,
                  false},
        // Periodic, 6 months, acquired 15 March: months 6 − 3 = 3; days still run to 31.12.
        CountCase{"PeriodicAcquiredInPeriodStartRule1", "15.03.2023", "", 2023, 6, 1, 1, 3, 275,
                  true, false},
        CountCase{"PeriodicAcquiredInPeriodStartRule2", "15.03.2023", "", 2023, 6, 2, 1, 3, 306,
                  true, false},
        // Periodic, 6 months, acquired in September: 6 − 9 < 0 gives 0 months, and with no
        // months rules 1 and 2 give no days; rule 3 counts 10.09..31.12 = 21+31+30+31 = 113.
        CountCase{"PeriodicAcquiredAfterPeriodStartRule1", "10.09.2023", "", 2023, 6, 1, 1, 0, 0,
                  true, false},
        CountCase{"PeriodicAcquiredAfterPeriodStartRule2", "10.09.2023", "", 2023, 6, 2, 1, 0, 0,
                  true, false},
        CountCase{"PeriodicAcquiredAfterPeriodStartRule3", "10.09.2023", "", 2023, 6, 3, 1, 0, 113,
                  true, false},
        // Acquired 15.03 and written off 20.09.2023: months min(12, 8) − 3 = 5.
        // Rules 1/1: 31.08 − 01.04 = 30+31+30+31+31 − 1 = 152.
        // Rules 2/2: 30.09 − 01.03 = 31+30+31+30+31+31+30 − 1 = 213.
        // Rules 3/3: 20.09 − 15.03 = 16+30+31+30+31+31+20 = 189.
        CountCase{"AcquiredAndWrittenOffRules1", "15.03.2023", "20.09.2023", 2023, 12, 1, 1, 5, 152,
                  true, true},
        CountCase{"AcquiredAndWrittenOffRules2", "15.03.2023", "20.09.2023", 2023, 12, 2, 2, 5, 213,
                  true, true},
        CountCase{"AcquiredAndWrittenOffRules3", "15.03.2023", "20.09.2023", 2023, 12, 3, 3, 5, 189,
                  true, true},
        // Start rule 1 with end rule 3: 20.09 − 01.04 = 30+31+30+31+31+20 − 1 = 172.
        CountCase{"AcquiredAndWrittenOffMixedRules", "15.03.2023", "20.09.2023", 2023, 12, 1, 3, 5,
                  172, true, true},
        // Same month: min(12, 5) − 6 = −1 months and 31.05 − 01.07 < 0 days give 0;
        // by the dates themselves 25.06 − 05.06 = 20 days.
        CountCase{"AcquiredAndWrittenOffSameMonthRules1", "05.06.2023", "25.06.2023", 2023, 12, 1,
                  1, 0, 0, true, true},
        CountCase{"AcquiredAndWrittenOffSameMonthRules3", "05.06.2023", "25.06.2023", 2023, 12, 3,
                  3, 0, 20, true, true},
        // Periodic of 6 months, acquired 15.03, written off 20.09: min(6, 8) − 3 = 3 months.
        CountCase{"PeriodicAcquiredAndWrittenOff", "15.03.2023", "20.09.2023", 2023, 6, 1, 1, 3,
                  152, true, true}),
    [](const auto& info) { return info.param.name; });

TEST(PeriodCounts, NewRulesStartWithAcquisitionsOf2019) {
  const Date none;
  EXPECT_FALSE(countPeriod(Date::fromText("31.12.2018"), none, 2023, 12, 1, 1).newRules);
  EXPECT_TRUE(countPeriod(Date::fromText("01.01.2019"), none, 2023, 12, 1, 1).newRules);
  EXPECT_FALSE(countPeriod(none, none, 2023, 12, 1, 1).newRules);
}

TEST(PeriodCounts, OnlyAssetsAcquiredUpToTheYearTakePart) {
  EXPECT_TRUE(takesPart(Date::fromText("31.12.2023"), 2023));
  EXPECT_FALSE(takesPart(Date::fromText("01.01.2024"), 2023));
  EXPECT_TRUE(takesPart(Date(), 2004));
}

TEST(PeriodCounts, CountsStayWithinTheirFieldsForEveryDateOfALeapYear) {
  // Every acquisition and write-off pair of 2024 under every rule combination: months
  // within 0..P, days within 0..365 (BrMes N 2, BrDan N 3 never get a negative value).
  const Date first = Date::fromYmd(2024, 1, 1);
  for (int rule = 1; rule <= 3; ++rule) {
    for (int n = 0; n < 366; n += 5) {
      for (int o = 0; o < 366; o += 7) {
        const Date acquired = first.addDays(n);
        const Date writtenOff = first.addDays(o);
        for (int months : {6, 12}) {
          const PeriodCounts c = countPeriod(acquired, writtenOff, 2024, months, rule, rule);
          ASSERT_GE(c.months, 0) << acquired.toText() << " " << writtenOff.toText();
          ASSERT_LE(c.months, months);
          ASSERT_GE(c.days, 0) << acquired.toText() << " " << writtenOff.toText();
          ASSERT_LE(c.days, 365);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kavrina::depreciation
