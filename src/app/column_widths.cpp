// Column widths that fit the titles and the values.
#include "app/column_widths.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <string_view>

#include "app/list_model.h"
#include "common/text.h"

namespace kavrina::app {

namespace {

// Texts within this many bytes of a column's longest are measured too: with proportional
// letters a slightly shorter text may be the wider one.
constexpr std::size_t kNearLongest = 3;
// At most this many texts are measured per column.
constexpr std::size_t kMostMeasured = 32;

using text::trimBlanks;

}  // namespace

std::vector<int> fittingColumnWidths(const QTableView& grid, const ListView& rows,
                                     int columnCount) {
  const auto columns = static_cast<std::size_t>(std::max(0, columnCount));
  std::vector<std::size_t> longest(columns, 0);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < columns && c < rows.cellCount(r); ++c)
      longest[c] = std::max(longest[c], rows.trimmedLength(r, c));

  const QFontMetrics metrics(grid.font());
  // The cell's text margins on both sides, as the item views draw them, and the grid line.
  const int margins =
      2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 4;
  std::vector<int> widths(columns, 0);
  for (std::size_t c = 0; c < columns; ++c) {
    widths[c] = std::max(0, grid.horizontalHeader()->sectionSizeHint(static_cast<int>(c)));
    std::size_t measured = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (measured == kMostMeasured) break;
      if (c >= rows.cellCount(r)) continue;
      const std::size_t length = rows.trimmedLength(r, c);
      if (length + kNearLongest < longest[c] || length == 0) continue;
      ++measured;
      const std::string text(trimBlanks(rows.cell(r, c)));
      const int width = metrics.horizontalAdvance(cellText(text)) + margins;
      widths[c] = std::max(widths[c], width);
    }
  }
  return widths;
}

}  // namespace kavrina::app
