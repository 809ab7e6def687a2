// Saving a document's workbook as an XLSX file (Office Open XML spreadsheet): heading lines
// above the table, the column titles frozen, amounts as numbers with the thousands format,
// dates as date cells, texts as texts, and each total a SUM formula over its column with
// its value stored, so that the sheet shows it without recalculating.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/workbook.h"

namespace kavrina::reports {

// Writes `workbook` to `path` as output files are written (common/output_file.h): never in
// or below `programFolder`, never over anything but a regular file, over an existing one
// only with `replace`; aside, then renamed into place when whole and flushed. The workbook
// is first built in a private folder of the temporary folder (the library writes to a name)
// and its bytes then go through the output file's own descriptor. Answers no value when the
// file lies complete under `path`, otherwise the message saying why not. `warning`, when
// given, gets a note on a file written whose folder could not be flushed.
std::optional<std::string> writeXlsx(const sheet::Workbook& workbook,
                                     const std::filesystem::path& path,
                                     const std::filesystem::path& programFolder, bool replace,
                                     std::string* warning = nullptr);

// The sum a totals cell stores for the column `column` of `sheet`: amounts summed exactly in
// thousandths, other numbers as doubles.
double columnTotal(const sheet::Sheet& sheet, std::size_t column);

}  // namespace kavrina::reports
