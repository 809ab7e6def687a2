#include "common/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kavrina {
namespace {

constexpr int kSignificantDigits = 15;

// The value as 15 significant digits and the position of the decimal point among them:
// value = 0.d1d2...d15 * 10^pointPos. Returns false for zero, infinities and NaN.
bool decimalDigits(double value, std::string& digits, int& pointPos) {
  if (value == 0 || !std::isfinite(value)) return false;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, std::fabs(value));
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

}  // namespace

std::string formatFixed(double value, int decimals) {
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
  std::string text = formatFixed(value, decimals);
  double result = 0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
}

double parseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digitsStart = i;
  bool seenPoint = false, seenDigit = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      seenDigit = true;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) return 0;
  // from_chars accepts no leading '+', and wants at least one digit before an exponent.
  std::string_view number = text.substr(digitsStart, i - digitsStart);
  double value = 0;
  if (!number.empty() && number.front() == '.') {
    std::string withZero = "0" + std::string(number);
    std::from_chars(withZero.data(), withZero.data() + withZero.size(), value);
  } else {
    std::from_chars(number.data(), number.data() + number.size(), value);
  }
  return text[start] == '-' ? -value : value;
}

}  // namespace kavrina
