#include "app/list_view.h"

#include "common/text.h"
#include "depreciation/asset_list.h"

namespace kavrina::app {

std::size_t ListView::size() const {
  if (assets_ != nullptr) return assets_->size();
  return texts_ != nullptr ? texts_->size() : 0;
}

std::size_t ListView::cellCount(std::size_t row) const {
  if (assets_ != nullptr) return depreciation::kAssetListColumns;
  return (*texts_)[row].size();
}

std::string ListView::cell(std::size_t row, std::size_t column) const {
  if (assets_ != nullptr)
    return depreciation::assetListCell(assets_->rows[row], assets_->widths, column);
  const ListRow& r = (*texts_)[row];
  return column < r.size() ? r[column] : std::string();
}

std::size_t ListView::trimmedLength(std::size_t row, std::size_t column) const {
  if (assets_ != nullptr) return depreciation::assetListCellLength(assets_->rows[row], column);
  const ListRow& r = (*texts_)[row];
  return column < r.size() ? text::trimBlanks(r[column]).size() : 0;
}

ListRow ListView::row(std::size_t row) const {
  if (assets_ != nullptr) return depreciation::assetListTexts(assets_->rows[row], assets_->widths);
  return (*texts_)[row];
}

}  // namespace kavrina::app
