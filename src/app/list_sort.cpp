#include "app/list_sort.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "common/date.h"
#include "common/decimal.h"
#include "common/reorder.h"
#include "depreciation/asset_list.h"

namespace kavrina::app {

SortKind sortKind(Section section, int column) {
  if (section != Section::Kavrina || column == 2) return SortKind::Text;
  if (column == 3) return SortKind::Date;
  return SortKind::Number;
}

namespace {

double numberOf(const std::string& cell) {
  std::string plain;
  plain.reserve(cell.size());
  for (char c : cell)
    if (c != ',') plain += c;
  return parseNumber(plain);
}

template <typename Row, typename Key>
void sortByKeys(std::vector<Row>& rows, std::vector<Key> keys, bool ascending) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  if (ascending)
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  else
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[b] < keys[a]; });
  // In place: a second list of 100,000 assets would be the sort's largest allocation.
  reorderInPlace(rows, std::move(order));
}

// The keys of every row of a list, as `keyOf` gives them.
template <typename Row, typename KeyOf>
auto keysOf(const std::vector<Row>& rows, KeyOf keyOf) {
  std::vector<decltype(keyOf(rows.front()))> keys;
  keys.reserve(rows.size());
  for (const Row& r : rows) keys.push_back(keyOf(r));
  return keys;
}

}  // namespace

void sortRows(ListRows& rows, Section section, int column, bool ascending) {
  if (column < 1) return;
  const std::size_t index = static_cast<std::size_t>(column - 1);
  static const std::string kEmpty;
  auto cell = [&](const ListRow& row) -> const std::string& {
    return index < row.size() ? row[index] : kEmpty;
  };
  switch (sortKind(section, column)) {
    case SortKind::Text:
      sortByKeys(rows, keysOf(rows, [&](const ListRow& r) { return upperCase(cell(r)); }),
                 ascending);
      break;
    case SortKind::Date:
      sortByKeys(rows,
                 keysOf(rows, [&](const ListRow& r) { return Date::fromText(trimmed(cell(r))); }),
                 ascending);
      break;
    case SortKind::Number:
      sortByKeys(rows, keysOf(rows, [&](const ListRow& r) { return numberOf(cell(r)); }),
                 ascending);
      break;
  }
}

void sortAssetList(ui::AssetList& list, int column, bool ascending) {
  if (column < 1) return;
  const auto index = static_cast<std::size_t>(column - 1);
  std::vector<ui::AssetListRow>& rows = list.rows.edit();
  const ui::AssetListWidths widths = list.widths;
  auto text = [&](const ui::AssetListRow& r) {
    return depreciation::assetListCell(r, widths, index);
  };
  auto upperText = [&](const ui::AssetListRow& r) { return upperCase(text(r)); };
  auto number = [&](const ui::AssetListRow& r) { return numberOf(text(r)); };
  auto amount = [&](const ui::AssetListRow& r) { return depreciation::assetListAmount(r, index); };
  const bool amountColumn =
      index >= depreciation::kAssetListFirstAmountColumn && index < depreciation::kAssetListColumns;
  switch (sortKind(Section::Kavrina, column)) {
    case SortKind::Text:
      sortByKeys(rows, keysOf(rows, upperText), ascending);
      break;
    case SortKind::Date:
      sortByKeys(rows, keysOf(rows, depreciation::assetListDate), ascending);
      break;
    case SortKind::Number:
      if (amountColumn)
        sortByKeys(rows, keysOf(rows, amount), ascending);
      else
        sortByKeys(rows, keysOf(rows, number), ascending);
      break;
  }
}

}  // namespace kavrina::app
