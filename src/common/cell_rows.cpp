// The packed rows of a sheet.
#include "common/cell_rows.h"

#include <limits>
#include <stdexcept>

namespace kavrina::sheet {

CellRows::CellRows(std::initializer_list<std::initializer_list<Cell>> rows) {
  for (const auto& row : rows) push_back(row);
}

void CellRows::reserve(std::size_t rows, std::size_t cells) {
  rowStarts_.reserve(rows);
  cells_.reserve(cells);
}

void CellRows::push_back(std::initializer_list<Cell> cells) {
  startRow();
  for (const Cell& cell : cells) add(cell);
}

void CellRows::startRow() {
  rowStarts_.push_back(cells_.size());
}

void CellRows::addText(std::string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("a sheet cell's text is longer than 4 GiB");
  cells_.push_back({0, texts_.size(), static_cast<std::uint32_t>(text.size()), CellKind::Text});
  texts_.append(text);
}

void CellRows::addNumber(double value) {
  cells_.push_back({value, 0, 0, CellKind::Number});
}

void CellRows::addAmount(double value) {
  cells_.push_back({value, 0, 0, CellKind::Amount});
}

void CellRows::addDate(Date value) {
  const double ymd = value.empty() ? 0 : value.year() * 10000.0 + value.month() * 100 + value.day();
  cells_.push_back({ymd, 0, 0, CellKind::Date});
}

void CellRows::add(const Cell& cell) {
  switch (cell.kind) {
    case CellKind::Text:
      addText(cell.text);
      return;
    case CellKind::Number:
      addNumber(cell.number);
      return;
    case CellKind::Amount:
      addAmount(cell.number);
      return;
    case CellKind::Date:
      addDate(cell.date);
      return;
  }
}

std::size_t CellRows::cellCount(std::size_t row) const {
  const std::size_t end = row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : cells_.size();
  return end - rowStarts_[row];
}

Cell CellRows::at(std::size_t row, std::size_t column) const {
  const PackedCell& packed = cells_[rowStarts_[row] + column];
  switch (packed.kind) {
    case CellKind::Text:
      return Cell::ofText(texts_.substr(packed.textOffset, packed.textLength));
    case CellKind::Number:
      return Cell::ofNumber(packed.number);
    case CellKind::Amount:
      return Cell::ofAmount(packed.number);
    case CellKind::Date: {
      const auto ymd = static_cast<int>(packed.number);
      return Cell::ofDate(ymd == 0 ? Date()
                                   : Date::fromYmd(ymd / 10000, ymd / 100 % 100, ymd % 100));
    }
  }
  return {};
}

}  // namespace kavrina::sheet
