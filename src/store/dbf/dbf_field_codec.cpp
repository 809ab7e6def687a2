#include "store/dbf/dbf_field_codec.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/decimal.h"
#include "common/windows_1250.h"

namespace kavrina::store::codec {

void encodeString(std::span<char> field, std::string_view text) {
  std::size_t n = std::min(field.size(), text.size());
  std::memcpy(field.data(), text.data(), n);
  std::memset(field.data() + n, ' ', field.size() - n);
}

bool encodeText(std::span<char> field, std::string_view utf8) {
  const std::optional<std::string> bytes = win1250::fromUtf8(utf8);
  if (!bytes) return false;
  encodeString(field, *bytes);
  return true;
}

std::string decodeText(std::string_view field) {
  return win1250::toUtf8(field);
}

bool encodeNumber(std::span<char> field, double value, int decimals) {
  char quick[kFixedQuickRoom];
  std::size_t length = formatFixedQuick(value, decimals, quick);
  std::string text;
  if (length == 0) text = formatFixed(value, decimals);
  const std::string_view digits = length != 0 ? std::string_view(quick, length) : text;
  if (digits.size() > field.size()) return false;
  const std::size_t pad = field.size() - digits.size();
  std::memset(field.data(), ' ', pad);
  std::memcpy(field.data() + pad, digits.data(), digits.size());
  return true;
}

double decodeNumber(std::string_view field) {
  return parseNumber(field);
}

void encodeDate(std::span<char> field, Date date) {
  encodeString(field, date.toDbf());
}

Date decodeDate(std::string_view field) {
  constexpr std::size_t kDigits = 8;
  if (field.size() > kDigits) {
    // A wider field (written elsewhere): the eight digits after any leading blanks.
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    field = field.substr(first, kDigits);
  }
  return Date::fromDbf(field);
}

void encodeLogical(std::span<char> field, bool value) {
  if (!field.empty()) field[0] = value ? 'T' : 'F';
}

bool decodeLogical(std::string_view field) {
  if (field.empty()) return false;
  char c = field[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

void encodeMemoBlock(std::span<char> field, std::uint32_t block) {
  if (block == 0) {
    std::memset(field.data(), ' ', field.size());
    return;
  }
  std::string text = std::to_string(block);
  std::size_t pad = field.size() > text.size() ? field.size() - text.size() : 0;
  std::memset(field.data(), ' ', pad);
  std::memcpy(field.data() + pad, text.data(), std::min(text.size(), field.size()));
}

std::uint32_t decodeMemoBlock(std::string_view field) {
  std::uint64_t value = 0;
  bool any = false;
  for (char c : field) {
    if (c == ' ') {
      if (any) break;
      continue;
    }
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0xFFFFFFFFu) return 0;
    any = true;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace kavrina::store::codec
