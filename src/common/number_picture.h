// The one formatter of the number pictures that the lists and every report use
// ("999,999,999.99", "99,999,999,999.99", "999.99", "999.999%", "99", "999", "9999").
#pragma once

#include <string>
#include <string_view>

namespace kavrina {

inline constexpr std::string_view kPictureAmount = "999,999,999.99";         // totals, statements
inline constexpr std::string_view kPictureListAmount = "99,999,999,999.99";  // list columns
inline constexpr std::string_view kPictureRate = "999.99";
inline constexpr std::string_view kPicturePercent = "999.999%";
inline constexpr std::string_view kPictureMonths = "99";
inline constexpr std::string_view kPicturePage = "999";
inline constexpr std::string_view kPictureOrdinal = "9999";

// The value as fixed-width text of the picture's length. In the picture a '9' is a digit
// position, ',' a thousands separator, the first '.' the decimal mark, anything else a
// literal kept as it stands. The value is rounded half away from zero to the picture's
// decimals. Leading positions are blanks; a comma with no digit before it becomes a blank;
// a minus sign stands directly before the first digit and needs a free position; a whole
// part that is 0 still shows its "0". A value that does not fit (or is not finite) gives as
// many asterisks as the picture is long.
//   formatPicture(1234.5, "999,999,999.99")  == "      1,234.50"
//   formatPicture(-1234.5, "999,999,999.99") == "     -1,234.50"
//   formatPicture(12.5, "999.999%")          == " 12.500%"
std::string formatPicture(double value, std::string_view picture);

// The numeric value of a text written with a picture: the thousands commas removed, then
// read as a number (blanks skipped; no number gives 0).
double pictureTextValue(std::string_view text);

}  // namespace kavrina
