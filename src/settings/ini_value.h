// How the program's values are stored as text in the settings files and read back:
// numbers in plain decimal, dates as dd.mm.yyyy, logicals as ".T." and ".F.".
#pragma once

#include <string>
#include <string_view>

#include "common/date.h"

namespace kavrina::settings {

inline constexpr std::string_view kTrueText = ".T.";
inline constexpr std::string_view kFalseText = ".F.";

// A number in decimal without blanks, with as few digits as give the same double back
// ("8", "1234.5", "-0.25"); never an exponent. A value that is not finite is written "0".
std::string numberToIni(double value);
// "dd.mm.yyyy"; the empty date is written as an empty text (which reads back as the default).
std::string dateToIni(Date value);
// ".T." or ".F.".
std::string logicalToIni(bool value);

// The number written at the start of the text (leading blanks skipped, sign, decimal
// point); 0 when the text does not start with one ("8px" -> 8, "abc" -> 0).
double numberFromIni(std::string_view text);
// The text read as a dd.mm.yyyy date; any other form gives the empty date.
Date dateFromIni(std::string_view text);
// True only for exactly ".T."; "T", ".t." and "true" are false.
bool logicalFromIni(std::string_view text);

}  // namespace kavrina::settings
