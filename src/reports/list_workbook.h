// A list report's rows gathered as a workbook while the engine draws them, so that the list
// can be saved as a spreadsheet ("Excel", --xlsx) without composing it a second time.
#pragma once

#include <string>
#include <vector>

#include "common/workbook.h"
#include "reports/list_engine.h"

namespace kavrina::reports {

// Gathers one sheet from a list report: its heading lines (title, company, second and third
// line, place), its column titles and kinds, the printed rows' typed cells and its totals
// row (the report's totals label; no totals row without one).
class ListWorkbookBuilder {
 public:
  explicit ListWorkbookBuilder(const ListReport& report);
  // One printed row.
  void add(const std::vector<ListCell>& cells);
  // The workbook of the rows added so far (the builder is empty afterwards).
  sheet::Workbook finish();

 private:
  std::vector<sheet::CellKind> kinds_;
  sheet::Sheet sheet_;
};

// The workbook of a report whose rows are kept (ListReport::rowsKept), made from a copy of
// the report each time it is asked for.
sheet::WorkbookSource listWorkbookSource(const ListReport& report);

// The name of a sheet for the title `title`: at most 31 characters, without the characters a
// sheet's name may not hold ([ ] : * ? / \); "List" for an empty title.
std::string sheetName(const std::string& title);

}  // namespace kavrina::reports
