// The printed list of companies, "Spisak Firmi": the rows of the company list as the main
// window shows them.
#pragma once

#include "common/date.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// The list as data: the rows of AFIRME, no totals. Reads `program` while it is used, so it
// must not outlive it.
ListReport companyListReport(const store::Program& program, Date today);

// Prints AFIRME (Sifra, Naziv, Mesto per row) in its current order to `printer` and
// previews it. An empty list shows "Nema podataka za stampu!" and prints nothing.
// `today` is the date in the heading. Uses ui::current() for the message and the wait panel.
ListPrintResult StampaSpiskaFirmi(const store::Program& program, ui::Printer& printer,
                                  Date today = Date::today());

}  // namespace kavrina::reports
