// The forms' edit pictures: what each accepts while typing, the "!" rule, and how a number
// picture shows and reads its value.
#include "ui/field_picture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kavrina::ui {
namespace {

struct TypingCase {
  const char* name;
  const char* picture;
  const char* text;
  bool allowed;
};

class FieldPictureTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(FieldPictureTyping, AcceptsOnlyWhatThePictureHolds) {
  const TypingCase& c = GetParam();
  EXPECT_EQ(fieldAllowsTyping(parseFieldPicture(c.picture), c.text), c.allowed)
      << c.picture << " / \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FieldPictureTyping,
    ::testing::Values(TypingCase{"PibDigits", "9999999999999", "1012345678901", true},
                      TypingCase{"PibTooLong", "9999999999999", "10123456789012", false},
                      TypingCase{"PibLetter", "9999999999999", "101a", false},
                      TypingCase{"PibBlank", "9999999999999", "101 23", false},
                      TypingCase{"PibSign", "9999999999999", "-5", false},
                      TypingCase{"PlaceThirtyLetters", "!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX",
                                 "Sremska Mitrovica i okolina 12", true},
                      TypingCase{"PlaceThirtyOne", "!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX",
                                 "Sremska Mitrovica i okolina 123", false},
                      TypingCase{"NameTab", "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", "a\tb", false},
                      TypingCase{"AmountTwoDecimals", "99999999999.99", "12345678901.25", true},
                      TypingCase{"AmountThreeDecimals", "99999999999.99", "1.255", false},
                      TypingCase{"AmountTwelveDigits", "99999999999.99", "123456789012", false},
                      TypingCase{"AmountTwoPoints", "99999999999.99", "1.2.3", false},
                      TypingCase{"AmountMinus", "99999999999.99", "-5", false},
                      TypingCase{"AmountEmpty", "99999999999.99", "", true},
                      TypingCase{"AmountPointOnly", "99999999999.99", "12.", true},
                      TypingCase{"AmountBlanksAround", "99999999999.99", "  12.50 ", true},
                      TypingCase{"GroupedWithCommas", "9,999,999.99", "2,500,000.00", true},
                      TypingCase{"GroupedEightDigits", "9,999,999.99", "25,000,000.00", false},
                      TypingCase{"GroupedCommaAfterPoint", "9,999,999.99", "2.5,0", false},
                      TypingCase{"RateThreeDecimals", "999.999", "12.345", true},
                      TypingCase{"RateFourDigits", "999.999", "1000", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldPicture, ParsesEveryPictureOfTheForms) {
  const FieldPicture place = parseFieldPicture("!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  EXPECT_EQ(place.kind, FieldKind::Text);
  EXPECT_TRUE(place.upperFirst);
  EXPECT_EQ(place.maxLength, 30u);
  const FieldPicture amount = parseFieldPicture("9,999,999.99");
  EXPECT_EQ(amount.kind, FieldKind::Number);
  EXPECT_EQ(amount.integerDigits, 7);
  EXPECT_EQ(amount.decimals, 2);
  EXPECT_TRUE(amount.grouped);
  EXPECT_EQ(parseFieldPicture("999").kind, FieldKind::Digits);
  for (const char* bad : {"", "!999", "!X9", "9X9", ".99", "99.9X", "99.", ",999"})
    EXPECT_THROW(parseFieldPicture(bad), std::invalid_argument) << bad;
}

TEST(FieldPicture, TextLengthCountsLettersNotBytes) {
  const FieldPicture name = parseFieldPicture("XXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += "\xC4\x8D";  // c with caron, two bytes
  EXPECT_TRUE(fieldAllowsTyping(name, thirty));
  EXPECT_FALSE(fieldAllowsTyping(name, thirty + "a"));
}

TEST(FieldPicture, ExclamationRaisesOnlyTheFirstLetter) {
  const FieldPicture place = parseFieldPicture("!XXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  EXPECT_EQ(applyFieldCase(place, "novi sad"), "Novi sad");
  EXPECT_EQ(applyFieldCase(place, " beograd"), " beograd");
  EXPECT_EQ(applyFieldCase(place, ""), "");
  EXPECT_EQ(applyFieldCase(parseFieldPicture("XXXX"), "nis"), "nis");
}

TEST(FieldPicture, NumbersShowAsThePictureWritesThem) {
  EXPECT_EQ(fieldNumberText(parseFieldPicture("9,999,999.99"), 2500000), "2,500,000.00");
  EXPECT_EQ(fieldNumberText(parseFieldPicture("9,999,999.99"), 999.5), "999.50");
  EXPECT_EQ(fieldNumberText(parseFieldPicture("9,999,999.99"), 1000), "1,000.00");
  EXPECT_EQ(fieldNumberText(parseFieldPicture("99999999999.99"), 1234567.005), "1234567.01");
  EXPECT_EQ(fieldNumberText(parseFieldPicture("999.999"), 0), "0.000");
  EXPECT_EQ(fieldNumberText(parseFieldPicture("9999"), 1), "1");
  // A fraction another program stored in a whole-number field is shown, not rounded away.
  EXPECT_EQ(fieldNumberText(parseFieldPicture("999"), 2.5), "2.5");
}

TEST(FieldPicture, EditTextReadsAsItsNumber) {
  EXPECT_EQ(fieldNumber("2,500,000.00"), 2500000);
  EXPECT_EQ(fieldNumber("  12.50"), 12.5);
  EXPECT_EQ(fieldNumber(""), 0);
  EXPECT_EQ(fieldNumber("0201"), 201);
}

}  // namespace
}  // namespace kavrina::ui
