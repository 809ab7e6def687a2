// "Spisak Osnovnih sredstava": numbered rows in 5 mm slots, 50 a page, and the totals line
// directly below the last printed row.
#include "reports/asset_list.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "common/number_picture.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "ui/current_ui.h"

namespace kavrina::reports {

namespace {

using ui::TextAlign;

struct Column {
  double left;
  double right;
};
// Columns of the list cells 1 to 7 and of the row number.
constexpr Column kOrdinal{10, 16};
constexpr std::array<Column, 7> kCells{
    {{20, 40}, {40, 90}, {90, 105}, {105, 135}, {135, 155}, {155, 175}, {175, 200}}};
constexpr std::size_t kFirstAmountCell = 4;

void drawColumnHeading(ui::Printer& printer) {
  drawNumberedListHeading(printer);
  drawCaption(printer, "Datum", 90, 105, 22, TextAlign::Left);
  drawCaption(printer, "nabavke", 90, 105, 26, TextAlign::Left);
  drawCaption(printer, "Nabavna vrednost", 105, 165, 22, TextAlign::Center);
  drawCaption(printer, "Racunovodstvena", 105, 135, 26, TextAlign::Right);
  drawCaption(printer, "Poreska", 135, 155, 26, TextAlign::Right);
  drawCaption(printer, "Ispravka", 155, 175, 22, TextAlign::Right);
  drawCaption(printer, "vrednosti", 155, 175, 26, TextAlign::Right);
  drawCaption(printer, "Sadasnja", 175, 200, 22, TextAlign::Right);
  drawCaption(printer, "vrednost", 175, 200, 26, TextAlign::Right);
}

// The amount of a list cell in hundredths, so that the totals are exact sums of the
// two-decimal values the list shows.
std::int64_t cents(const std::string& cell) {
  return std::llround(pictureTextValue(cell) * 100.0);
}

}  // namespace

ListPrintResult printAssetList(const store::Program& program, ui::Printer& printer, Date date) {
  const auto& rows = program.AOSNOVNASREDSTVA;
  const ReportStyle style = reportStyleOf(program);
  auto wait = beginListReport(printer, rows.size(), "SpisakOsnovnihSredstava", style);
  if (!wait) return {};

  FrameHeading heading;
  heading.title = "Spisak Osnovnih sredstava";
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = "na dan: " + date.toText();
  if (!program.CFILTER.empty()) heading.second += "   (" + program.CFILTER + ")";
  heading.secondRight = program.CKORISNIKMESTO;

  int slot = 99;
  int number = 0;
  std::array<std::int64_t, 4> sums{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (slot > kSlotsPerPage) {
      printer.NewPage();
      drawPageFrame(printer, style, heading);
      drawColumnHeading(printer);
      slot = 1;
    }
    if ((i + 1) % kRowsPerEventPass == 0) ui::current().processEvents();
    const auto& row = rows[i];
    // An empty or unreadable acquisition date is earlier than any date: always printed.
    if (Date::fromText(listCell(row, 3)) > date) continue;
    ++number;
    printer.DrawText(formatOrdinalGrowing(number), slotRect(slot, kOrdinal.left, kOrdinal.right),
                     TextAlign::Right);
    for (std::size_t c = 1; c <= kCells.size(); ++c) {
      const Column column = kCells[c - 1];
      printer.DrawText(listCell(row, c), slotRect(slot, column.left, column.right),
                       c < kFirstAmountCell ? TextAlign::Left : TextAlign::Right);
      if (c >= kFirstAmountCell) sums[c - kFirstAmountCell] += cents(listCell(row, c));
    }
    ++slot;
  }

  const double rule = slotTop(slot);
  printer.DrawLine(10, rule, 200, rule);
  const double band = rule + 2;
  printer.DrawText("Ukupno:", {10, band, 180, band + kSlotHeight}, TextAlign::Left);
  for (std::size_t s = 0; s < sums.size(); ++s) {
    const Column column = kCells[kFirstAmountCell - 1 + s];
    printer.DrawText(formatAmountGrowing(static_cast<double>(sums[s]) / 100.0),
                     {column.left, band, column.right, band + kSlotHeight}, TextAlign::Right);
  }
  printer.EndDoc();
  printer.Preview();
  wait.reset();
  return {true, 0};
}

ListPrintResult StampaSpiskaOS(const store::Program& program, ui::Printer& printer, Date today) {
  const auto date = askListDate(program.AOSNOVNASREDSTVA.size(), today);
  if (!date) return {};
  return printAssetList(program, printer, *date);
}

}  // namespace kavrina::reports
