// A document as a spreadsheet: a workbook of sheets, each a few heading lines above one table
// of typed cells (texts, numbers, amounts, dates) and an optional totals row. The reports fill
// it beside their pages; the XLSX writer turns it into a file.
#pragma once

#include <string>
#include <vector>

#include "common/date.h"

namespace kavrina::sheet {

// What a column holds. An amount is a number shown with thousands separators and two
// decimals; a text column keeps its cells as text even when they are digits (inventory
// numbers and accounts keep their leading zeros).
enum class CellKind { Text, Number, Amount, Date };

struct Column {
  std::string title;
  CellKind kind = CellKind::Text;
  double width = 12;    // in characters
  bool summed = false;  // the totals row holds the sum of this column
};

// One cell. `number` holds a Number or Amount, `date` a Date, `text` a Text; an empty
// cell is a text cell with no text.
struct Cell {
  CellKind kind = CellKind::Text;
  std::string text;
  double number = 0;
  Date date;

  static Cell ofText(std::string value) { return {CellKind::Text, std::move(value), 0, {}}; }
  static Cell ofNumber(double value) { return {CellKind::Number, {}, value, {}}; }
  static Cell ofAmount(double value) { return {CellKind::Amount, {}, value, {}}; }
  static Cell ofDate(Date value) { return {CellKind::Date, {}, 0, value}; }
};

struct Sheet {
  std::string name;                  // the sheet's tab (at most 31 characters)
  std::vector<std::string> heading;  // lines above the table: company, place, year, filters
  std::vector<Column> columns;
  std::vector<std::vector<Cell>> rows;
  // The label of the totals row in the first column; no totals row when empty (or when no
  // column is summed).
  std::string totalsLabel;
};

struct Workbook {
  std::vector<Sheet> sheets;
};

}  // namespace kavrina::sheet
