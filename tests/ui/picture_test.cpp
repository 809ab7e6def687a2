// The input-picture rules: what each picture the program uses accepts and what value it
// hands back.
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace kavrina::ui {
namespace {

constexpr const char* kThirtyDigits = "999999999999999999999999999999";
constexpr const char* kTwentyChars = "XXXXXXXXXXXXXXXXXXXX";

struct ValueRow {
  const char* name;
  const char* picture;
  std::string input;
  std::optional<std::string> expected;  // none: refused with "Pogresan unos."
  friend void PrintTo(const ValueRow& row, std::ostream* out) { *out << row.name; }
};

std::string repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

class PictureValueTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(PictureValueTest, ConfirmedEdit) {
  const ValueRow& row = GetParam();
  EXPECT_EQ(pictureValue(parsePicture(row.picture), row.input), row.expected)
      << "picture \"" << row.picture << "\", input \"" << row.input << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureValueTest,
    ::testing::Values(
        // Years, months, group: "9999", "99", "9".
        ValueRow{"YearFourDigits", "9999", "2023", "2023"},
        ValueRow{"YearFiveDigitsRefused", "9999", "20234", std::nullopt},
        ValueRow{"YearLetterRefused", "9999", "20a3", std::nullopt},
        ValueRow{"YearEmptyStaysEmpty", "9999", "", ""},
        ValueRow{"YearBlanksAroundDropped", "9999", " 202", "202"},
        ValueRow{"YearOnlyBlanksIsEmpty", "9999", "    ", ""},
        ValueRow{"MonthsTwoDigits", "99", "11", "11"},
        ValueRow{"MonthsThreeDigitsRefused", "99", "123", std::nullopt},
        ValueRow{"GroupOneDigit", "9", "5", "5"},
        ValueRow{"GroupTwoDigitsRefused", "9", "12", std::nullopt},
        // Location, account, deletion code: "999", "9999999999", "999999".
        ValueRow{"LocationZero", "999", "0", "0"},
        ValueRow{"AccountKeepsLeadingZero", "9999999999", "0123456789", "0123456789"},
        ValueRow{"AccountPointRefused", "9999999999", "1.5", std::nullopt},
        ValueRow{"CodeSixDigits", "999999", "150923", "150923"},
        ValueRow{"CodeBlankBetweenDigitsRefused", "999999", "15 923", std::nullopt},
        ValueRow{"CodeMinusRefused", "999999", "-5", std::nullopt},
        // Inventory numbers: 30 digits, more than a double holds exactly.
        ValueRow{"ThirtyDigitsKeptExactly", kThirtyDigits, repeat("9", 29) + "7",
                 repeat("9", 29) + "7"},
        ValueRow{"ThirtyOneDigitsRefused", kThirtyDigits, repeat("1", 31), std::nullopt},
        // Search text: 20 characters of anything printable.
        ValueRow{"TextTwentyBlanksKept", kTwentyChars, repeat(" ", 20), repeat(" ", 20)},
        ValueRow{"TextKeptAsTyped", kTwentyChars, " Velmar 12 ", " Velmar 12 "},
        ValueRow{"TextTwentyOneRefused", kTwentyChars, repeat("a", 21), std::nullopt},
        ValueRow{"TextCountsCharactersNotBytes", kTwentyChars, repeat("\xC4\x8C", 20),
                 repeat("\xC4\x8C", 20)},
        ValueRow{"TextTwentyOneWideCharactersRefused", kTwentyChars, repeat("\xC4\x8C", 21),
                 std::nullopt},
        ValueRow{"TextControlCharacterRefused", kTwentyChars, "a\tb", std::nullopt},
        ValueRow{"TextBrokenUtf8Refused", kTwentyChars, "a\xFF", std::nullopt},
        ValueRow{"TextCutUtf8Refused", kTwentyChars, "a\xC4", std::nullopt},
        // Dates.
        ValueRow{"DateFull", "99.99.9999", "15.03.2020", "15.03.2020"},
        ValueRow{"DateShortDayAndMonthPadded", "99.99.9999", "1.2.2023", "01.02.2023"},
        ValueRow{"DateBlanksDropped", "99.99.9999", " 1.02.2023", "01.02.2023"},
        ValueRow{"DateLeapDay", "99.99.9999", "29.02.2024", "29.02.2024"},
        ValueRow{"DateNoLeapDayRefused", "99.99.9999", "29.02.2023", std::nullopt},
        ValueRow{"DateThirtyFirstFebruaryRefused", "99.99.9999", "31.02.2023", std::nullopt},
        ValueRow{"DateMonthThirteenRefused", "99.99.9999", "15.13.2020", std::nullopt},
        ValueRow{"DateTwoDigitYearRefused", "99.99.9999", "15.03.20", std::nullopt},
        ValueRow{"DateDashesRefused", "99.99.9999", "15-03-2020", std::nullopt},
        ValueRow{"DateHalfTypedRefused", "99.99.9999", "15.03.", std::nullopt},
        ValueRow{"DateEmptyEditIsEmptyDate", "99.99.9999", "", ""},
        ValueRow{"DateBlankMaskIsEmptyDate", "99.99.9999", "  .  .    ", ""},
        // No picture: anything.
        ValueRow{"FreeTextUnlimited", "", repeat("x", 300), repeat("x", 300)}),
    [](const ::testing::TestParamInfo<ValueRow>& info) { return std::string(info.param.name); });

struct TypingRow {
  const char* name;
  const char* picture;
  const char* text;
  bool allowed;
  friend void PrintTo(const TypingRow& row, std::ostream* out) { *out << row.name; }
};

class PictureTypingTest : public ::testing::TestWithParam<TypingRow> {};

TEST_P(PictureTypingTest, WhileTyping) {
  const TypingRow& row = GetParam();
  EXPECT_EQ(pictureAllowsTyping(parsePicture(row.picture), row.text), row.allowed)
      << "picture \"" << row.picture << "\", text \"" << row.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTypingTest,
    ::testing::Values(TypingRow{"DigitsPartial", "9999", "20", true},
                      TypingRow{"DigitsLetter", "9999", "2a", false},
                      TypingRow{"DigitsFull", "9999", "2023", true},
                      TypingRow{"DigitsOverLength", "9999", "20231", false},
                      TypingRow{"DigitsBlank", "999999", "     0", true},
                      TypingRow{"DatePartial", "99.99.9999", "15.0", true},
                      TypingRow{"DateLetter", "99.99.9999", "15.o3", false},
                      TypingRow{"DateOverLength", "99.99.9999", "15.03.20201", false},
                      TypingRow{"TextFull", "XXXXXXXXXXXXXXXXXXXX", "abcdefghijklmnopqrst", true},
                      TypingRow{"TextOverLength", "XXXXXXXXXXXXXXXXXXXX", "abcdefghijklmnopqrstu",
                                false}),
    [](const ::testing::TestParamInfo<TypingRow>& info) { return std::string(info.param.name); });

TEST(Picture, LengthsOfThePicturesInUse) {
  EXPECT_EQ(parsePicture("9").maxLength, 1u);
  EXPECT_EQ(parsePicture("999999").maxLength, 6u);
  EXPECT_EQ(parsePicture(kThirtyDigits).maxLength, 30u);
  EXPECT_EQ(parsePicture(kTwentyChars).maxLength, 20u);
  EXPECT_EQ(parsePicture(kDatePicture).maxLength, 10u);
  EXPECT_EQ(parsePicture("").maxLength, 0u);
}

TEST(Picture, UnsupportedPictureRaises) {
  for (const char* picture : {"99X9", "999.99", "!", "9,999", "xxx"}) {
    EXPECT_THROW(parsePicture(picture), std::invalid_argument) << picture;
  }
}

}  // namespace
}  // namespace kavrina::ui
