// The packed rows of a sheet give back every cell as it was added, whichever way the row was
// added, with rows of different lengths side by side.
#include "common/cell_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavrina::sheet {
namespace {

using Row = std::vector<Cell>;

TEST(CellRows, GiveBackEachCellAsItWasAdded) {
  const std::vector<Row> rows = {
      {Cell::ofNumber(1), Cell::ofText("000123"), Cell::ofText("Sto  \"Kancelarijski\" sa fiokama"),
       Cell::ofDate(Date::fromYmd(2024, 2, 29)), Cell::ofAmount(1234567.891)},
      {},
      {Cell::ofText(""), Cell::ofDate({}), Cell::ofAmount(-0.005), Cell::ofNumber(1e15)},
      {Cell::ofText(std::string("a\0b", 3)), Cell::ofDate(Date::fromYmd(1, 1, 1)),
       Cell::ofDate(Date::fromYmd(9999, 12, 31)), Cell::ofText(std::string(70000, 'x'))},
  };
  for (const bool typed : {false, true}) {
    SCOPED_TRACE(typed ? "added by kind" : "added as cells");
    CellRows packed;
    for (const Row& row : rows) {
      if (!typed) {
        packed.startRow();
        for (const Cell& cell : row) packed.add(cell);
        continue;
      }
      packed.startRow();
      for (const Cell& cell : row) {
        switch (cell.kind) {
          case CellKind::Text:
            packed.addText(cell.text);
            break;
          case CellKind::Number:
            packed.addNumber(cell.number);
            break;
          case CellKind::Amount:
            packed.addAmount(cell.number);
            break;
          case CellKind::Date:
            packed.addDate(cell.date);
            break;
        }
      }
    }
    ASSERT_EQ(packed.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
      ASSERT_EQ(packed.cellCount(r), rows[r].size()) << "row " << r;
      for (std::size_t c = 0; c < rows[r].size(); ++c)
        EXPECT_EQ(packed.at(r, c), rows[r][c]) << "row " << r << " cell " << c;
    }
  }
}

}  // namespace
}  // namespace kavrina::sheet
