// Input pictures: which texts the input box accepts, while typing and when confirmed.
//
// A picture is one of:
//   ""              free text of any length;
//   "99...9"        up to as many decimal digits as the picture has nines (no sign, no
//                   point); blanks around the digits are allowed and dropped;
//   "XX...X"        up to as many characters as the picture has X's, any printable ones;
//   kDatePicture    a day.month.year date with a four-digit year, or the empty date.
// Any other picture is a programming error.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kavrina::ui {

// The date picture: "dd.mm.yyyy", one or two digits for the day and the month.
inline constexpr std::string_view kDatePicture = "99.99.9999";

enum class PictureKind { Free, Digits, Text, Date };

struct Picture {
  PictureKind kind = PictureKind::Free;
  // Most characters the edit holds; 0 for free text (no limit).
  std::size_t maxLength = 0;
};

// Reads a picture. Raises std::invalid_argument for a picture that is none of the forms above.
Picture parsePicture(std::string_view picture);

// Whether `text` may stand in the edit while the user is still typing: only characters the
// picture can ever accept, and no more of them than it holds. Text is UTF-8; lengths count
// characters, not bytes.
bool pictureAllowsTyping(const Picture& picture, std::string_view text);

// The value of a confirmed edit, or no value when the picture refuses it (the input box then
// answers "Pogresan unos." and asks again):
//   Free: the text unchanged.
//   Digits: the digits without the surrounding blanks; an empty text stays empty.
//   Text: the text unchanged, at most maxLength printable characters.
//   Date: "dd.mm.yyyy" with two-digit day and month; a text of only blanks and points is
//         the empty date and gives "".
std::optional<std::string> pictureValue(const Picture& picture, std::string_view text);

// Number of characters (code points) in a UTF-8 text; no value when it is not valid UTF-8.
std::optional<std::size_t> utf8Length(std::string_view text);

}  // namespace kavrina::ui
