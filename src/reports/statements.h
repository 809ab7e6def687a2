// The documents of a stored calculation printed from its row of the calculation list: the
// accounting and the tax depreciation statements (one line per asset) and the tax form OA
// (one line per tax group II to V).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "reports/list_engine.h"
#include "store/program.h"
#include "ui/printer.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

// The document titles (the print jobs' names).
inline constexpr std::string_view kObracunRaTitle = "ObracunRacunovodstveneAmortizacije";
inline constexpr std::string_view kObracunPaTitle = "ObracunPoreskeAmortizacije";
inline constexpr std::string_view kObrazacOaTitle = "ObrazacOA";

// A row of the calculation list as the statements read it: cells 1 to 4.
struct CalculationRow {
  std::string file;         // "A" + year + months + "R" or "P" + ".DBF"
  std::string description;  // the heading's title
  std::string year;         // four digits
  std::string months;       // two digits, "12" for an annual calculation
};

// `StampaORA` and `StampaOPA`: under the wait notice, read the result table named by the
// row (prefix + "DBF/" + the file name, found in any case) shared and read-only, then walk
// `MDOS` (open) in the order of its index and print one line per asset that has a record in
// the table (`StampaOPA`: only the assets of tax group I), 50 a page, the ordinal running
// on across pages, then the totals line below the last line; the totals go on a new page,
// with its frame and headings, when they would fall into the footer band. The totals are
// exact sums of the stored amounts. A table held by another user is told with the
// table-in-use message naming the table, and nothing is composed (the previous document
// stays). Answers whether a document was composed and previewed. Uses ui::current().
bool StampaORA(store::Program& program, ui::Printer& printer, const CalculationRow& row);
bool StampaOPA(store::Program& program, ui::Printer& printer, const CalculationRow& row);

enum class StatementSide { Accounting, Tax };

// The statement of `row` of one side as data, without printing: reads the result table and
// `MDOS` as StampaORA and StampaOPA do and owns what it read. A table held by another user
// closes `wait`, tells the user (the table-in-use message) and answers no value.
std::optional<ListReport> statementReport(store::Program& program, const CalculationRow& row,
                                          StatementSide side,
                                          std::unique_ptr<ui::WaitNotice>& wait);

// `StampaOA`: form OA of the row's tax result table: the four group rows II to V (always
// printed, zeros for a group without records), their totals, the labels and signature
// rules. From 2019 on, records of assets under the rules from 2019 are left out. The table
// is read as for the statements, with the same message when it is in use.
bool StampaOA(store::Program& program, ui::Printer& printer, const CalculationRow& row);

}  // namespace kavrina::reports
