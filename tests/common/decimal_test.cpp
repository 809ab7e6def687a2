// Rounding, formatting and reading numbers as the tables and settings store them.
#include "common/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "support/test_seed.h"

namespace kavrina {
namespace {

TEST(Decimal, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(roundDecimals(1.0005, 3), 1.001);  // held as 1.000499999... in binary
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

// The reader takes every digit into one integer and divides once; the library's exact
// conversion of the same digits is the reference, over the forms a field can hold (led by
// blanks and zeros, signed, with or without a point, up to and past nineteen digits, around
// 2^53, followed by other text).
TEST(Decimal, ReadsEveryNumberAsTheExactConversionDoes) {
  std::mt19937_64 random(20261208);
  const auto digitsOf = [&](int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
    return digits;
  };
  const auto exact = [](const std::string& digits, bool negative) {
    double value = 0;
    const std::string number = digits.front() == '.' ? "0" + digits : digits;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
  };
  for (int i = 0; i < 300000; ++i) {
    const int whole = static_cast<int>(random() % 18);
    const int decimals = static_cast<int>(random() % 8);
    std::string digits = digitsOf(whole);
    if (decimals > 0 || random() % 4 == 0) digits += "." + digitsOf(decimals);
    if (digits.find_first_of("0123456789") == std::string::npos) continue;
    const bool negative = random() % 3 == 0;
    const std::string text = std::string(random() % 12, ' ') + (negative ? "-" : "") + digits +
                             (random() % 5 == 0 ? " x9" : "");
    ASSERT_EQ(parseNumber(text), exact(digits, negative)) << '"' << text << '"';
  }
  // Either side of the largest integer a double holds exactly, and with leading zeros that
  // count as digits but add nothing.
  for (const char* digits :
       {"9007199254740992", "9007199254740993", "9007199254740993.5", "900719925474099.35",
        "0000000000000000000012.5", "1234567890123456789", "12345678901234567890",
        "0.00000000000000000001", "99999999999.999", "18446744073709551616"})
    EXPECT_EQ(parseNumber(digits), exact(digits, false)) << digits;
}

TEST(Decimal, EveryStoredAmountReadsBackToItsRoundedValue) {
  // Amounts of 15.3 fields across their range survive a write and a read unchanged.
  for (double v = -99999999.999; v < 1e11; v = v * -1.37 + 0.001) {
    double rounded = roundDecimals(v, 3);
    ASSERT_EQ(parseNumber(formatFixed(rounded, 3)), rounded) << formatFixed(v, 3);
  }
}

// The whole-number shortcut must give the digits the long way gives: amounts of every size,
// and above all values a hair either side of a half in the last place (1.0005 held as
// 1.000499999...), where it has to leave the decision to the digits.
TEST(Decimal, TheQuickRoundingAgreesWithTheDigitsEverywhere) {
  const std::uint32_t seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937_64 random(seed);
  std::uniform_int_distribution<int> places(0, 6);
  std::uniform_int_distribution<long long> units(-99999999999999LL, 99999999999999LL);
  std::uniform_real_distribution<double> any(-1e12, 1e12);
  int stored = 0, storedQuick = 0;
  for (int i = 0; i < 300000; ++i) {
    int decimals = places(random);
    double value = 0;
    switch (i % 4) {
      case 0:  // a half of the last place, as the sum of a calculation leaves it
        value = (static_cast<double>(units(random)) + 0.5) / std::pow(10.0, decimals);
        break;
      case 1:  // next to such a half
        value =
            std::nextafter((static_cast<double>(units(random)) + 0.5) / std::pow(10.0, decimals),
                           i % 8 == 1 ? 1e300 : -1e300);
        break;
      case 2:  // an amount already stored with three decimals, stored again
        value = static_cast<double>(units(random) / 1000) / 1000.0;
        decimals = 3;
        break;
      default:
        value = any(random) / std::pow(10.0, places(random) * 2);
    }
    const std::string expected = formatFixedFromDigits(value, decimals);
    char text[kFixedQuickRoom];
    stored += i % 4 == 2 ? 1 : 0;
    if (const std::size_t length = formatFixedQuick(value, decimals, text)) {
      storedQuick += i % 4 == 2 ? 1 : 0;
      ASSERT_EQ(std::string(text, length), expected) << value << " with " << decimals;
    }
    double readBack = 0;
    std::from_chars(expected.data(), expected.data() + expected.size(), readBack);
    ASSERT_EQ(roundDecimals(value, decimals), value == 0 ? value : readBack)
        << value << " with " << decimals;
  }
  EXPECT_EQ(storedQuick, stored) << "the shortcut decides every stored amount";
}

}  // namespace
}  // namespace kavrina
