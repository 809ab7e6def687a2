// Reading a register of fixed assets from a CSV file (a spreadsheet saved as text): the
// encoding and the separator, the header naming `MDOS` fields, and every value checked as
// the fixed-asset form checks it. Plain text in, asset records or the reasons out; nothing
// here touches a table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "register/asset_record.h"

namespace kavrina::import {

// One refused value or row: the file's line (1 is the header), the column as the header
// names it (empty when the whole row or the file is refused) and why, in the program's words.
struct BadRow {
  int line = 0;
  std::string column;
  std::string reason;
};

// "Red 7, kolona RAOsn: ..." (or "Red 7: ..." without a column).
std::string describe(const BadRow& bad);
// The number of lines with at least one bad value.
std::size_t badLineCount(const std::vector<BadRow>& bad);

// One good row of the file: its asset's record and the line it starts on.
struct AssetRow {
  int line = 0;
  store::AssetRecord asset;
};

struct AssetCsv {
  std::vector<AssetRow> rows;  // the good rows (the file may be written only when `bad` is empty)
  std::vector<BadRow> bad;     // every bad value of every row, in line order
  char separator = ',';        // ',' or ';' as the header line has it
  char decimalMark = '.';      // what a lone "1,234" or "1.234" was read by
  bool windows1250 = false;    // the file was not UTF-8 and was read as Windows-1250
  std::vector<std::string> notes;  // for the report: the encoding read, defaults taken
};

// The columns every file must name.
inline constexpr std::string_view kRequiredColumns[] = {"InvBr", "Naziv", "DatumN", "RAOsn"};

// Reads the whole file `bytes`. The text is UTF-8 (a byte-order mark is skipped) when it is
// valid UTF-8, Windows-1250 when it holds no UTF-8 letter at all; a file with UTF-8 letters
// and a byte that is not UTF-8 is refused at that byte's line and column. `notes` says which
// encoding was read. The first non-empty line is the header: `MDOS` field
// names in any case and order, separated by ";" when the header has more semicolons than
// commas, otherwise by ","; values may be quoted with '"' (a doubled quote inside). An
// unknown, repeated or missing required column refuses the file at line 1. Each further
// non-empty line is one asset; a column the file lacks takes the value of a new asset's
// record; a file without a PAOsn column takes the accounting base as the tax base (and says
// so in `notes`). A record longer than kMaxRecordBytes or with a quote inside an unquoted
// value is refused with its line. Numbers may group thousands ("1.234.567,89", "1,234,567.89", "1
// 234 567,89"); a number with a single mark before exactly three digits ("1,234") is read by the
// file's decimal mark: the mark an unambiguous number of the file shows, else "," in a
// semicolon-separated file and "." in a comma-separated one. Dates are dd.mm.yyyy (a final
// point allowed) or yyyy-mm-dd; the tax group 1 to 5 or I to V. Refused, each with its line
// and column: a value that is not of its kind or does not fit the form's field, an inventory
// number of 0 or repeated in the file, a write-off date before the acquisition date,
// accumulated depreciation above the accounting base, a tax rate other than the group's, a
// text longer than its field or with a letter the tables cannot store, a text beginning as a
// spreadsheet formula does ("=", "+", "-", "@", a tab or CR), an inventory number of more
// digits than the index holds exactly.
// `today` (by the session's clock) is what a new asset's record starts from, as in the form.
AssetCsv readAssetCsv(std::string_view bytes, Date today);

}  // namespace kavrina::import
