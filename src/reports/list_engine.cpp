// The paging of the list reports, written once for all of them.
#include "reports/list_engine.h"

#include <cmath>
#include <memory>
#include <optional>

#include "common/number_picture.h"
#include "reports/list_report.h"
#include "reports/list_workbook.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

constexpr std::uint32_t kBlack = 0;

// Draws the pages of one report and keeps the slot of the next row.
class ListPages {
 public:
  ListPages(ui::Printer& printer, const ListReport& report)
      : printer_(printer), report_(report), slot_(report.rowSlots.perPage + 1) {}

  bool pageFull() const { return slot_ > report_.rowSlots.perPage; }
  // The top of the slot after the last row.
  double nextTop() const { return report_.rowSlots.base + kSlotHeight * slot_; }

  void newPage() {
    const ListPageHeading& heading = report_.heading;
    printer_.NewPage();
    pageOpen_ = true;
    drawPageFrame(printer_, report_.style, heading.frame, heading.layout);
    if (!heading.thirdLine.empty()) drawThirdLine();
    printer_.DrawBox(heading.box);
    for (const HeadingCaption& c : heading.captions)
      printer_.DrawText(c.text, {c.left, c.top, c.right, c.top + 4}, c.align);
    slot_ = 1;
  }

  void continuationPage() {
    const ui::RectMm& box = report_.heading.box;
    printer_.NewPage();
    drawPageFrame(printer_, report_.style, report_.closing.continuation, report_.heading.layout);
    printer_.DrawLine(box.left, box.top, box.right, box.top);
    slot_ = 1;
  }

  void drawRow(const std::vector<ListCell>& cells) {
    const double top = nextTop();
    for (std::size_t c = 0; c < report_.columns.size(); ++c) {
      const ListColumn& column = report_.columns[c];
      const ui::RectMm rect{column.left, top, column.right, top + report_.rowSlots.rowHeight};
      if (column.color == kBlack) {
        printer_.DrawText(cells[c].text, rect, column.align);
        continue;
      }
      printer_.font().color = column.color;
      printer_.DrawText(cells[c].text, rect, column.align);
      printer_.font().color = kBlack;
    }
    ++slot_;
  }

  void drawBand(const ListTotals& totals) {
    const ListTotalsBand& band = report_.totals;
    // A band past the last slot stays on its page unless it has a limit.
    if (!pageOpen_ || nextTop() > band.lastTop) newPage();
    const double top = nextTop();
    const double rule = top + band.ruleOffset;
    if (band.box) {
      printer_.DrawBox({band.left, rule, band.right, rule + band.height});
    } else {
      printer_.DrawLine(band.left, rule, band.right, rule);
    }
    if (band.label.empty()) return;
    const double line = top + band.lineOffset;
    const auto& columns = report_.columns;
    if (!band.labelColumn) {
      printer_.DrawText(band.label, {band.labelLeft, line, band.labelRight, line + band.height},
                        TextAlign::Left);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const ListColumn& column = columns[c];
      const ui::RectMm rect{column.left, line, column.right, line + band.height};
      if (band.labelColumn == c) {
        printer_.DrawText(band.label, rect, column.align);
      } else if (column.totalled) {
        printer_.DrawText(formatAmountGrowing(totals.value(c)), rect, column.align);
      } else if (band.labelColumn) {
        printer_.DrawText("", rect, column.align);
      }
    }
  }

  void drawClosing() {
    const ListClosing& closing = report_.closing;
    if (!closing.draw) return;
    if (nextTop() > closing.lastTop) continuationPage();
    closing.draw(printer_, nextTop());
  }

 private:
  void drawThirdLine() {
    ui::PrinterFont& font = printer_.font();
    font.size = kSecondLineFontSize;
    font.bold = true;
    printer_.DrawText(report_.heading.thirdLine, {8, 19, 202, 24}, TextAlign::Left);
    font.bold = false;
    font.size = report_.style.fontSize;
  }

  ui::Printer& printer_;
  const ListReport& report_;
  int slot_;
  bool pageOpen_ = false;
};

// Walks the rows of `report`, calling `before` ahead of each input row and `printed` with the
// cells of each printed one.
template <class Before, class Printed>
void walkRows(const ListReport& report, Before before, Printed printed) {
  std::vector<ListCell> cells(report.columns.size());
  std::size_t ordinal = 1;
  for (std::size_t i = 0; i < report.rowCount; ++i) {
    before();
    if ((i + 1) % kRowsPerEventPass == 0 && report.eventPass) report.eventPass();
    if (!report.row(i, ordinal, cells)) continue;
    printed(cells);
    ++ordinal;
  }
}

}  // namespace

void ListTotals::add(const std::vector<ListColumn>& columns, const std::vector<ListCell>& cells) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].totalled) sums_[c] += std::llround(cells[c].number * 1000);
  }
}

void drawListReport(ui::Printer& printer, const ListReport& report) {
  ListPages pages(printer, report);
  ListTotals totals(report.columns);
  // The same rows as a workbook (for "Excel" and --xlsx) when the printer keeps it: made later
  // from rows the report keeps, otherwise gathered as they are drawn.
  std::optional<ListWorkbookBuilder> workbook;
  if (printer.keepsWorkbooks() && !report.rowsKept) workbook.emplace(report);
  walkRows(
      report,
      [&] {
        if (pages.pageFull()) pages.newPage();
      },
      [&](const std::vector<ListCell>& cells) {
        pages.drawRow(cells);
        totals.add(report.columns, cells);
        if (workbook) workbook->add(cells);
      });
  pages.drawBand(totals);
  pages.drawClosing();
  if (workbook) printer.setWorkbook(sheet::madeWorkbook(workbook->finish()));
  if (printer.keepsWorkbooks() && report.rowsKept) printer.setWorkbook(listWorkbookSource(report));
}

void visitListRows(const ListReport& report,
                   const std::function<void(const std::vector<ListCell>&)>& visit) {
  walkRows(
      report, [] {}, visit);
}

ListTotals listTotals(const ListReport& report) {
  ListTotals totals(report.columns);
  visitListRows(report,
                [&](const std::vector<ListCell>& cells) { totals.add(report.columns, cells); });
  return totals;
}

void useNumberedListHeading(ListPageHeading& heading) {
  heading.box = {8, 21, 202, 30};
  heading.captions.insert(heading.captions.begin(),
                          {{"Redni", 10, 20, 22, TextAlign::Left},
                           {"broj", 10, 20, 26, TextAlign::Left},
                           {"Inventarski", 20, 40, 22, TextAlign::Left},
                           {"broj", 20, 40, 26, TextAlign::Left},
                           {"Naziv osnovnog sredstva", 40, 90, 24, TextAlign::Left}});
}

std::vector<ListColumn> numberedListColumns() {
  return {{"Redni broj", 10, 16, TextAlign::Right, ValueKind::Count},
          {"Inventarski broj", 20, 40, TextAlign::Left, ValueKind::InventoryNumber},
          {"Naziv osnovnog sredstva", 40, 90, TextAlign::Left, ValueKind::Text}};
}

void drawSignature(ui::Printer& printer, std::string_view caption, double left, double right,
                   double top) {
  printer.DrawText(caption, {left, top + 8, right, top + 13}, TextAlign::Center);
  printer.DrawLine(left, top + 15, right, top + 15);
}

}  // namespace kavrina::reports
