// Numbers written through a picture such as "99,999,999,999.99": fixed-width text with
// thousands commas, a decimal point, blanks in the leading positions, a minus sign directly
// before the first digit, and asterisks for a value the picture cannot hold.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::app {

// The amount picture of the asset list (17 characters).
inline constexpr std::string_view kAmountPicture = "99,999,999,999.99";

// The value written through `picture`. The picture is made of '9' digit positions, ','
// thousands separators (a blank when no digit stands before one), at most one '.' (the
// decimal point; the value is rounded half away from zero to the nines after it) and
// other characters copied as they are ("999.999%"). A value whose digits (and sign) need
// more positions than the picture has gives as many '*' as the picture is long.
std::string formatPicture(double value, std::string_view picture);

}  // namespace kavrina::app
