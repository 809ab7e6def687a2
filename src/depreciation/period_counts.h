// Months and days of the calculation year in which an asset is depreciated, and the
// acquisition / write-off / new-rules flags, shared by the accounting and the tax part.
#pragma once

#include "common/date.h"

namespace kavrina::depreciation {

// The counts of one asset in one calculation. `months` is the count before the tax
// part's whole-year rule for old-rules groups II to V; `days` is used only by the tax part.
struct PeriodCounts {
  int months = 0;
  int days = 0;
  bool acquired = false;           // acquisition year equals the calculation year
  bool writtenOff = false;         // write-off year equals the calculation year
  bool writtenOffEarlier = false;  // write-off year before the calculation year
  bool newRules = false;           // acquisition year after 2018
};

// Counts for an asset with acquisition date `datumN` and write-off date `datumO` (either
// may be empty) in calculation year `year` of `months` months (1..12). The asset must be
// part of the calculation (acquisition year not after `year`). `startRule` and `endRule`
// are the "PA-pocetak" and "PA-kraj" numbers; values other than 2 and 3 act as 1.
//
// Months: P; at most write-off month − 1 when written off in the year; less the
// acquisition month when acquired in the year; 0 when written off earlier; never below 0.
// Days: 365 (also in a leap year and in a periodic calculation); by the end rule when
// written off in the year, by the start rule when acquired in the year, by end date less
// start date when both; 0 when written off earlier; always within 0..365.
PeriodCounts countPeriod(const Date& datumN, const Date& datumO, int year, int months,
                         int startRule, int endRule);

// True when an asset acquired on `datumN` takes part in the calculation of `year`
// (its acquisition year, 0 for an empty date, is not after `year`).
inline bool takesPart(const Date& datumN, int year) {
  return datumN.year() <= year;
}

}  // namespace kavrina::depreciation
