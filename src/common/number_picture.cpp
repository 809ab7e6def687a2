// Number pictures: fixed-width amounts with thousands commas, as the reports print them.
#include "common/number_picture.h"

#include <algorithm>
#include <cmath>

#include "common/decimal.h"

namespace kavrina {

namespace {

void overflow(std::string_view picture, std::string& out) {
  out.assign(picture.size(), '*');
}

}  // namespace

std::string formatPicture(double value, std::string_view picture) {
  std::string out;
  formatPictureInto(value, picture, out);
  return out;
}

void formatPictureInto(double value, std::string_view picture, std::string& out) {
  if (!std::isfinite(value)) return overflow(picture, out);
  const std::size_t point = picture.find('.');
  const std::size_t wholeEnd = point == std::string_view::npos ? picture.size() : point;
  int decimals = 0;
  for (std::size_t i = wholeEnd; i < picture.size(); ++i) {
    if (picture[i] == '9') ++decimals;
  }

  // Digits of the rounded value: "-1234.50" -> sign, "1234", "50".
  const std::string fixed = formatFixed(value, decimals);
  const bool negative = !fixed.empty() && fixed[0] == '-';
  const std::string_view digits = std::string_view(fixed).substr(negative ? 1 : 0);
  const std::size_t fixedPoint = digits.find('.');
  const std::string_view whole = digits.substr(0, fixedPoint);
  const std::string_view fraction =
      fixedPoint == std::string_view::npos ? std::string_view() : digits.substr(fixedPoint + 1);

  out.assign(picture);
  // The whole part, right to left.
  std::size_t remaining = whole.size();
  std::size_t firstDigitAt = wholeEnd;  // position of the leftmost digit written
  for (std::size_t i = wholeEnd; i-- > 0;) {
    const char p = picture[i];
    if (p == '9') {
      if (remaining > 0) {
        out[i] = whole[--remaining];
        firstDigitAt = i;
      } else {
        out[i] = ' ';
      }
    } else if (p == ',') {
      out[i] = remaining > 0 ? ',' : ' ';
    }
  }
  if (remaining > 0) return overflow(picture, out);
  if (negative) {
    // The sign takes the free position directly before the first digit.
    if (firstDigitAt == 0 || out[firstDigitAt - 1] != ' ') return overflow(picture, out);
    out[firstDigitAt - 1] = '-';
  }
  // The decimals, left to right.
  std::size_t next = 0;
  for (std::size_t i = wholeEnd + 1; i < picture.size(); ++i) {
    if (picture[i] == '9') out[i] = next < fraction.size() ? fraction[next++] : '0';
  }
}

std::string formatGrowingPicture(double value, std::string_view picture, std::string_view wide) {
  std::string out = formatPicture(value, wide);
  const std::size_t extra = wide.size() > picture.size() ? wide.size() - picture.size() : 0;
  const std::size_t blanks = std::min(out.find_first_not_of(' '), extra);
  out.erase(0, blanks);
  return out;
}

std::string formatAmountGrowing(double value) {
  return formatGrowingPicture(value, kPictureAmount, kPictureAmountGrowing);
}

std::string formatOrdinalGrowing(double value) {
  return formatGrowingPicture(value, kPictureOrdinal, kPictureOrdinalGrowing);
}

double pictureTextValue(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (char c : text) {
    if (c != ',') plain.push_back(c);
  }
  return parseNumber(plain);
}

}  // namespace kavrina
