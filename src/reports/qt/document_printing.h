// Printing a recorded document on a QPrinter: the job's set-up, the page range and copies,
// and each page scaled to the printable area.
#pragma once

#include <QPrinter>
#include <optional>
#include <string>

#include "reports/page_document.h"

namespace kavrina::reports {

// Sets the job up for `doc`: its title as the document name, A4 in the document's
// orientation, drawing relative to the printable area, the range preset to all pages.
void prepareJob(QPrinter& printer, const PageDocument& doc);

// The document pages (from 1) a job prints, in order, for the printer's range, copies and
// collation. Copies are repeated here only when the printer cannot make them itself.
std::vector<int> jobPages(const QPrinter& printer, int pageCount);

// Prints the pages of jobPages() on `printer`, each page scaled to fit the printable area
// with its proportions kept. Answers no value on success, otherwise the error text (the
// printer could not be opened).
std::optional<std::string> printDocument(const PageDocument& doc, QPrinter& printer);

}  // namespace kavrina::reports
