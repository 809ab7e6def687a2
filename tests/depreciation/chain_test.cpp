// One small register calculated year after year from 2017 to 2026, each year's annual
// results feeding the next, against values worked out by hand year by year.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "depreciation/accounting.h"
#include "depreciation/asset_builder.h"
#include "depreciation/chain_register.h"
#include "depreciation/tax.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;
using testing::chainRegister;

struct Expected {
  double RAOsn, RAm, RASadVr;
  double PAOsn, PAm, PASadVr;
};

struct ChainYear {
  int year;
  std::map<std::string, Expected> rows;  // every asset of the year's results
};

void PrintTo(const ChainYear& c, std::ostream* os) {
  *os << c.year;
}

struct YearResults {
  std::vector<store::RaRow> ra;
  std::vector<store::PaRow> pa;
};

// Calculates 2017 (the first year kept, without previous results) up to `lastYear`.
std::map<int, YearResults> calculateChain(int lastYear) {
  const std::vector<store::AssetRecord> mdos = chainRegister();
  const GroupResets resets(std::vector<store::GroupResetMark>{{"5", "2021"}});
  std::map<int, YearResults> results;
  for (int year = 2017; year <= lastYear; ++year) {
    const CalcParams params{year, 12, {}};
    const auto previous = results.find(year - 1);
    YearResults& r = results[year];
    r.ra = calculateAccounting(mdos, previous == results.end() ? nullptr : &previous->second.ra,
                               params);
    r.pa = calculateTax(mdos, previous == results.end() ? nullptr : &previous->second.pa, resets,
                        params);
  }
  return results;
}

class ChainTest : public ::testing::TestWithParam<ChainYear> {};

TEST_P(ChainTest, YearMatchesHandCalculation) {
  const ChainYear& c = GetParam();
  const auto results = calculateChain(c.year);
  const YearResults& r = results.at(c.year);
  ASSERT_EQ(r.ra.size(), c.rows.size());
  ASSERT_EQ(r.pa.size(), c.rows.size());
  for (std::size_t i = 0; i < r.ra.size(); ++i) {
    SCOPED_TRACE("asset " + r.ra[i].InvBr);
    ASSERT_EQ(r.ra[i].InvBr, r.pa[i].InvBr);
    const auto it = c.rows.find(r.ra[i].InvBr);
    ASSERT_NE(it, c.rows.end());
    const Expected& e = it->second;
    EXPECT_DOUBLE_EQ(r.ra[i].RAOsn, e.RAOsn);
    EXPECT_DOUBLE_EQ(r.ra[i].RAm, e.RAm);
    EXPECT_DOUBLE_EQ(r.ra[i].RASadVr, e.RASadVr);
    EXPECT_DOUBLE_EQ(r.pa[i].PAOsn, e.PAOsn);
    EXPECT_DOUBLE_EQ(r.pa[i].PAm, e.PAm);
    EXPECT_DOUBLE_EQ(r.pa[i].PASadVr, e.PASadVr);
  }
}

// Per year: asset → {RAOsn, RAm, RASadVr, PAOsn, PAm, PASadVr}.
// Asset 1: 9 months in 2017 (1250 × 9 = 11250), then 15000 until 3750 is left (2025) and
// the base drops to 0 (2026). Tax 2250 (3000 / 12 × 9), then 3000 a year on the kept base.
// Asset 2: base = last closing value × 20 % (accounting) and × 15 % (tax); from 2021 the
// fourth decimal rounds: 20880.25 × 0.15 = 3132.0375 → 3132.038 and 17748.2125 → 17748.213,
// and the next year works on 17748.213.
// Asset 3: 5 months in 2020 (73000 × 20 % / 12 × 5 = 6083.333…); tax 153 days
// (1 August to 31 December) × 20 = 3060, then 365 × 20 = 7300 also in 2024.
// Asset 4: written off in 2022: 8 months (1600) and closing 0; tax a full year
// (7864.32 × 20 % = 1572.864) and closing 0; afterwards all 0.
// Asset 5: rate 0 keeps 6000 (10000 − 4000); tax declines 30 % until reset in 2021.
// Asset 6: December 2024: nothing in 2024; then 1200 and 300 (12000 × 2.5 % / 365 × 365).
INSTANTIATE_TEST_SUITE_P(
    Years2017To2026, ChainTest,
    ::testing::Values(
        ChainYear{2017,
                  {{"1", {120000, 11250, 108750, 120000, 2250, 117750}},
                   {"2", {40000, 8000, 32000, 40000, 6000, 34000}},
                   {"4", {24000, 2400, 21600, 24000, 4800, 19200}},
                   {"5", {10000, 0, 6000, 6000, 1800, 4200}}}},
        ChainYear{2018,
                  {{"1", {120000, 15000, 93750, 120000, 3000, 114750}},
                   {"2", {32000, 6400, 25600, 34000, 5100, 28900}},
                   {"4", {24000, 2400, 19200, 19200, 3840, 15360}},
                   {"5", {10000, 0, 6000, 4200, 1260, 2940}}}},
        ChainYear{2019,
                  {{"1", {120000, 15000, 78750, 120000, 3000, 111750}},
                   {"2", {25600, 5120, 20480, 28900, 4335, 24565}},
                   {"4", {24000, 2400, 16800, 15360, 3072, 12288}},
                   {"5", {10000, 0, 6000, 2940, 882, 2058}}}},
        ChainYear{2020,
                  {{"1", {120000, 15000, 63750, 120000, 3000, 108750}},
                   {"2", {20480, 4096, 16384, 24565, 3684.75, 20880.25}},
                   {"3", {73000, 6083.333, 66916.667, 73000, 3060, 69940}},
                   {"4", {24000, 2400, 14400, 12288, 2457.6, 9830.4}},
                   {"5", {10000, 0, 6000, 2058, 617.4, 1440.6}}}},
        ChainYear{2021,
                  {{"1", {120000, 15000, 48750, 120000, 3000, 105750}},
                   {"2", {16384, 3276.8, 13107.2, 20880.25, 3132.038, 17748.213}},
                   {"3", {73000, 14600, 52316.667, 73000, 7300, 62640}},
                   {"4", {24000, 2400, 12000, 9830.4, 1966.08, 7864.32}},
                   {"5", {10000, 0, 6000, 0, 0, 0}}}},
        ChainYear{2022,
                  {{"1", {120000, 15000, 33750, 120000, 3000, 102750}},
                   // 17748.213 × 0.15 = 2662.23195; 17748.213 − 2662.23195 = 15085.98105.
                   {"2", {13107.2, 2621.44, 10485.76, 17748.213, 2662.232, 15085.981}},
                   {"3", {73000, 14600, 37716.667, 73000, 7300, 55340}},
                   {"4", {24000, 1600, 0, 7864.32, 1572.864, 0}},
                   {"5", {10000, 0, 6000, 0, 0, 0}}}},
        ChainYear{2023,
                  {{"1", {120000, 15000, 18750, 120000, 3000, 99750}},
                   // 15085.981 × 0.15 = 2262.89715; closing 12823.08385.
                   {"2", {10485.76, 2097.152, 8388.608, 15085.981, 2262.897, 12823.084}},
                   {"3", {73000, 14600, 23116.667, 73000, 7300, 48040}},
                   {"4", {0, 0, 0, 0, 0, 0}},
                   {"5", {10000, 0, 6000, 0, 0, 0}}}},
        ChainYear{2024,
                  {{"1", {120000, 15000, 3750, 120000, 3000, 96750}},
                   // 8388.608 × 0.2 = 1677.7216, closing 6710.8864;
                   // 12823.084 × 0.15 = 1923.4626, closing 10899.6214.
                   {"2", {8388.608, 1677.722, 6710.886, 12823.084, 1923.463, 10899.621}},
                   {"3", {73000, 14600, 8516.667, 73000, 7300, 40740}},
                   {"4", {0, 0, 0, 0, 0, 0}},
                   {"5", {10000, 0, 6000, 0, 0, 0}},
                   {"6", {12000, 0, 12000, 12000, 0, 12000}}}},
        ChainYear{2025,
                  {{"1", {120000, 3750, 0, 120000, 3000, 93750}},
                   // 6710.886 × 0.2 = 1342.1772, closing 5368.7088;
                   // 10899.621 × 0.15 = 1634.94315, closing 9264.67785 (half: away from 0).
                   {"2", {6710.886, 1342.177, 5368.709, 10899.621, 1634.943, 9264.678}},
                   {"3", {73000, 8516.667, 0, 73000, 7300, 33440}},
                   {"4", {0, 0, 0, 0, 0, 0}},
                   {"5", {10000, 0, 6000, 0, 0, 0}},
                   {"6", {12000, 1200, 10800, 12000, 300, 11700}}}},
        ChainYear{2026,
                  {{"1", {0, 0, 0, 120000, 3000, 90750}},
                   // 5368.709 × 0.2 = 1073.7418, closing 4294.9672;
                   // 9264.678 × 0.15 = 1389.7017, closing 7874.9763.
                   {"2", {5368.709, 1073.742, 4294.967, 9264.678, 1389.702, 7874.976}},
                   {"3", {0, 0, 0, 73000, 7300, 26140}},
                   {"4", {0, 0, 0, 0, 0, 0}},
                   {"5", {10000, 0, 6000, 0, 0, 0}},
                   {"6", {12000, 1200, 9600, 12000, 300, 11400}}}}),
    [](const auto& info) { return "Y" + std::to_string(info.param.year); });

TEST(Chain, EveryOpeningValueIsLastYearsStoredClosingValue) {
  const auto results = calculateChain(2026);
  for (int year = 2018; year <= 2026; ++year) {
    const YearResults& now = results.at(year);
    const YearResults& before = results.at(year - 1);
    for (const store::RaRow& row : now.ra) {
      for (const store::RaRow& old : before.ra) {
        if (old.InvBr != row.InvBr) continue;
        EXPECT_EQ(row.RAPrVr, old.RASadVr) << year << " " << row.InvBr;
      }
    }
    for (const store::PaRow& row : now.pa) {
      const bool reset = row.InvBr == "5" && year >= 2021;
      for (const store::PaRow& old : before.pa) {
        if (old.InvBr != row.InvBr || reset) continue;
        EXPECT_EQ(row.PAPrVr, old.PASadVr) << year << " " << row.InvBr;
      }
    }
  }
}

}  // namespace
}  // namespace kavrina::depreciation
