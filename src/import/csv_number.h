// A number as a spreadsheet writes it: digit groups with a decimal point or comma, thousands
// grouped by points, commas or blanks, and the ambiguous "1,234" left to the file's mark.
#pragma once

#include <string>

namespace kavrina::import {

// A number as written: digit groups between marks. Which mark is the decimal one is
// decided from the marks; a single "." or "," before exactly three digits after one to
// three digits is ambiguous and waits for the file's decimal mark.
struct NumberShape {
  bool valid = false;
  bool negative = false;
  std::string integer;   // digits before the decimal mark
  std::string fraction;  // digits after it
  char decimalMark = 0;  // the mark read as decimal, 0 when there is none
  bool ambiguous = false;
  std::string ambiguousDigits;  // the ambiguous number's digits without its mark
};

// The shape of `text` (blanks around it and a sign allowed; no-break spaces group as blanks);
// not valid when it is not a number so written.
NumberShape shapeOf(std::string text);

// The number by the file's decimal mark: the ambiguous "1,234" is 1.234 when "," is the
// file's decimal mark and 1234 otherwise.
NumberShape resolved(NumberShape shape, char fileDecimalMark);

}  // namespace kavrina::import
