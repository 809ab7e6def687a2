// A list report's workbook.
#include "reports/list_workbook.h"

#include <string_view>

#include "common/text.h"

namespace kavrina::reports {

namespace {

using sheet::CellKind;

constexpr std::size_t kSheetNameMax = 31;
constexpr std::string_view kForbidden = "[]:*?/\\";

CellKind kindOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::Amount:
      return CellKind::Amount;
    case ValueKind::Count:
      return CellKind::Number;
    case ValueKind::Date:
      return CellKind::Date;
    case ValueKind::Text:
    case ValueKind::InventoryNumber:
      break;
  }
  return CellKind::Text;
}

// Column widths in characters from the printed span (millimetres): about 2 mm a character.
double widthOf(const ListColumn& column) {
  const double width = (column.right - column.left) / 2.0;
  return width < 6 ? 6 : width;
}

}  // namespace

std::string sheetName(const std::string& title) {
  std::string name;
  for (char c : text::trimBlanks(title)) {
    if (name.size() == kSheetNameMax) break;
    name += kForbidden.find(c) == std::string_view::npos ? c : '_';
  }
  return name.empty() ? "List" : name;
}

ListWorkbookBuilder::ListWorkbookBuilder(const ListReport& report) {
  const FrameHeading& frame = report.heading.frame;
  sheet_.name = sheetName(frame.title);
  for (const std::string* line : {&frame.titleRight, &frame.secondRight, &frame.title,
                                  &frame.second, &report.heading.thirdLine}) {
    const std::string_view trimmed = text::trimBlanks(*line);
    if (!trimmed.empty()) sheet_.heading.emplace_back(trimmed);
  }
  for (const ListColumn& column : report.columns) {
    kinds_.push_back(kindOf(column.kind));
    sheet_.columns.push_back({column.title, kinds_.back(), widthOf(column), column.totalled});
  }
  sheet_.totalsLabel = report.totals.label;
  // At most every input row is printed: room for them all, so that no row moves later.
  sheet_.rows.reserve(report.rowCount, report.rowCount * kinds_.size());
}

void ListWorkbookBuilder::add(const std::vector<ListCell>& cells) {
  sheet::CellRows& rows = sheet_.rows;
  rows.startRow();
  for (std::size_t c = 0; c < kinds_.size() && c < cells.size(); ++c) {
    const ListCell& cell = cells[c];
    // A cell the page leaves blank stays empty; a date column's text that is no date stays text.
    const std::string_view shown = text::trimBlanks(cell.text);
    if (kinds_[c] != CellKind::Text &&
        (shown.empty() || (kinds_[c] == CellKind::Date && cell.date.empty()))) {
      rows.addText(shown);
      continue;
    }
    switch (kinds_[c]) {
      case CellKind::Amount:
        rows.addAmount(cell.number);
        break;
      case CellKind::Number:
        rows.addNumber(cell.number);
        break;
      case CellKind::Date:
        rows.addDate(cell.date);
        break;
      case CellKind::Text:
        rows.addText(text::trimRightBlanks(cell.text));
        break;
    }
  }
}

sheet::WorkbookSource listWorkbookSource(const ListReport& report) {
  auto kept = std::make_shared<ListReport>(report);
  // Walked for the spreadsheet alone: nothing is drawn and no events are let run.
  kept->closing = {};
  kept->eventPass = nullptr;
  return [kept] {
    ListWorkbookBuilder builder(*kept);
    visitListRows(*kept, [&builder](const std::vector<ListCell>& cells) { builder.add(cells); });
    return builder.finish();
  };
}

sheet::Workbook ListWorkbookBuilder::finish() {
  sheet::Workbook book;
  book.sheets.push_back(std::move(sheet_));
  sheet_ = {};
  return book;
}

}  // namespace kavrina::reports
