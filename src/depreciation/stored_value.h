// The rounding that storing an amount in a numeric field with three decimals performs.
#pragma once

#include "common/decimal.h"

namespace kavrina::depreciation {

// The value as a N 15.3 or N 7.3 field holds it: rounded to three decimals, half away
// from zero on the decimal value. Every amount the calculation stores passes here, and
// every later step reads the stored value back.
inline double stored(double value) {
  return roundDecimals(value, 3);
}

}  // namespace kavrina::depreciation
