// The asset card, "Kartica Osnovnog sredstva": one asset's register data, one line a year
// of its accounting and of its tax depreciation from the stored annual results, and its
// write-off date.
#pragma once

#include <string>
#include <string_view>

#include "common/date.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// The document title (the print job's name).
inline constexpr std::string_view kKarticaTitle = "KarticaOsnovnogSredstva";

// `StampaKartice` for the asset whose inventory number is `invBr` (as the list's cell 1
// holds it): under the wait notice, seeks it in `MDOS` (open) by its numeric value and
// prints the card: the five header texts ("???" each when the asset is not in the
// register), then for every year from its acquisition year to the year of `today` the
// annual accounting and tax results that hold it (months before 2019, days from 2019 in the
// tax lines), and the write-off line. The annual result tables ("A" + year + "12R.dbf" and
// "...P.dbf") are opened shared and read-only, one at a time, without index files; a year
// whose table another user holds is told with the table-in-use message naming the table,
// and nothing is composed (the previous document stays). Rows that reach the footer band
// continue on a new page with the frame, the register data and the table heading
// repeated. Answers whether a document was composed and previewed. Talks through `program.ui`.
bool StampaKartice(store::Program& program, ui::Printer& printer, std::string_view invBr,
                   Date today);

}  // namespace kavrina::reports
