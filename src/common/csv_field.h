// One value of a CSV line as the program's exports write it: quoted only when it must be,
// and a text a spreadsheet would run as a formula made harmless.
#pragma once

#include <iosfwd>
#include <string_view>

namespace kavrina::csv {

// The value as it is, or between quotes with its quotes doubled when it holds a comma, a
// quote, a tab or a line break.
void putValue(std::ostream& out, std::string_view value);

// A text: as putValue, but a text a spreadsheet would take for a formula (startsAsFormula)
// goes out quoted behind an apostrophe, so that the sheet shows it as the text it is.
// Numbers (a negative amount) are values, not texts.
void putText(std::ostream& out, std::string_view value);

}  // namespace kavrina::csv
