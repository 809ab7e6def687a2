// What one run of the depreciation calculation is told: the year, the months and the
// tax-rule settings of section "Programska podesavanja".
#pragma once

namespace kavrina::depreciation {

// Start rules ("PA-pocetak") for the tax day count of an asset acquired in the year.
inline constexpr int kStartMonthAfterAcquisition = 1;  // first day of the month after
inline constexpr int kStartAcquisitionMonth = 2;       // first day of the acquisition month
inline constexpr int kStartAcquisitionDate = 3;        // the acquisition date itself

// End rules ("PA-kraj") for the tax day count of an asset written off in the year.
inline constexpr int kEndMonthBeforeWriteOff = 1;  // last day of the month before
inline constexpr int kEndWriteOffMonth = 2;        // last day of the write-off month
inline constexpr int kEndWriteOffDate = 3;         // the write-off date itself

// The first year of the rules in force from 1 January 2019: assets acquired after 2018
// are depreciated by the day, and keep their tax base whatever their group.
inline constexpr int kNewRulesYear = 2019;

// The tax settings, with the defaults the program uses when a key is missing.
struct TaxRules {
  int startRule = kStartMonthAfterAcquisition;  // "PA-pocetak"; other values act as 1
  int endRule = kEndMonthBeforeWriteOff;        // "PA-kraj"; other values act as 1
  bool kodOtpisa = true;                        // "PA-kodOtpisa"
  bool korekcija = false;                       // "PA-korekcija"
  double prosecnaZaradaX5 = 0;                  // "ProsecnaZaradaX5", the limit of the correction
};

// One calculation: year Y and months P (12 annual, 1..11 periodic), already validated.
struct CalcParams {
  int year = 0;
  int months = 12;
  TaxRules rules;
};

}  // namespace kavrina::depreciation
