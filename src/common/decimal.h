// Amounts as the program stores them: decimal text with a fixed number of decimals,
// rounded half away from zero on the decimal value of the number, not on its binary form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kavrina {

// The value rounded to `decimals` places, half away from zero (1.0005 -> 1.001,
// -2.5 -> -3 with 0 places). The digits are taken from the value's 15 significant
// decimal digits first, so binary artefacts (1.0005 held as 1.000499999...) do not count.
double roundDecimals(double value, int decimals);

// Decimal text of the value with exactly `decimals` places, rounded as above, with a
// leading "-" for a negative value (never "-0.00"). No blanks, no thousands separators.
std::string formatFixed(double value, int decimals);

// formatFixed the long way, for every value: the 15 significant digits, rounded as text.
std::string formatFixedFromDigits(double value, int decimals);

// Room formatFixedQuick needs at `out`.
constexpr std::size_t kFixedQuickRoom = 40;

// The text formatFixed gives, written to `out` (kFixedQuickRoom characters), when an exact
// integer calculation decides the rounding, as it does for all but values within a hair of
// a half, beyond 2.5e13 units of the last place or with more than 15 decimals. Returns the
// length, or 0 when formatFixed must take the digits the long way.
std::size_t formatFixedQuick(double value, int decimals, char* out);

// The number written at the start of the text: leading blanks skipped, an optional sign,
// digits with an optional decimal point. Anything after it is ignored; no number gives 0.
double parseNumber(std::string_view text);

// An account as the register stores it (a whole number and its count of digits) written
// with its leading zeros: `digits` digits, or its plain digits when `digits` is 0 (or
// smaller than the number's digits).
std::string accountText(double number, int digits);

}  // namespace kavrina
