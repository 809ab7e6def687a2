#include "app/number_picture.h"

#include <cmath>

#include "common/decimal.h"

namespace kavrina::app {

std::string formatPicture(double value, std::string_view picture) {
  const std::size_t point = picture.find('.');
  std::size_t decimals = 0;
  if (point != std::string_view::npos)
    for (std::size_t i = point + 1; i < picture.size() && picture[i] == '9'; ++i) ++decimals;

  std::string digits = formatFixed(std::fabs(value), static_cast<int>(decimals));
  const bool negative = value < 0 && formatFixed(value, static_cast<int>(decimals))[0] == '-';
  std::string intDigits = digits.substr(0, digits.find('.'));
  std::string fracDigits = decimals > 0 ? digits.substr(digits.find('.') + 1) : std::string();

  std::string out(picture);
  const std::size_t intEnd = point == std::string_view::npos ? picture.size() : point;
  // The integer part, filled from the right.
  std::size_t next = intDigits.size();  // digits still to place
  bool signPlaced = !negative;
  for (std::size_t i = intEnd; i-- > 0;) {
    const char p = picture[i];
    if (p == '9') {
      if (next > 0) {
        out[i] = intDigits[--next];
      } else if (!signPlaced) {
        out[i] = '-';
        signPlaced = true;
      } else {
        out[i] = ' ';
      }
    } else if (p == ',') {
      out[i] = next > 0 ? ',' : ' ';
    }
  }
  if (next > 0 || !signPlaced) return std::string(picture.size(), '*');
  // The decimals, filled from the left.
  std::size_t placed = 0;
  for (std::size_t i = intEnd + 1; i < picture.size() && placed < fracDigits.size(); ++i)
    if (picture[i] == '9') out[i] = fracDigits[placed++];
  return out;
}

}  // namespace kavrina::app
