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

// The growing forms of the amount and row-number pictures, for totals, statement amounts and
// row numbers: as wide as any sum of stored amounts (int64 thousandths) and any record count.
inline constexpr std::string_view kPictureAmountGrowing = "999,999,999,999,999,999.99";
inline constexpr std::string_view kPictureOrdinalGrowing = "9999999999";

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
// The same text written into `out` (its room is used again: no allocation for a row of a
// long list).
void formatPictureInto(double value, std::string_view picture, std::string& out);

// The value with `wide`, a picture that ends with `picture` and extends it to the left, cut
// to the width of `picture` when the value leaves its extra positions blank. A value that
// fits `picture` gives exactly formatPicture(value, picture); a wider one gives the few
// positions more that it needs instead of asterisks.
//   formatGrowingPicture(1e9, kPictureAmount, kPictureAmountGrowing) == "1,000,000,000.00"
std::string formatGrowingPicture(double value, std::string_view picture, std::string_view wide);

// Totals and statement amounts: "999,999,999.99", growing to the left.
std::string formatAmountGrowing(double value);

// Row numbers: "9999", growing to the left.
std::string formatOrdinalGrowing(double value);

// The numeric value of a text written with a picture: the thousands commas removed, then
// read as a number (blanks skipped; no number gives 0).
double pictureTextValue(std::string_view text);

}  // namespace kavrina
