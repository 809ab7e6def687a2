// The widths of the list's columns: wide enough for each title and for the widest value the
// column shows (a deleted row's cells in parentheses included).
#pragma once

#include <vector>

#include "app/list_view.h"

class QTableView;

namespace kavrina::app {

// For each of the first `columnCount` columns of `grid` (whose model shows `rows`), the
// width in pixels that shows its title and its widest cell whole. Reads every row once
// and measures only the longest texts of each column, so it stays quick for 100,000 rows.
std::vector<int> fittingColumnWidths(const QTableView& grid, const ListView& rows, int columnCount);

}  // namespace kavrina::app
