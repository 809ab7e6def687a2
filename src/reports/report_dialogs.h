// The messages and the date dialog that the reports share.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "common/date.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

// Information box when the list to print has no rows.
inline constexpr std::string_view kNemaPodatakaZaStampu = "Nema podataka za stampu!";
// Wait panel while a document is composed, until its preview is shown.
inline constexpr std::string_view kPripremaZaStampu =
    "Priprema za stampa u toku. Molim sacekajte...";

// Asks for the reference date: the input box "Unos" with the prompt "Na dan:", a date field
// 80 pixels wide preset to `today`. Answers the date on OK, no value on Cancel. A date left
// empty is not a reference date: it is answered with "Pogresan unos." and no value, so the
// report stops as for Cancel. Asks through `ui`.
std::optional<Date> askReferenceDate(ui::UserInterface& ui, Date today);

// The reference date of a printed list of `rowCount` rows: with no rows the information box
// "Nema podataka za stampu!" and no value; otherwise askReferenceDate(today).
std::optional<Date> askListDate(ui::UserInterface& ui, std::size_t rowCount, Date today);

}  // namespace kavrina::reports
