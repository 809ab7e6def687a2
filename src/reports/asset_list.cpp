// "Spisak Osnovnih sredstava": numbered rows in 5 mm slots, 50 a page, and the totals line
// directly below the last printed row.
#include "reports/asset_list.h"

#include "common/number_picture.h"
#include "depreciation/asset_list.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"

namespace kavrina::reports {

namespace {

using ui::TextAlign;

// The row number and the seven cells of a list row, in the order of the list.
std::vector<ListColumn> assetListColumns() {
  const auto amount = [](std::string title, double left, double right) {
    return ListColumn{std::move(title), left, right, TextAlign::Right, ValueKind::Amount, 2, true};
  };
  return {{"Redni broj", 10, 16, TextAlign::Right, ValueKind::Count},
          {"Inventarski broj", 20, 40, TextAlign::Left, ValueKind::InventoryNumber},
          {"Naziv osnovnog sredstva", 40, 90, TextAlign::Left, ValueKind::Text},
          {"Datum nabavke", 90, 105, TextAlign::Left, ValueKind::Date},
          amount("Nabavna vrednost racunovodstvena", 105, 135),
          amount("Nabavna vrednost poreska", 135, 155),
          amount("Ispravka vrednosti", 155, 175),
          amount("Sadasnja vrednost", 175, 200)};
}

void addCaptions(ListPageHeading& heading) {
  useNumberedListHeading(heading);
  heading.captions.insert(heading.captions.end(),
                          {{"Datum", 90, 105, 22, TextAlign::Left},
                           {"nabavke", 90, 105, 26, TextAlign::Left},
                           {"Nabavna vrednost", 105, 165, 22, TextAlign::Center},
                           {"Racunovodstvena", 105, 135, 26, TextAlign::Right},
                           {"Poreska", 135, 155, 26, TextAlign::Right},
                           {"Ispravka", 155, 175, 22, TextAlign::Right},
                           {"vrednosti", 155, 175, 26, TextAlign::Right},
                           {"Sadasnja", 175, 200, 22, TextAlign::Right},
                           {"vrednost", 175, 200, 26, TextAlign::Right}});
}

// The report's cells: the row number, then the list's seven columns.
constexpr std::size_t kDateCell = depreciation::kAssetListDateColumn + 1;
constexpr std::size_t kFirstAmountCell = depreciation::kAssetListFirstAmountColumn + 1;

}  // namespace

ListReport assetListReport(const store::Program& program, Date date) {
  ListReport report;
  report.style = reportStyleOf(program);
  report.columns = assetListColumns();
  FrameHeading& frame = report.heading.frame;
  frame.title = "Spisak Osnovnih sredstava";
  frame.titleRight = program.CKORISNIKNAZIV;
  frame.second = "na dan: " + date.toText();
  if (!program.CFILTER.empty()) frame.second += "   (" + program.CFILTER + ")";
  frame.secondRight = program.CKORISNIKMESTO;
  addCaptions(report.heading);

  // The report keeps the list as printed: a copy sharing the window's rows until the window
  // changes them.
  const ui::AssetList list = program.AOSNOVNASREDSTVA;
  report.rowCount = list.size();
  report.rowsKept = true;
  report.row = [list, date](std::size_t i, std::size_t ordinal, std::vector<ListCell>& cells) {
    const ui::AssetListRow& row = list.rows[i];
    const Date acquired = depreciation::assetListDate(row);
    // An empty acquisition date (a deleted row's too) is earlier than any date: always
    // printed.
    if (acquired > date) return false;
    cells[0].text = formatOrdinalGrowing(static_cast<double>(ordinal));
    cells[0].number = static_cast<double>(ordinal);
    for (std::size_t c = 1; c < cells.size(); ++c)
      depreciation::assetListCellInto(row, list.widths, c - 1, cells[c].text);
    cells[kDateCell].date = acquired;
    for (std::size_t c = kFirstAmountCell; c < cells.size(); ++c)
      cells[c].number = depreciation::assetListAmount(row, c - 1);
    return true;
  };
  // The totals are exact sums of the two-decimal amounts as the list shows them (a starred
  // amount counts 0).
  report.totals.lineOffset = 2;
  report.totals.label = "Ukupno:";
  report.totals.labelLeft = 10;
  report.totals.labelRight = 180;
  // Below a full page of rows the band would print over the footer: it opens a new page.
  report.totals.lastTop = kSlotBase + kSlotHeight * kSlotsPerPage;
  report.eventPass = [&program] { program.userInterface().processEvents(); };
  return report;
}

ListPrintResult printAssetList(const store::Program& program, ui::Printer& printer, Date date) {
  const ListReport report = assetListReport(program, date);
  auto wait = beginListReport(program.userInterface(), printer, report.rowCount,
                              "SpisakOsnovnihSredstava", report.style);
  if (!wait) return {};
  drawListReport(printer, report);
  printer.EndDoc();
  printer.Preview();
  wait.reset();
  return {true, 0};
}

ListPrintResult StampaSpiskaOS(const store::Program& program, ui::Printer& printer, Date today) {
  const auto date = askListDate(program.userInterface(), program.AOSNOVNASREDSTVA.size(), today);
  if (!date) return {};
  return printAssetList(program, printer, *date);
}

}  // namespace kavrina::reports
