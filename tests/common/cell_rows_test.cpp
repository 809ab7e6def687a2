// The packed rows of a sheet give back every cell as it was added, cell by cell or as a whole
// row, with rows of different lengths side by side.
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
  CellRows packed;
  for (const Row& row : rows) {
    packed.startRow();
    for (const Cell& cell : row) packed.add(cell);
  }
  packed.push_back({Cell::ofAmount(0.1), Cell::ofText("kraj")});
  ASSERT_EQ(packed.size(), rows.size() + 1);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    ASSERT_EQ(packed.cellCount(r), rows[r].size()) << "row " << r;
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      EXPECT_EQ(packed.at(r, c), rows[r][c]) << "row " << r << " cell " << c;
  }
  ASSERT_EQ(packed.cellCount(rows.size()), 2u);
  EXPECT_EQ(packed.at(rows.size(), 1), Cell::ofText("kraj"));
}

}  // namespace
}  // namespace kavrina::sheet
