// Writing a table as CSV.
#include "cli/csv_export.h"

#include <ostream>
#include <string>

#include "common/text.h"

namespace kavrina::cli {
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

void putValue(std::ostream& out, std::string_view value) {
  if (value.find_first_of(",\"\r\n\t") == std::string_view::npos)
    out << value;
  else
    putQuoted(out, "", value);
}

// A text a spreadsheet would run as a formula goes out quoted behind an apostrophe, so that
// the sheet shows it as the text it is; numbers (a negative amount) are not texts.
void putText(std::ostream& out, std::string_view value) {
  if (text::startsAsFormula(value))
    putQuoted(out, "'", value);
  else
    putValue(out, value);
}

std::string_view trimmed(std::string_view text, bool leading) {
  return leading ? text::trimBlanks(text) : text::trimRightBlanks(text);
}

}  // namespace

std::size_t writeCsv(store::DbfTable& table, const store::Structure& documented,
                     std::ostream& out) {
  const auto& fields = table.fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string name = fields[i].def.name;
    for (const store::FieldDef& def : documented)
      if (store::sameFieldName(def.name, name)) name = def.name;
    if (i > 0) out << ',';
    putValue(out, name);
  }
  out << '\n';

  std::size_t written = 0;
  const std::uint32_t count = table.recCount();
  for (std::uint32_t recno = 1; recno <= count; ++recno) {
    table.goTo(recno);
    if (table.eof()) break;
    if (table.deleted()) continue;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out << ',';
      const int index = static_cast<int>(i);
      switch (fields[i].def.type) {
        case 'N':
        case 'F':
          putValue(out, trimmed(table.rawField(index), true));
          break;
        case 'D':
          putValue(out, table.getDate(index).toText());
          break;
        case 'L':
          out << (table.getLogical(index) ? 'T' : 'F');
          break;
        case 'M':
          putText(out, table.getMemo(index));
          break;
        default:  // text: stored in Windows-1250, written as UTF-8
          putText(out, trimmed(table.getString(index), false));
          break;
      }
    }
    out << '\n';
    ++written;
  }
  return written;
}

}  // namespace kavrina::cli
