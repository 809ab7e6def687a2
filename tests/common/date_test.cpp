// Dates: the texts they are read from and written as, and exact day distances.
#include "common/date.h"

#include <gtest/gtest.h>

#include <string>

namespace kavrina {
namespace {

TEST(Date, ReadsAndWritesDayMonthYear) {
  EXPECT_EQ(Date::fromText("16.10.2023"), Date::fromYmd(2023, 10, 16));
  EXPECT_EQ(Date::fromText("1.2.2020"), Date::fromYmd(2020, 2, 1));
  EXPECT_EQ(Date::fromYmd(2023, 1, 5).toText(), "05.01.2023");
  EXPECT_EQ(Date().toText(), "");
  for (const char* bad :
       {"", "2023-10-16", "32.01.2023", "29.02.2023", "16.10.23", "a.b.cccc", "16.10.2023x"})
    EXPECT_TRUE(Date::fromText(bad).empty()) << bad;
  EXPECT_FALSE(Date::fromText("29.02.2024").empty());
}

TEST(Date, ReadsTheStoredEightDigitsOrNothing) {
  EXPECT_EQ(Date::fromDbf("20240229"), Date::fromYmd(2024, 2, 29));
  EXPECT_EQ(Date::fromDbf("00010101"), Date::fromYmd(1, 1, 1));
  EXPECT_EQ(Date::fromDbf("99991231"), Date::fromYmd(9999, 12, 31));
  EXPECT_EQ(Date::fromYmd(2023, 7, 4).toDbf(), "20230704");
  for (const char* bad : {"", "        ", "2024022", "202402290", "20230229", "20231301",
                          "20230100", "2023 701", "2023/7/4", "00000000", "2023070:"})
    EXPECT_TRUE(Date::fromDbf(bad).empty()) << '"' << bad << '"';
  // A byte just beside the digits, or with the high bit set, at every place.
  for (int at = 0; at < 8; ++at)
    for (char other : {'/', ':', '\x80', '\xB0', '\xB9', '\0'}) {
      std::string text = "20230704";
      text[static_cast<std::size_t>(at)] = other;
      EXPECT_TRUE(Date::fromDbf(text).empty()) << at << ' ' << int(other);
    }
}

TEST(Date, DayDistancesCountLeapDays) {
  auto days = [](const char* a, const char* b) {
    return Date::fromText(b).dayNumber() - Date::fromText(a).dayNumber();
  };
  EXPECT_EQ(days("01.01.2023", "31.12.2023"), 364);
  EXPECT_EQ(days("01.01.2024", "31.12.2024"), 365);
  EXPECT_EQ(days("28.02.2100", "01.03.2100"), 1) << "2100 is not a leap year";
  EXPECT_EQ(days("28.02.2000", "01.03.2000"), 2) << "2000 is";
  EXPECT_EQ(days("15.03.2019", "15.03.2019"), 0);
  EXPECT_EQ(Date::fromYmd(1, 1, 1).dayNumber(), 1);
}

TEST(Date, DayNumbersRoundTripAcrossCenturies) {
  for (std::int64_t n = Date::fromYmd(1899, 12, 25).dayNumber();
       n < Date::fromYmd(2101, 1, 5).dayNumber(); n += 7) {
    Date d = Date::fromDayNumber(n);
    ASSERT_FALSE(d.empty());
    ASSERT_EQ(d.dayNumber(), n) << d.toText();
    ASSERT_EQ(Date::fromText(d.toText()), d);
  }
  EXPECT_EQ(Date::fromYmd(2023, 12, 31).addDays(1), Date::fromYmd(2024, 1, 1));
}

}  // namespace
}  // namespace kavrina
