// Rounding, formatting and reading numbers as the tables and settings store them.
#include <gtest/gtest.h>

#include "common/decimal.h"

namespace kavrina {
namespace {

TEST(Decimal, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(roundDecimals(1.0005, 3), 1.001);   // held as 1.000499999... in binary
  EXPECT_EQ(roundDecimals(-1.0005, 3), -1.001);
  EXPECT_EQ(roundDecimals(2.5, 0), 3);
  EXPECT_EQ(roundDecimals(-2.5, 0), -3);
  EXPECT_EQ(roundDecimals(1234.5675, 3), 1234.568);
  EXPECT_EQ(roundDecimals(0.1 + 0.2, 3), 0.3);
  EXPECT_EQ(roundDecimals(1e20 / 3, 3), 33333333333333300000.0);
  EXPECT_EQ(roundDecimals(0.0004, 3), 0);
}

TEST(Decimal, FormatsExactlyTheDeclaredDecimals) {
  EXPECT_EQ(formatFixed(1234.5, 3), "1234.500");
  EXPECT_EQ(formatFixed(-0.0001, 2), "0.00");
  EXPECT_EQ(formatFixed(-12.345, 2), "-12.35");
  EXPECT_EQ(formatFixed(0.05, 1), "0.1");
  EXPECT_EQ(formatFixed(999.9996, 3), "1000.000");
  EXPECT_EQ(formatFixed(5, 0), "5");
  EXPECT_EQ(formatFixed(2500000, 2), "2500000.00");
  EXPECT_EQ(formatFixed(1e-7, 3), "0.000");
}

TEST(Decimal, ReadsTheNumberAtTheStartOfTheText) {
  EXPECT_EQ(parseNumber("8px"), 8);
  EXPECT_EQ(parseNumber("abc"), 0);
  EXPECT_EQ(parseNumber(""), 0);
  EXPECT_EQ(parseNumber("   -1.5x"), -1.5);
  EXPECT_EQ(parseNumber("+.25"), 0.25);
  EXPECT_EQ(parseNumber("2,500,000.00"), 2);
  EXPECT_EQ(parseNumber("       1234.500"), 1234.5);
  EXPECT_EQ(parseNumber("0.1"), 0.1);
  EXPECT_EQ(parseNumber("123456789012345.678"), 123456789012345.678);  // past the fast path
  EXPECT_EQ(parseNumber("-"), 0);
}

TEST(Decimal, EveryStoredAmountReadsBackToItsRoundedValue) {
  // Amounts of 15.3 fields across their range survive a write and a read unchanged.
  for (double v = -99999999.999; v < 1e11; v = v * -1.37 + 0.001) {
    double rounded = roundDecimals(v, 3);
    ASSERT_EQ(parseNumber(formatFixed(rounded, 3)), rounded) << formatFixed(v, 3);
  }
}

}  // namespace
}  // namespace kavrina
