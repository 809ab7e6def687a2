// Sorting a list on one column by the rules of its section: text in upper case, dates as
// dates, inventory numbers and amounts as numbers.
#pragma once

#include "app/list_rows.h"
#include "app/sections.h"
#include "ui/asset_list_rows.h"

namespace kavrina::app {

enum class SortKind { Text, Date, Number };

// How column `column` (1 = first) of the section compares: for "Kavrina" column 2 as text,
// column 3 as dd.mm.yyyy dates, the others as the number written without its commas; for
// the other sections as text in upper case.
SortKind sortKind(Section section, int column);

// Sorts the rows on cell `column` (1 = first), ascending or descending, keeping rows with
// equal keys in their order. Rows too short for the column sort as an empty cell. Each key
// is read once, so 100,000 rows sort in a few tens of milliseconds.
void sortRows(ListRows& rows, Section section, int column, bool ascending);

// Sorts the typed asset list as sortRows sorts its texts in the "Kavrina" section, to the
// same order: each key is the value its text reads as (a deleted row's texts in parentheses
// read as no number and no date), without making the amounts' texts.
void sortAssetList(ui::AssetList& list, int column, bool ascending);

}  // namespace kavrina::app
