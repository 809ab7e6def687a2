#include "common/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kavrina {
namespace {

constexpr int kSignificantDigits = 15;

// The value as 15 significant digits and the position of the decimal point among them:
// value = 0.d1d2...d15 * 10^pointPos. Returns false for zero, infinities and NaN.
bool decimalDigits(double value, std::string& digits, int& pointPos) {
  if (value == 0 || !std::isfinite(value)) return false;
  char buf[40];
  auto result = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                              std::chars_format::scientific, kSignificantDigits - 1);
  *result.ptr = '\0';
  // buf is "d.dddddddddddddde+XX"
  digits.clear();
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  pointPos = exponent + 1;
  return true;
}

// Rounds the digit string half away from zero so that `keep` digits remain, carrying
// into a new leading digit when needed (which moves the decimal point one place right).
void roundDigits(std::string& digits, int keep, int& pointPos) {
  if (keep >= static_cast<int>(digits.size())) return;
  if (keep < 0) {
    digits = "0";
    return;
  }
  bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
  } else {
    digits.insert(digits.begin(), '1');
    ++pointPos;
  }
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr std::uint64_t kWholePowersOfTen[] = {1,
                                               10,
                                               100,
                                               1000,
                                               10000,
                                               100000,
                                               1000000,
                                               10000000,
                                               100000000,
                                               1000000000,
                                               10000000000,
                                               100000000000,
                                               1000000000000,
                                               10000000000000,
                                               100000000000000,
                                               1000000000000000};

// The magnitude of the value rounded to `decimals` places, as a whole number of units of
// the last place, when one multiplication decides it: the product lies within 1e-14 of
// itself from the value's 15-digit decimal form times 10^decimals (half a unit of the 15th
// digit, plus the rounding of the product), so when its fraction is further than that from
// one half, both round to the same whole number. Below 2.5e13 that distance stays under a
// quarter and the whole number is exact in a double. False where the digits must decide
// (near a half, large or odd values).
bool scaledMagnitude(double value, int decimals, std::uint64_t& units) {
  if (decimals > 15) return false;
  const double scaled = std::fabs(value) * kPowersOfTen[decimals];
  if (!(scaled < 2.5e13)) return false;                   // also NaN
  const auto whole = static_cast<std::uint64_t>(scaled);  // exact: the product is below 2^53
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) <= scaled * 1e-14) return false;
  units = whole + (fraction > 0.5 ? 1 : 0);
  return true;
}

}  // namespace

std::size_t formatFixedQuick(double value, int decimals, char* out) {
  if (decimals < 0) decimals = 0;
  std::uint64_t units = 0;
  if (!scaledMagnitude(value, decimals, units)) return 0;
  // Written from the right: the decimals, the point, the whole part (at least one digit).
  char text[kFixedQuickRoom];
  char* const end = text + sizeof text;
  char* p = end;
  const bool negative = value < 0 && units != 0;
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  }
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units != 0);
  if (negative) *--p = '-';
  const auto length = static_cast<std::size_t>(end - p);
  std::memcpy(out, p, length);
  return length;
}

std::string formatFixed(double value, int decimals) {
  char quick[kFixedQuickRoom];
  if (const std::size_t length = formatFixedQuick(value, decimals, quick))
    return std::string(quick, length);
  return formatFixedFromDigits(value, decimals);
}

std::string formatFixedFromDigits(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  std::string digits;
  int pointPos = 0;
  if (!decimalDigits(value, digits, pointPos)) {
    if (std::isnan(value) || std::isinf(value)) return value < 0 ? "-inf" : "inf";
    std::string zero = "0";
    if (decimals > 0) zero += "." + std::string(decimals, '0');
    return zero;
  }
  roundDigits(digits, pointPos + decimals, pointPos);
  bool allZero = digits.find_first_not_of('0') == std::string::npos;

  std::string out;
  if (value < 0 && !allZero) out.push_back('-');
  // Integer part.
  if (pointPos <= 0) {
    out.push_back('0');
  } else {
    for (int i = 0; i < pointPos; ++i)
      out.push_back(i < static_cast<int>(digits.size()) ? digits[i] : '0');
  }
  if (decimals > 0) {
    out.push_back('.');
    for (int i = 0; i < decimals; ++i) {
      int index = pointPos + i;
      out.push_back(index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0');
    }
  }
  return out;
}

double roundDecimals(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) return value;
  std::uint64_t units = 0;
  if (decimals >= 0 && scaledMagnitude(value, decimals, units)) {
    // The same double as reading the text back: units and the power of ten are exact, and
    // one division rounds correctly. A value that rounds to nothing reads back as +0.
    if (units == 0) return 0;
    const double magnitude = static_cast<double>(units) / kPowersOfTen[decimals];
    return value < 0 ? -magnitude : magnitude;
  }
  std::string text = formatFixedFromDigits(value, decimals);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

namespace {

// A number with more digits than one integer holds exactly: the exact conversion of the
// library, kept out of the common path.
[[gnu::noinline]] double parseLongNumber(const char* first, const char* last) {
  std::string number(*first == '.' ? "0" : "");
  number.append(first, last);
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

}  // namespace

double parseNumber(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  const char* const digitsStart = p;

  // Every digit goes into one integer; up to 19 digits cannot overflow it. Below 2^53 the
  // integer is exact in a double, and so is a power of ten up to 1e19, so one division
  // gives the correctly rounded value. This is the path of every amount the tables hold.
  std::uint64_t mantissa = 0;
  while (p < end && static_cast<unsigned char>(*p - '0') < 10)
    mantissa = mantissa * 10 + static_cast<unsigned char>(*p++ - '0');
  std::ptrdiff_t digits = p - digitsStart;
  std::ptrdiff_t decimals = 0;
  if (p < end && *p == '.') {
    const char* const decimalsStart = ++p;
    while (p < end && static_cast<unsigned char>(*p - '0') < 10)
      mantissa = mantissa * 10 + static_cast<unsigned char>(*p++ - '0');
    decimals = p - decimalsStart;
    digits += decimals;
  }
  if (digits == 0) return 0;

  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                       1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
  constexpr std::uint64_t kExactInDouble = std::uint64_t{1} << 53;
  double value = 0;
  if (digits > 19 || mantissa > kExactInDouble)
    value = parseLongNumber(digitsStart, p);
  else if (decimals == 0)
    value = static_cast<double>(mantissa);
  else
    value = static_cast<double>(mantissa) / kPowers[decimals];
  return negative ? -value : value;
}

std::string accountText(double number, int digits) {
  std::string text = formatFixed(std::fabs(number), 0);
  if (digits > 0 && text.size() < static_cast<std::size_t>(digits))
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

}  // namespace kavrina
