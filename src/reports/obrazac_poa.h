// Form POA ("Obrazac POA"): for one tax period, the depreciation of the assets acquired from
// 1 January 2019 that is recognised as an expense, in three lines on portrait A4.
#pragma once

#include <string_view>

#include "depreciation/ucitaj_pamram.h"
#include "reports/list_engine.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// The document title (the print job's name).
inline constexpr std::string_view kObrazacPoaTitle = "ObrazacPOA";

// Form POA of `list` (as UCITAJPAMRAM loaded it for `year` and `months`) as data, without
// printing: its three lines, the period as the third heading line.
ListReport poaReport(const store::Program& program, const depreciation::PamRam& list,
                     std::string_view year, std::string_view months);

// `OBRAZACPOA` for the calculation of `year` and `months` as the calculation list shows them
// ("2023", "12"): under the wait notice, loads the list with UCITAJPAMRAM; line 1 is the
// sum over its assets of the smaller of the accounting and the tax depreciation, line 2 is
// 0 and line 3 their sum; prints the form with the signatures and previews it. With
// nothing loaded: "Nema podataka za stampu!" after the loader's own message. Answers
// whether a document was composed. Uses ui::current().
bool OBRAZACPOA(store::Program& program, ui::Printer& printer, std::string_view year,
                std::string_view months);

}  // namespace kavrina::reports
