// The inventory list, "Popisna lista Osnovnih sredstava": the paper of the physical count,
// one numbered line per asset of the asset list with a field for the counted quantity, and
// the signatures of the responsible person and the inventory commission.
#pragma once

#include "common/date.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// `StampaPopisa`: prints AOSNOVNASREDSTVA in its current order and filter (every row; the
// date only labels the document) and previews it. An empty list shows "Nema podataka za
// stampu!"; then asks for the date ("Na dan:", preset to `today`), a cancel stops
// silently. The heading names CFILTER when it is set. When the rows reach into the
// signature area the signatures go on a page of their own. Uses ui::current().
ListPrintResult StampaPopisa(const store::Program& program, ui::Printer& printer,
                             Date today = Date::today());

// The list as data: every row of AOSNOVNASREDSTVA numbered, with the dotted leader and the
// line to write the counted quantity on; the signatures below. Reads `program` while it is
// used, so it must not outlive it.
ListReport inventoryListReport(const store::Program& program, Date date);

// The same list on a date already chosen, without the date dialog (kavrina-cli, benchmarks).
ListPrintResult printInventoryList(const store::Program& program, ui::Printer& printer, Date date);

}  // namespace kavrina::reports
