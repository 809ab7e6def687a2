// The number pictures: widths, blanks, commas, the minus sign, rounding and asterisks.
#include "common/number_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kavrina {
namespace {

struct PictureCase {
  const char* name;
  double value;
  std::string_view picture;
  const char* expected;
};

class NumberPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(NumberPicture, FormatsAsPrinted) {
  const auto& c = GetParam();
  const std::string text = formatPicture(c.value, c.picture);
  EXPECT_EQ(text, c.expected);
  EXPECT_EQ(text.size(), c.picture.size());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, NumberPicture,
    ::testing::Values(
        PictureCase{"AmountSixBlanks", 1234.5, kPictureAmount, "      1,234.50"},
        PictureCase{"NegativeAmount", -1234.5, kPictureAmount, "     -1,234.50"},
        PictureCase{"Zero", 0, kPictureAmount, "          0.00"},
        PictureCase{"BillionOverflows", 1000000000, kPictureAmount, "**************"},
        PictureCase{"LargestThatFits", 999999999.99, kPictureAmount, "999,999,999.99"},
        PictureCase{"NegativeWithoutRoomForSign", -999999999.99, kPictureAmount, "**************"},
        PictureCase{"NegativeFillingTheRest", -99999999.99, kPictureAmount, "-99,999,999.99"},
        PictureCase{"RoundsHalfUp", 0.005, kPictureAmount, "          0.01"},
        PictureCase{"RoundsHalfAwayFromZero", -2.345, kPictureAmount, "         -2.35"},
        PictureCase{"TinyNegativeHasNoSign", -0.004, kPictureAmount, "          0.00"},
        PictureCase{"RoundingCarriesIntoComma", 999.999, kPictureAmount, "      1,000.00"},
        PictureCase{"RoundingOverflows", 999999999.995, kPictureAmount, "**************"},
        PictureCase{"ListAmount", 12345678901.5, kPictureListAmount, "12,345,678,901.50"},
        PictureCase{"ListAmountOverflow", 100000000000, kPictureListAmount, "*****************"},
        PictureCase{"Percent", 12.5, kPicturePercent, " 12.500%"},
        PictureCase{"PercentFull", 999.999, kPicturePercent, "999.999%"},
        PictureCase{"PercentOverflow", 1000, kPicturePercent, "********"},
        PictureCase{"Rate", 2.5, kPictureRate, "  2.50"},
        PictureCase{"PageNumber", 3, kPicturePage, "  3"},
        PictureCase{"PageNumberOverflow", 1000, kPicturePage, "***"},
        PictureCase{"OrdinalRounds", 12.5, kPictureOrdinal, "  13"},
        PictureCase{"Months", 7, kPictureMonths, " 7"},
        PictureCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), kPictureAmount,
                    "**************"},
        PictureCase{"Infinite", std::numeric_limits<double>::infinity(), kPicturePage, "***"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureTextValue, ReadsListCellsWithCommas) {
  EXPECT_DOUBLE_EQ(pictureTextValue("   -1,234,567.89"), -1234567.89);
  EXPECT_DOUBLE_EQ(pictureTextValue(formatPicture(98765432.1, kPictureListAmount)), 98765432.1);
  EXPECT_DOUBLE_EQ(pictureTextValue(""), 0);
  EXPECT_DOUBLE_EQ(pictureTextValue("(1,000.00)"), 0);  // a deleted row's cell has no number
}

struct GrowingCase {
  const char* name;
  double value;
  bool rowNumber;
  const char* expected;
};

class GrowingPicture : public ::testing::TestWithParam<GrowingCase> {};

// Values that fit the printed picture keep its text to the byte; wider ones take the
// positions they need, never asterisks.
TEST_P(GrowingPicture, KeepsThePrintedWidthAndGrowsOnlyWhenNeeded) {
  const auto& c = GetParam();
  const std::string text =
      c.rowNumber ? formatOrdinalGrowing(c.value) : formatAmountGrowing(c.value);
  EXPECT_EQ(text, c.expected);
  const std::string_view picture = c.rowNumber ? kPictureOrdinal : kPictureAmount;
  const std::string narrow = formatPicture(c.value, picture);
  if (narrow.find('*') == std::string::npos) {
    EXPECT_EQ(text, narrow);
  }
  EXPECT_EQ(text.find('*'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, GrowingPicture,
    ::testing::Values(
        GrowingCase{"OrdinaryAmount", 1234.5, false, "      1,234.50"},
        GrowingCase{"NegativeAmount", -1234.5, false, "     -1,234.50"},
        GrowingCase{"LargestOfTheNarrowPicture", 999999999.99, false, "999,999,999.99"},
        GrowingCase{"OneBillion", 1000000000, false, "1,000,000,000.00"},
        GrowingCase{"NegativeWithoutRoomBefore", -999999999.99, false, "-999,999,999.99"},
        GrowingCase{"RoundingIntoTheNextGroup", 999999999.995, false, "1,000,000,000.00"},
        GrowingCase{"FifteenSignificantDigits", 1234567890123.45, false, "1,234,567,890,123.45"},
        GrowingCase{"RowOne", 1, true, "   1"}, GrowingCase{"Row9999", 9999, true, "9999"},
        GrowingCase{"Row10000", 10000, true, "10000"},
        GrowingCase{"RowOfAFullTable", 4294967295.0, true, "4294967295"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavrina
