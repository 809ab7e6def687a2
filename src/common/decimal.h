// Amounts as the program stores them: decimal text with a fixed number of decimals,
// rounded half away from zero on the decimal value of the number, not on its binary form.
#pragma once

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

// The number written at the start of the text: leading blanks skipped, an optional sign,
// digits with an optional decimal point. Anything after it is ignored; no number gives 0.
double parseNumber(std::string_view text);

}  // namespace kavrina
