#include "settings/ini_value.h"

#include <charconv>
#include <cmath>

#include "common/decimal.h"

namespace kavrina::settings {

std::string numberToIni(double value) {
  if (!std::isfinite(value) || value == 0) return "0";  // also turns -0 into "0"
  char buf[400];  // the longest fixed form of a double has about 330 characters
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

std::string dateToIni(Date value) {
  return value.toText();
}

std::string logicalToIni(bool value) {
  return std::string(value ? kTrueText : kFalseText);
}

double numberFromIni(std::string_view text) {
  return parseNumber(text);
}

Date dateFromIni(std::string_view text) {
  return Date::fromText(text);
}

bool logicalFromIni(std::string_view text) {
  return text == kTrueText;
}

}  // namespace kavrina::settings
