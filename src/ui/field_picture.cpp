// The field-picture rules of the forms' edits.
#include "ui/field_picture.h"

#include <cmath>
#include <stdexcept>

#include "common/decimal.h"
#include "common/text.h"
#include "ui/picture.h"

namespace kavrina::ui {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allOf(std::string_view text, char wanted) {
  for (char c : text)
    if (c != wanted) return false;
  return true;
}

using text::trimBlanks;

[[noreturn]] void unsupported(std::string_view picture) {
  throw std::invalid_argument("unsupported field picture \"" + std::string(picture) + "\"");
}

// "9,999,999.99": nines, commas between them, at most one point followed by nines only.
FieldPicture parseNumberPicture(std::string_view picture) {
  FieldPicture p;
  p.kind = FieldKind::Number;
  const auto point = picture.find('.');
  const std::string_view whole = picture.substr(0, point);
  for (char c : whole) {
    if (c == '9')
      ++p.integerDigits;
    else if (c == ',')
      p.grouped = true;
    else
      unsupported(picture);
  }
  if (p.integerDigits == 0 || whole.front() != '9') unsupported(picture);
  if (point != std::string_view::npos) {
    const std::string_view fraction = picture.substr(point + 1);
    if (fraction.empty() || !allOf(fraction, '9')) unsupported(picture);
    p.decimals = static_cast<int>(fraction.size());
  }
  return p;
}

// Groups the digits of a whole number with commas: "2500000" -> "2,500,000".
std::string withCommas(std::string_view digits) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace

FieldPicture parseFieldPicture(std::string_view picture) {
  if (picture.empty()) unsupported(picture);
  if (picture.front() == '!') {
    const std::string_view rest = picture.substr(1);
    if (!allOf(rest, 'X')) unsupported(picture);
    return {FieldKind::Text, true, picture.size()};
  }
  if (allOf(picture, 'X')) return {FieldKind::Text, false, picture.size()};
  if (allOf(picture, '9')) return {FieldKind::Digits, false, picture.size()};
  return parseNumberPicture(picture);
}

bool fieldAllowsTyping(const FieldPicture& picture, std::string_view text) {
  switch (picture.kind) {
    case FieldKind::Text:
      // The input box's text rule: printable UTF-8, counted in characters.
      return pictureAllowsTyping(Picture{PictureKind::Text, picture.maxLength}, text);
    case FieldKind::Digits:
      if (text.size() > picture.maxLength) return false;
      for (char c : text)
        if (!isDigit(c)) return false;
      return true;
    case FieldKind::Number: {
      const std::string_view body = trimBlanks(text);
      int before = 0;
      int after = 0;
      bool point = false;
      for (char c : body) {
        if (isDigit(c)) {
          (point ? after : before) += 1;
        } else if (c == '.' && !point && picture.decimals > 0) {
          point = true;
        } else if (c != ',' || point) {
          return false;
        }
      }
      return before <= picture.integerDigits && after <= picture.decimals;
    }
  }
  return false;
}

std::string applyFieldCase(const FieldPicture& picture, std::string_view text) {
  std::string out(text);
  if (picture.upperFirst && !out.empty() && out[0] >= 'a' && out[0] <= 'z')
    out[0] = static_cast<char>(out[0] - 'a' + 'A');
  return out;
}

double fieldNumber(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != ',') compact += c;
  return parseNumber(compact);
}

std::string fieldNumberText(const FieldPicture& picture, double value) {
  if (picture.kind == FieldKind::Digits) {
    if (value == std::trunc(value)) return formatFixed(value, 0);
    // A fraction: the shortest of up to three decimals that keeps the value.
    std::string text = formatFixed(value, 3);
    while (text.back() == '0') text.pop_back();
    return text;
  }
  std::string text = formatFixed(value, picture.decimals);
  if (!picture.grouped) return text;
  const bool negative = !text.empty() && text.front() == '-';
  std::string_view digits(text);
  if (negative) digits.remove_prefix(1);
  const auto point = digits.find('.');
  std::string out = negative ? "-" : "";
  out += withCommas(digits.substr(0, point));
  if (point != std::string_view::npos) out += digits.substr(point);
  return out;
}

}  // namespace kavrina::ui
