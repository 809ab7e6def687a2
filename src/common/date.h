// The program's one date value: day, month and year, with year 0 meaning "no date".
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace kavrina {

class Date {
 public:
  constexpr Date() = default;
  // Builds a date; an invalid day, month or year gives the empty date.
  static Date fromYmd(int year, int month, int day);
  // Reads eight digits yyyymmdd as stored in a table; anything else is the empty date.
  static Date fromDbf(std::string_view text);
  // Reads "dd.mm.yyyy" (one or two digits for day and month); anything else is empty.
  static Date fromText(std::string_view text);
  // The date of the given serial day number (days since 1 January 1 of the proleptic calendar).
  static Date fromDayNumber(std::int64_t days);

  bool empty() const { return year_ == 0; }
  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }

  // "yyyymmdd", or eight blanks for the empty date.
  std::string toDbf() const;
  // "dd.mm.yyyy", or an empty text for the empty date.
  std::string toText() const;
  // Serial day number, so that the difference of two dates is their distance in days.
  std::int64_t dayNumber() const;
  Date addDays(std::int64_t days) const { return fromDayNumber(dayNumber() + days); }

  static bool isLeapYear(int year);
  static int daysInMonth(int year, int month);

  friend constexpr auto operator<=>(const Date&, const Date&) = default;

 private:
  constexpr Date(int y, int m, int d) : year_(y), month_(m), day_(d) {}
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
};

}  // namespace kavrina
