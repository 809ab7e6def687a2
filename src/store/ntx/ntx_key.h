// Key expressions of an index and the encoding of their values into fixed-size keys. The
// program's indexes use only a field name or val(field); nothing else is understood.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/dbf/dbf_header.h"
#include "store/dbf/table_order.h"

namespace kavrina::store::ntx {

enum class KeyType { Character, Numeric, Date, Logical };

// Why an expression cannot be compiled against a table's fields.
enum class KeyProblem {
  None,
  Unknown,    // not a field name or val(field) of this table
  WrongType,  // a memo field, or val() of a field that is not character
  ZeroWidth,  // the value would have width 0
};

// A compiled key expression: which field it reads, how its value is turned into a key.
class KeyExpression {
 public:
  // Compiles `text` (a field name or "val(" field ")" in any case, blanks around the
  // parts allowed). Returns nothing and sets `problem` when it cannot be indexed.
  static std::optional<KeyExpression> compile(std::string_view text,
                                              const std::vector<FieldLayout>& fields,
                                              KeyProblem& problem);

  const std::string& text() const { return text_; }
  KeyType type() const { return type_; }
  std::size_t keySize() const { return keySize_; }
  int decimals() const { return decimals_; }

  // The key of a record (deletion flag first, as the table holds it) written to `out`,
  // which has room for keySize() bytes.
  void evaluate(std::span<const char> record, char* out) const;
  std::string evaluate(std::span<const char> record) const;

  // The key a seek for `value` compares keys with. Nothing when no key can equal the value
  // (a text longer than the key with more than blanks beyond it); `typeMismatch` is set
  // when the value is of the other kind (a number for a text key or the reverse).
  std::optional<std::string> seekKey(const SeekValue& value, bool& typeMismatch) const;

 private:
  std::string text_;
  KeyType type_ = KeyType::Character;
  bool val_ = false;  // val(field): the numeric value of a character field
  std::size_t fieldOffset_ = 0;
  std::size_t fieldWidth_ = 0;
  std::size_t keySize_ = 0;
  int decimals_ = 0;
};

// A number as a key of `size` bytes with `decimals` places: right-aligned, leading blanks
// turned into "0"; for a negative number "-" becomes "," and every digit after it d becomes
// the character 92 − d, so that larger negative numbers sort first. A number too wide for
// the key gives a key of "*".
void encodeNumericKey(double value, std::size_t size, int decimals, char* out);
std::string encodeNumericKey(double value, std::size_t size, int decimals);

}  // namespace kavrina::store::ntx
