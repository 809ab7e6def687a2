#include "app/list_sort.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "common/date.h"
#include "common/decimal.h"

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

template <typename Key>
void sortByKeys(ListRows& rows, std::vector<Key> keys, bool ascending) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  if (ascending)
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  else
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[b] < keys[a]; });
  ListRows sorted;
  sorted.reserve(rows.size());
  for (std::size_t i : order) sorted.push_back(std::move(rows[i]));
  rows = std::move(sorted);
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
    case SortKind::Text: {
      std::vector<std::string> keys;
      keys.reserve(rows.size());
      for (const ListRow& r : rows) keys.push_back(upperCase(cell(r)));
      sortByKeys(rows, std::move(keys), ascending);
      break;
    }
    case SortKind::Date: {
      std::vector<Date> keys;
      keys.reserve(rows.size());
      for (const ListRow& r : rows) keys.push_back(Date::fromText(trimmed(cell(r))));
      sortByKeys(rows, std::move(keys), ascending);
      break;
    }
    case SortKind::Number: {
      std::vector<double> keys;
      keys.reserve(rows.size());
      for (const ListRow& r : rows) keys.push_back(numberOf(cell(r)));
      sortByKeys(rows, std::move(keys), ascending);
      break;
    }
  }
}

}  // namespace kavrina::app
