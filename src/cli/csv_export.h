// A table as CSV text, for `kavrina-cli izvoz`.
#pragma once

#include <iosfwd>

#include "store/dbf/dbf_header.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::cli {

// Writes the table to `out` as CSV: a header line of the field names (spelled as in
// `documented` when the field is there, otherwise as the file stores it), then one line per
// record in record order, leaving out records marked deleted. The text is UTF-8 (the tables
// hold Windows-1250). Character fields without their trailing blanks, numbers as stored
// (their declared decimals), dates dd.mm.yyyy (empty for no date), logicals T or F, memos
// their text. A value holding a comma, a quote, a tab or a line break is quoted, its quotes
// doubled; a text or memo that a spreadsheet would take for a formula (startsAsFormula) is
// quoted with an apostrophe before it, so that no sheet runs it. Lines end in "\n". Does not move
// the table's current record in a way callers rely on. Returns the number of records.
std::size_t writeCsv(store::DbfTable& table, const store::Structure& documented, std::ostream& out);

}  // namespace kavrina::cli
