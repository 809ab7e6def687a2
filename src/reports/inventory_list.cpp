// The inventory list: 50 rows a page in the 5 mm slots of the list reports, a grey dotted
// leader to the writing line, and the signature block at the foot of the last page.
#include "reports/inventory_list.h"

#include <string>

#include "common/number_picture.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "ui/current_ui.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

constexpr std::string_view kTitle = "Popisna lista Osnovnih sredstava";
// Light grey (red, green and blue 192) for the dotted leader.
constexpr std::uint32_t kLeaderColor = 12632256;
// The top of the last slot after the rows that leaves the signature block room on the same
// page (slot 44).
constexpr double kLastTopBeforeSignatures = kSlotBase + kSlotHeight * 44;

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

void drawSignatures(ui::Printer& printer, double) {
  printer.DrawText("Odgovorno lice:", {10, 270, 50, 280}, TextAlign::Center);
  printer.DrawLine(10, 280, 50, 280);
  printer.DrawText("Clanovi popisne komisije:", {150, 250, 200, 260}, TextAlign::Center);
  for (double y : {260.0, 270.0, 280.0}) printer.DrawLine(150, y, 200, y);
}

}  // namespace

ListReport inventoryListReport(const store::Program& program, Date date) {
  ListReport report;
  report.style = reportStyleOf(program);
  report.columns = {
      {"Redni broj", 10, 16, TextAlign::Right, ValueKind::Count},
      {"Inventarski broj", 20, 40, TextAlign::Left, ValueKind::InventoryNumber},
      {"Naziv osnovnog sredstva", 40, 90, TextAlign::Left, ValueKind::Text},
      {"", 90, 175, TextAlign::Left, ValueKind::Text, 0, false, kLeaderColor},
      {"Stanje po popisu", 175, 200, TextAlign::Right, ValueKind::Text},
  };
  FrameHeading& frame = report.heading.frame;
  frame.title = std::string(kTitle);
  frame.titleRight = program.CKORISNIKNAZIV;
  frame.second = "na dan: " + date.toText();
  if (!program.CFILTER.empty()) frame.second += "   (" + program.CFILTER + ")";
  frame.secondRight = program.CKORISNIKMESTO;
  useNumberedListHeading(report.heading);
  report.heading.captions.push_back({"Stanje", 175, 200, 22, TextAlign::Right});
  report.heading.captions.push_back({"po popisu", 175, 200, 26, TextAlign::Right});

  const auto& rows = program.AOSNOVNASREDSTVA;
  report.rowCount = rows.size();
  report.row = [&rows, leader = repeated(".  ", 35)](std::size_t i, std::size_t ordinal,
                                                     std::vector<ListCell>& cells) {
    cells[0].text = formatOrdinalGrowing(static_cast<double>(ordinal));
    cells[0].number = static_cast<double>(ordinal);
    cells[1].text = listCell(rows[i], 1);
    cells[2].text = listCell(rows[i], 2);
    cells[3].text = leader;
    cells[4].text.assign(30, '_');
    return true;
  };
  report.closing.draw = drawSignatures;
  report.closing.lastTop = kLastTopBeforeSignatures;
  report.closing.continuation = frame;
  report.closing.continuation.second = "na dan : " + date.toText();
  report.eventPass = [] { ui::current().processEvents(); };
  return report;
}

ListPrintResult printInventoryList(const store::Program& program, ui::Printer& printer, Date date) {
  const ListReport report = inventoryListReport(program, date);
  auto wait = beginListReport(printer, report.rowCount, "PopisOsnovnihSredstava", report.style);
  if (!wait) return {};
  drawListReport(printer, report);
  printer.EndDoc();
  wait->reset();
  printer.Preview();
  return {true, 0};
}

ListPrintResult StampaPopisa(const store::Program& program, ui::Printer& printer, Date today) {
  const auto date = askListDate(program.AOSNOVNASREDSTVA.size(), today);
  if (!date) return {};
  return printInventoryList(program, printer, *date);
}

}  // namespace kavrina::reports
