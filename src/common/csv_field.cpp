// Writing CSV values.
#include "common/csv_field.h"

#include <ostream>

#include "common/text.h"

namespace kavrina::csv {
namespace {

// The value between quotes, its quotes doubled, `prefix` before it inside the quotes.
void putQuoted(std::ostream& out, std::string_view prefix, std::string_view value) {
  out << '"' << prefix;
  for (char c : value) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

}  // namespace

void putValue(std::ostream& out, std::string_view value) {
  if (value.find_first_of(",\"\r\n\t") == std::string_view::npos)
    out << value;
  else
    putQuoted(out, "", value);
}

void putText(std::ostream& out, std::string_view value) {
  if (text::startsAsFormula(value))
    putQuoted(out, "'", value);
  else
    putValue(out, value);
}

}  // namespace kavrina::csv
