// The rows of the three lists, built from what the tables and the folder listing hold:
// every cell is text, as the grid shows it and the printed lists print it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/date.h"

namespace kavrina::app {

using ListRow = std::vector<std::string>;
using ListRows = std::vector<ListRow>;

// The description of the booking note's row, the second row of an accounting table.
inline constexpr std::string_view kNalogZaKnjizenje = "Nalog za knjizenje amortizacije";

// The rows a result-table file name gives in the list of calculations (see the .cpp for
// the four kinds; an accounting table gives its statement and its booking note). `accountingExists`
// answers whether the accounting table of a tax table's year and months exists; it is asked only
// for a tax table of a year after 2018. A name that is not "A" + four digits + two digits + a kind
// letter + ".dbf" gives no rows.
ListRows calculationRows(const std::string& fileName,
                         const std::function<bool(const std::string&)>& accountingExists);

// Whether a directory entry matches "A20?????.DBF" (any case).
bool isCalculationFileName(std::string_view name);

// The code "Brisi sve" expects: day, month and the year's last two digits, two digits each.
std::string deleteAllCode(const Date& today);

// The text with blanks removed from both ends.
std::string trimmed(std::string_view text);
// The text in upper case (ASCII letters).
std::string upperCase(std::string_view text);
// The text padded with blanks (or cut) to `width` characters.
std::string padded(std::string_view text, std::size_t width);

}  // namespace kavrina::app
