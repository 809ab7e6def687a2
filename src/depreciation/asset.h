// The fields of one fixed asset of `MDOS` that the depreciation calculation reads.
#pragma once

#include <string>

#include "common/date.h"

namespace kavrina::depreciation {

// One record of the asset register as the calculation sees it. Amounts are the stored
// three-decimal values; an empty `DatumN` counts as acquired before every year (year 0),
// an empty `DatumO` means the asset is in use.
struct Asset {
  std::string InvBr;   // inventory number (C 30) without trailing blanks
  Date DatumN;         // acquisition date
  Date DatumO;         // write-off date
  double RAOsn = 0;    // accounting base (N 15.3)
  double PAOsn = 0;    // tax base (N 15.3)
  double IspVr = 0;    // value adjustment at entry, taken off both bases (N 15.3)
  double RAStopa = 0;  // accounting rate, percent per year (N 7.3)
  int RAtip = 1;       // accounting method: 1 straight-line, above 1 declining
  double PAStopa = 0;  // tax rate, percent per year (N 7.3)
  int PAgrupa = 1;     // tax group 1..5
};

}  // namespace kavrina::depreciation
