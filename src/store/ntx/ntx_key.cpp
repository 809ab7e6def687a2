#include "store/ntx/ntx_key.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "common/decimal.h"
#include "common/text.h"
#include "store/dbf/dbf_field_codec.h"
#include "store/ntx/ntx_header.h"

namespace kavrina::store::ntx {
namespace {

std::string_view trim(std::string_view s) {
  return text::trimWhitespace(s);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

// Most digits a double carries exactly; longer numbers go through the general formatting,
// which keeps 15 significant digits.
constexpr std::size_t kExactDigits = 15;

// The key of the numeric value of a text when it is blanks, up to 15 digits and blanks:
// the digits zero-padded on the left. False when the text needs the general path.
bool plainDigitsKey(std::string_view text, std::size_t size, char* out) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const std::size_t start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  const std::size_t digits = i - start;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size() || digits > kExactDigits || digits > size) return false;
  std::memset(out, '0', size - digits);
  std::memcpy(out + size - digits, text.data() + start, digits);
  return true;
}

}  // namespace

void encodeNumericKey(double value, std::size_t size, int decimals, char* out) {
  const std::string text = formatFixed(value, decimals);
  if (text.size() > size) {
    std::memset(out, '*', size);
    return;
  }
  const std::size_t pad = size - text.size();
  std::memset(out, '0', pad);
  std::memcpy(out + pad, text.data(), text.size());
  if (text.front() == '-') {
    out[pad] = ',';
    for (std::size_t i = pad + 1; i < size; ++i)
      if (out[i] >= '0' && out[i] <= '9') out[i] = static_cast<char>(92 - out[i]);
  }
}

std::string encodeNumericKey(double value, std::size_t size, int decimals) {
  std::string key(size, '\0');
  encodeNumericKey(value, size, decimals, key.data());
  return key;
}

std::optional<KeyExpression> KeyExpression::compile(std::string_view text,
                                                    const std::vector<FieldLayout>& fields,
                                                    KeyProblem& problem) {
  problem = KeyProblem::Unknown;
  KeyExpression expr;
  expr.text_ = std::string(text);
  std::string_view body = trim(text);
  if (startsWithNoCase(body, "val")) {
    std::string_view rest = trim(body.substr(3));
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
      body = trim(rest.substr(1, rest.size() - 2));
      expr.val_ = true;
    }
  }
  const FieldLayout* field = nullptr;
  for (const FieldLayout& f : fields)
    if (!body.empty() && sameFieldName(f.def.name, body)) field = &f;
  if (field == nullptr) return std::nullopt;

  expr.fieldOffset_ = field->offset;
  expr.fieldWidth_ = static_cast<std::size_t>(std::max(0, field->def.width));
  const char type = field->def.type;
  if (type == 'M' || (expr.val_ && type != 'C')) {
    problem = KeyProblem::WrongType;
    return std::nullopt;
  }
  if (expr.val_) {
    // The numeric value of a text is as wide as the text, without decimals.
    expr.type_ = KeyType::Numeric;
    expr.keySize_ = expr.fieldWidth_;
    expr.decimals_ = 0;
  } else if (type == 'C') {
    expr.type_ = KeyType::Character;
    expr.keySize_ = std::min(expr.fieldWidth_, kMaxKeySize);
  } else if (type == 'N') {
    expr.type_ = KeyType::Numeric;
    expr.keySize_ = expr.fieldWidth_;
    expr.decimals_ = std::max(0, field->def.decimals);
  } else if (type == 'D') {
    expr.type_ = KeyType::Date;
    expr.keySize_ = 8;
  } else if (type == 'L') {
    expr.type_ = KeyType::Logical;
    expr.keySize_ = 1;
  } else {
    problem = KeyProblem::WrongType;
    return std::nullopt;
  }
  if (expr.keySize_ == 0) {
    problem = KeyProblem::ZeroWidth;
    return std::nullopt;
  }
  if (expr.keySize_ > kMaxKeySize || static_cast<std::size_t>(expr.decimals_) > kMaxKeyDecimals) {
    problem = KeyProblem::WrongType;
    return std::nullopt;
  }
  problem = KeyProblem::None;
  return expr;
}

void KeyExpression::evaluate(std::span<const char> record, char* out) const {
  // A record shorter than the field (never from a table) reads as blanks beyond its end.
  std::string_view raw;
  if (fieldOffset_ < record.size())
    raw = std::string_view(record.data() + fieldOffset_,
                           std::min(fieldWidth_, record.size() - fieldOffset_));
  switch (type_) {
    case KeyType::Character: {
      const std::size_t n = std::min(raw.size(), keySize_);
      std::memcpy(out, raw.data(), n);
      std::memset(out + n, ' ', keySize_ - n);
      return;
    }
    case KeyType::Numeric:
      if (val_) {
        if (decimals_ == 0 && raw.size() == fieldWidth_ && plainDigitsKey(raw, keySize_, out))
          return;
        encodeNumericKey(parseNumber(raw), keySize_, decimals_, out);
      } else {
        encodeNumericKey(codec::decodeNumber(raw), keySize_, decimals_, out);
      }
      return;
    case KeyType::Date: {
      const std::size_t n = std::min(raw.size(), keySize_);
      std::memcpy(out, raw.data(), n);
      std::memset(out + n, ' ', keySize_ - n);
      return;
    }
    case KeyType::Logical:
      out[0] = codec::decodeLogical(raw) ? 'T' : 'F';
      return;
  }
}

std::string KeyExpression::evaluate(std::span<const char> record) const {
  std::string key(keySize_, ' ');
  evaluate(record, key.data());
  return key;
}

std::optional<std::string> KeyExpression::seekKey(const SeekValue& value,
                                                  bool& typeMismatch) const {
  typeMismatch = false;
  if (type_ == KeyType::Numeric) {
    if (!std::holds_alternative<double>(value)) {
      typeMismatch = true;
      return std::nullopt;
    }
    return encodeNumericKey(std::get<double>(value), keySize_, decimals_);
  }
  if (!std::holds_alternative<std::string>(value)) {
    typeMismatch = true;
    return std::nullopt;
  }
  const std::string& text = std::get<std::string>(value);
  if (text.size() > keySize_ && text.find_first_not_of(' ', keySize_) != std::string::npos)
    return std::nullopt;
  std::string key = text.substr(0, std::min(text.size(), keySize_));
  key.resize(keySize_, ' ');
  if (type_ == KeyType::Logical) key[0] = codec::decodeLogical(key) ? 'T' : 'F';
  return key;
}

}  // namespace kavrina::store::ntx
