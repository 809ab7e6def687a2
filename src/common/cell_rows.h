// The rows of a sheet's table, packed: one small fixed entry a cell and the texts of all cells
// in one buffer, so that a list of a hundred thousand rows costs a handful of allocations
// instead of one a row and one a long text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/date.h"

namespace kavrina::sheet {

// What a column holds. An amount is a number shown with thousands separators and two
// decimals; a text column keeps its cells as text even when they are digits (inventory
// numbers and accounts keep their leading zeros).
enum class CellKind : std::uint8_t { Text, Number, Amount, Date };

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

  friend bool operator==(const Cell&, const Cell&) = default;
};

// The table's rows in order. A row is added whole (push_back) or cell by cell after
// startRow(); rows need not have the same number of cells. A cell reads back as the Cell
// that was added.
class CellRows {
 public:
  CellRows() = default;
  CellRows(std::initializer_list<std::initializer_list<Cell>> rows);

  // Makes room for `rows` rows of `cells` cells in all.
  void reserve(std::size_t rows, std::size_t cells);
  // Adds a row of `cells`.
  void push_back(std::initializer_list<Cell> cells);
  // Starts a row: the cells added next belong to it.
  void startRow();
  void addText(std::string_view text);
  void addNumber(double value);
  void addAmount(double value);
  void addDate(Date value);
  void add(const Cell& cell);

  std::size_t size() const { return rowStarts_.size(); }
  bool empty() const { return rowStarts_.empty(); }
  // The number of cells of row `row` (< size()).
  std::size_t cellCount(std::size_t row) const;
  // Cell `column` (< cellCount(row)) of row `row` (< size()).
  Cell at(std::size_t row, std::size_t column) const;

 private:
  struct PackedCell {
    double number = 0;           // Number and Amount; a Date as yyyymmdd (0: no date)
    std::size_t textOffset = 0;  // Text: where its text starts in texts_
    std::uint32_t textLength = 0;
    CellKind kind = CellKind::Text;
  };

  std::vector<std::size_t> rowStarts_;  // the index in cells_ of each row's first cell
  std::vector<PackedCell> cells_;
  std::string texts_;
};

}  // namespace kavrina::sheet
