// Month and day counts of the calculation year, with the end and start rules of the tax
// day count.
#include "depreciation/period_counts.h"

#include <algorithm>
#include <cstdint>

#include "depreciation/calc_params.h"

namespace kavrina::depreciation {
namespace {

constexpr int kFullYearDays = 365;

int normalisedRule(int rule) {
  return rule == 2 || rule == 3 ? rule : 1;
}

std::int64_t daysFromTo(const Date& from, const Date& to) {
  return to.dayNumber() - from.dayNumber();
}

Date firstOfMonth(int year, int month) {
  return Date::fromYmd(year, month, 1);
}

Date lastOfMonth(int year, int month) {
  return Date::fromYmd(year, month, Date::daysInMonth(year, month));
}

// The day on which depreciation stops under the end rule: the last day of the month
// before the write-off (31 December of the year before for a January write-off), the last
// day of the write-off month, or the write-off date.
Date endDate(const Date& datumO, int endRule) {
  switch (endRule) {
    case kEndWriteOffMonth:
      return lastOfMonth(datumO.year(), datumO.month());
    case kEndWriteOffDate:
      return datumO;
    default:
      return firstOfMonth(datumO.year(), datumO.month()).addDays(-1);
  }
}

// The day from which depreciation runs under the start rule: the first day of the month
// after the acquisition (1 January of the next year for a December acquisition), the
// first day of the acquisition month, or the acquisition date.
Date startDate(const Date& datumN, int startRule) {
  switch (startRule) {
    case kStartAcquisitionMonth:
      return firstOfMonth(datumN.year(), datumN.month());
    case kStartAcquisitionDate:
      return datumN;
    default:
      return lastOfMonth(datumN.year(), datumN.month()).addDays(1);
  }
}

int clampDays(std::int64_t days) {
  return static_cast<int>(std::clamp<std::int64_t>(days, 0, kFullYearDays));
}

// Days of an asset written off in `year` only: from 1 January to the end date.
int writeOffDays(const Date& datumO, int year, int endRule) {
  const Date jan1 = Date::fromYmd(year, 1, 1);
  return clampDays(daysFromTo(jan1, endDate(datumO, endRule)));
}

// Days of an asset acquired in `year` only, `months` being its month count (P less the
// acquisition month, at least 0). Rules 1 and 2 take the start month from the month
// count and give 0 for no months; rule 3 counts from the acquisition date. All count
// to 31 December inclusive.
int acquisitionDays(const Date& datumN, int year, int months, int periodMonths, int startRule) {
  const Date dec31 = Date::fromYmd(year, 12, 31);
  if (startRule == kStartAcquisitionDate) return clampDays(daysFromTo(datumN, dec31) + 1);
  if (months == 0) return 0;
  const int startMonth =
      startRule == kStartAcquisitionMonth ? periodMonths - months : periodMonths - months + 1;
  if (startMonth < 1 || startMonth > 12) return 0;
  return clampDays(daysFromTo(firstOfMonth(year, startMonth), dec31) + 1);
}

}  // namespace

PeriodCounts countPeriod(const Date& datumN, const Date& datumO, int year, int months,
                         int startRule, int endRule) {
  startRule = normalisedRule(startRule);
  endRule = normalisedRule(endRule);
  PeriodCounts c;
  c.months = months;
  c.days = kFullYearDays;
  c.newRules = datumN.year() >= kNewRulesYear;

  const int writeOffYear = datumO.year();
  if (writeOffYear > 0 && writeOffYear < year) {
    c.writtenOffEarlier = true;
    c.months = 0;
    c.days = 0;
  } else if (writeOffYear == year) {
    c.writtenOff = true;
    c.months = std::min(c.months, datumO.month() - 1);
    c.days = writeOffDays(datumO, year, endRule);
  }

  if (datumN.year() == year) {
    c.acquired = true;
    c.months = std::max(0, c.months - datumN.month());
    if (c.writtenOff) {
      c.days = clampDays(daysFromTo(startDate(datumN, startRule), endDate(datumO, endRule)));
    } else if (!c.writtenOffEarlier) {
      c.days = acquisitionDays(datumN, year, c.months, months, startRule);
    }
  }
  return c;
}

}  // namespace kavrina::depreciation
