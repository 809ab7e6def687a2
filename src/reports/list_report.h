// What the printed lists hand back to the main window, and the cell access they share.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kavrina::reports {

// The answer of a printed list.
struct ListPrintResult {
  // A document was composed and handed to the preview.
  bool shown = false;
  // The list row (index from 0) the main window selects afterwards: the first row after a
  // printed list, no value when nothing was printed (the selection stays as it was).
  std::optional<std::size_t> selectIndex;
};

// Cell n (from 1) of a list row; empty when the row is shorter.
inline const std::string& listCell(const std::vector<std::string>& row, std::size_t n) {
  static const std::string kEmpty;
  return n >= 1 && n <= row.size() ? row[n - 1] : kEmpty;
}

// How many rows a list report lets pending window events run after.
inline constexpr std::size_t kRowsPerEventPass = 100;

}  // namespace kavrina::reports
