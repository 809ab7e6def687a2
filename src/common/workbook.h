// A document as a spreadsheet: a workbook of sheets, each a few heading lines above one table
// of typed cells (texts, numbers, amounts, dates) and an optional totals row. The reports fill
// it beside their pages; the XLSX writer turns it into a file.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/cell_rows.h"

namespace kavrina::sheet {

struct Column {
  std::string title;
  CellKind kind = CellKind::Text;
  double width = 12;    // in characters
  bool summed = false;  // the totals row holds the sum of this column
};

struct Sheet {
  std::string name;                  // the sheet's tab (at most 31 characters)
  std::vector<std::string> heading;  // lines above the table: company, place, year, filters
  std::vector<Column> columns;
  CellRows rows;
  // The label of the totals row in the first column; no totals row when empty (or when no
  // column is summed).
  std::string totalsLabel;
};

struct Workbook {
  std::vector<Sheet> sheets;
};

// Makes a document's workbook when it is asked for ("Excel", --xlsx), as often as it is
// asked, each time the same; empty for a document without one. A large list keeps what its
// rows are made of rather than the cells, so that a document nobody saves costs nothing.
using WorkbookSource = std::function<Workbook()>;

// The source of a workbook made already.
inline WorkbookSource madeWorkbook(Workbook workbook) {
  return [made = std::make_shared<const Workbook>(std::move(workbook))] { return *made; };
}

}  // namespace kavrina::sheet
