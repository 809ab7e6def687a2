#include "common/date.h"

#include <cstdio>
#include <utility>

namespace kavrina {

bool Date::isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int Date::daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

Date Date::fromYmd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return {};
  if (day < 1 || day > daysInMonth(year, month)) return {};
  return Date(year, month, day);
}

static bool parseDigits(std::string_view text, int& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

Date Date::fromDbf(std::string_view text) {
  constexpr std::size_t kDigits = 8;
  if (text.size() != kDigits) return {};
  // All eight digits are taken at once and checked together: every date field of every
  // record read passes here.
  unsigned digit[kDigits];
  unsigned notDigit = 0;
  for (std::size_t i = 0; i < kDigits; ++i) {
    digit[i] = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    notDigit |= digit[i] > 9 ? 1U : 0U;
  }
  if (notDigit != 0) return {};
  const int y = static_cast<int>(digit[0] * 1000 + digit[1] * 100 + digit[2] * 10 + digit[3]);
  const int m = static_cast<int>(digit[4] * 10 + digit[5]);
  const int d = static_cast<int>(digit[6] * 10 + digit[7]);
  return fromYmd(y, m, d);
}

Date Date::fromText(std::string_view text) {
  auto firstDot = text.find('.');
  if (firstDot == std::string_view::npos) return {};
  auto secondDot = text.find('.', firstDot + 1);
  if (secondDot == std::string_view::npos) return {};
  std::string_view dd = text.substr(0, firstDot);
  std::string_view mm = text.substr(firstDot + 1, secondDot - firstDot - 1);
  std::string_view yyyy = text.substr(secondDot + 1);
  int y = 0, m = 0, d = 0;
  if (dd.size() > 2 || mm.size() > 2 || yyyy.size() != 4) return {};
  if (!parseDigits(dd, d) || !parseDigits(mm, m) || !parseDigits(yyyy, y)) return {};
  return fromYmd(y, m, d);
}

// Days from civil, after H. Hinnant's public-domain algorithm, shifted so that
// 1 January of year 1 is day 1.
std::int64_t Date::dayNumber() const {
  if (empty()) return 0;
  std::int64_t y = year_ - (month_ <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month_ + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day_ - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 305;  // 0000-03-01 is day 0 before the shift
}

Date Date::fromDayNumber(std::int64_t days) {
  std::int64_t z = days + 305;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return fromYmd(y, m, d);
}

std::string Date::toDbf() const {
  if (empty()) return std::string(8, ' ');
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", year_, month_, day_);
  return buf;
}

std::string Date::toText() const {
  if (empty()) return {};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day_, month_, year_);
  return buf;
}

}  // namespace kavrina
