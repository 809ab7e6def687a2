// A list report printed whole: begun under the wait notice, paged by the engine, previewed.
#pragma once

#include <cstddef>
#include <string_view>

#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Prints `report` as the document `title` and previews it. With `rowCount` 0 shows
// "Nema podataka za stampu!" and prints nothing (beginListReport). Answers the document
// shown, the first list row to select.
ListPrintResult printListReport(ui::Printer& printer, const ListReport& report,
                                std::string_view title, std::size_t rowCount);

}  // namespace kavrina::reports
