// The count's differences as a document, "Popisne razlike": the sections of the comparison
// with their counts, numbered rows and the signature block of the inventory list; and the
// same sections as CSV.
#pragma once

#include <string>
#include <vector>

#include "common/date.h"
#include "reports/count_differences.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

inline constexpr std::string_view kPopisneRazlikeTitle = "Popisne razlike";

// One line of a section: the inventory number (or the code as read), the register's name,
// and a note (the unit, the surplus reason, how often, where it was read).
struct CountRow {
  std::string InvBr;
  std::string Naziv;
  std::string note;
};

struct CountSection {
  std::string title;        // e.g. "Manjak"
  std::string description;  // what it holds, e.g. "u registru, nije skenirano"
  std::vector<CountRow> rows;
};

// The sections in the document's order: found, missing, surplus, scanned more than once,
// and, when the files named locations, found at another location. They are the data of
// every form of the differences: the document, the CSV, and a spreadsheet.
std::vector<CountSection> countSections(const CountDifferences& differences);

// The document's lines in its four columns (ordinal, inventory number, name, note): for
// each section a heading line ("", "", "2. Manjak", "Ukupno: 3 (u registru, nije
// skenirano)"), its rows numbered from 1 ("nema" in the name column for an empty section),
// and a blank line before the next section.
std::vector<std::vector<std::string>> countLines(const std::vector<CountSection>& sections);

// The document as a list report over `lines` (countLines), which must outlive it: the
// numbered lists' column heading with "Napomena", the dated heading, the signatures of the
// inventory list. The place a spreadsheet export takes the document's rows from
// (visitListRows), as for the other lists.
ListReport countDifferencesReport(const store::Program& program,
                                  const std::vector<std::vector<std::string>>& lines, Date date);

// Prints the sections on the count's `date` (the heading names CFILTER when it is set) and
// previews the document. Every section is printed, an empty one with "nema". Uses the
// wait notice of ui::current().
ListPrintResult printCountDifferences(const store::Program& program, ui::Printer& printer,
                                      const std::vector<CountSection>& sections, Date date);

// The sections as CSV text (UTF-8, comma-separated, lines ending in "\n"): a header line
// "Odeljak,Redni broj,InvBr,Naziv,Napomena", then one line per row; texts a spreadsheet
// would run as formulas are quoted behind an apostrophe.
std::string countCsv(const std::vector<CountSection>& sections);

}  // namespace kavrina::reports
