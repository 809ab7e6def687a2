// The printed list of fixed assets, "Spisak Osnovnih sredstava": the rows of the asset list
// as the main window shows them, on a reference date, numbered, with totals.
#pragma once

#include "common/date.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Prints AOSNOVNASREDSTVA in its current order and filter to `printer` and previews it.
// Asks for the reference date first ("Na dan:", preset to `today`); rows acquired after it
// are left out. The heading names CFILTER when it is set. The totals are the sums of the
// amounts as the list shows them (two decimals). An empty list shows
// "Nema podataka za stampu!"; a cancelled date stops silently. Uses ui::current().
ListPrintResult StampaSpiskaOS(const store::Program& program, ui::Printer& printer,
                               Date today = Date::today());

// The same list on a date already chosen, without the date dialog (benchmarks, a caller that
// has asked already). The empty-list message and the wait panel are as above.
// The list as data: the rows of AOSNOVNASREDSTVA acquired on `date` or before (an empty or
// unreadable date counts as earlier than any), numbered, with the four amounts totalled.
// Reads `program` while it is used, so it must not outlive it.
ListReport assetListReport(const store::Program& program, Date date);

ListPrintResult printAssetList(const store::Program& program, ui::Printer& printer, Date date);

}  // namespace kavrina::reports
