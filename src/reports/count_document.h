// The count's differences as a document, "Popisne razlike": the sections of the comparison
// with their counts, numbered rows and the signature block of the inventory list; and the
// same sections as CSV.
#pragma once

#include <string>
#include <vector>

#include "common/date.h"
#include "reports/count_differences.h"
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
  std::string title;
  std::vector<CountRow> rows;
};

// The sections in the document's order: found, missing, surplus, scanned more than once,
// and, when the files named locations, found at another location.
std::vector<CountSection> countSections(const CountDifferences& differences);

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
