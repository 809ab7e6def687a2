// "Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine": the register of the assets
// under the rules from 2019 of one calculation, their accounting depreciation beside their
// tax depreciation and which of the two is recognised, on landscape A4.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "depreciation/ucitaj_pamram.h"
#include "reports/list_engine.h"
#include "store/program.h"
#include "ui/printer.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

// The document title (the print job's name).
inline constexpr std::string_view kEvidencijaTitle = "Evidencija_OS_od_01012019";

// `EVIDENCIJAOS01012019` for the calculation of `year` and `months` as the calculation list
// shows them ("2023", "12"): under the wait notice, loads the list with UCITAJPAMRAM and
// prints one row per asset in list order (name, acquisition date and purchase value from
// `MDOS`, which must be open; empty when the asset is no longer there), 33 rows a page,
// then the totals and the signatures, and previews the document. The totals and the
// signatures go on a new page, with its frame and headings, when they would run into the
// footer band. With nothing loaded: "Nema podataka za stampu!" after the loader's own
// message (a table held by another user ends with that message alone). Answers whether a
// document was composed. Uses ui::current().
bool EVIDENCIJAOS01012019(store::Program& program, ui::Printer& printer, std::string_view year,
                          std::string_view months);

// The register of `list` (as UCITAJPAMRAM loaded it for `year` and `months`) as data,
// without printing. Finds the assets in `MDOS` (open) while it is used: `program` and
// `list` must outlive it.
ListReport registerReport(store::Program& program, const depreciation::PamRam& list,
                          std::string_view year, std::string_view months);

// What the register and form POA start with: the wait notice "Priprema za stampa u
// toku..." (closed when `wait` goes) and the list of UCITAJPAMRAM.
struct PamRamPrint {
  std::unique_ptr<ui::WaitNotice> wait;
  depreciation::PamRam list;
};

// Shows the wait notice and loads the list. With no rows closes the notice, shows "Nema
// podataka za stampu!" (not after the table-in-use message) and answers no value.
std::optional<PamRamPrint> beginPamRamPrint(store::Program& program, std::string_view year,
                                            std::string_view months);

// Loads the list as beginPamRamPrint does, prints the description `describe` makes of it on
// A4 in `orientation` as the document `title` and previews it. Answers whether a document
// was composed.
bool printPamRamReport(store::Program& program, ui::Printer& printer, std::string_view year,
                       std::string_view months, std::string_view title, ui::Orientation orientation,
                       const std::function<ListReport(const depreciation::PamRam&)>& describe);

}  // namespace kavrina::reports
