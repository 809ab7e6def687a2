// Pictures of the forms' edit fields: what an edit accepts while the user types, the case
// rule of "!", and how a number picture shows and reads its value.
//
// A field picture is one of:
//   "XX...X"         up to as many characters as the picture is long;
//   "!XX...X"        the same, the first character forced to upper case ("!" counts as
//                    one position);
//   "99...9"         up to as many decimal digits as the picture has nines, nothing else;
//   "9,999,999.99"   a number: up to as many digits before the point as the picture has
//   "99999999999.99" nines there, up to as many after it as it has nines after it; a
//   "999.999"        picture with commas shows the number with thousands commas.
// Any other picture is a programming error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kavrina::ui {

enum class FieldKind { Text, Digits, Number };

struct FieldPicture {
  FieldKind kind = FieldKind::Text;
  bool upperFirst = false;    // "!" in the first position
  std::size_t maxLength = 0;  // Text and Digits: most characters the edit holds
  int integerDigits = 0;      // Number: nines before the point
  int decimals = 0;           // Number: nines after the point
  bool grouped = false;       // Number: shown with thousands commas
};

// Reads a field picture. Raises std::invalid_argument for any other form.
FieldPicture parseFieldPicture(std::string_view picture);

// Whether `text` (UTF-8) may stand in the edit while the user types:
//   Text: printable characters, at most maxLength of them;
//   Digits: only the digits 0-9, at most maxLength;
//   Number: blanks at either end, digits, commas anywhere before the point (they are not
//           digits and are dropped when read), at most one point; no more digits before
//           and after the point than the picture has. The empty text is allowed (it is 0).
bool fieldAllowsTyping(const FieldPicture& picture, std::string_view text);

// The text with the picture's case rule applied: with "!" the first character in upper
// case (ASCII letters here; the Qt edit upper-cases every letter).
std::string applyFieldCase(const FieldPicture& picture, std::string_view text);

// The number an edit's text holds: blanks and commas dropped, then the number written at
// the start of what is left (0 when there is none). "2,500,000.00" gives 2500000.
double fieldNumber(std::string_view text);

// The text a Number or Digits edit shows for `value`: a Number picture writes the value
// rounded to its decimals (half away from zero), with thousands commas when the picture has
// them ("2,500,000.00", "0.000"); a Digits picture writes the whole number's digits, and a
// value with a fraction (stored by another program) with its decimals, so that showing a
// value and saving it again never changes it.
std::string fieldNumberText(const FieldPicture& picture, double value);

}  // namespace kavrina::ui
