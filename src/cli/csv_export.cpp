// Writing a table as CSV.
#include "cli/csv_export.h"

#include <ostream>
#include <string>

#include "common/csv_field.h"
#include "common/text.h"

namespace kavrina::cli {
namespace {

using csv::putText;
using csv::putValue;

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
