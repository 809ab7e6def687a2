// One of the three lists as the grid and the commands read it: the rows of text of the
// companies and of the calculations, or the typed asset list, whose texts are made cell by
// cell when they are read.
#pragma once

#include <cstddef>
#include <string>

#include "app/list_rows.h"
#include "ui/asset_list_rows.h"

namespace kavrina::app {

class ListView {
 public:
  ListView() = default;  // no list: no rows
  explicit ListView(const ListRows& rows) : texts_(&rows) {}
  explicit ListView(const ui::AssetList& assets) : assets_(&assets) {}

  std::size_t size() const;
  bool empty() const { return size() == 0; }
  // How many cells row `row` has (an asset row has seven).
  std::size_t cellCount(std::size_t row) const;
  // The text of cell `column` (0-based) of row `row`; empty past the row's cells.
  std::string cell(std::size_t row, std::size_t column) const;
  // The length of that text without its blanks at both ends; for an asset row counted
  // without making the text.
  std::size_t trimmedLength(std::size_t row, std::size_t column) const;
  // Every text of row `row`.
  ListRow row(std::size_t row) const;

 private:
  const ListRows* texts_ = nullptr;
  const ui::AssetList* assets_ = nullptr;
};

}  // namespace kavrina::app
