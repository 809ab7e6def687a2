// The inventory list: 50 rows a page in the 5 mm slots of the list reports, a grey dotted
// leader to the writing line, and the signature block at the foot of the last page.
#include "reports/inventory_list.h"

#include <string>

#include "common/number_picture.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "reports/signature_block.h"
#include "ui/current_ui.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

constexpr std::string_view kTitle = "Popisna lista Osnovnih sredstava";
// Light grey (red, green and blue 192) for the dotted leader, black for everything else.
constexpr std::uint32_t kLeaderColor = 12632256;
constexpr std::uint32_t kBlack = 0;

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

void drawColumnHeading(ui::Printer& printer) {
  drawNumberedListHeading(printer);
  drawCaption(printer, "Stanje", 175, 200, 22, TextAlign::Right);
  drawCaption(printer, "po popisu", 175, 200, 26, TextAlign::Right);
}

}  // namespace

ListPrintResult printInventoryList(const store::Program& program, ui::Printer& printer, Date date) {
  const auto& rows = program.AOSNOVNASREDSTVA;
  const ReportStyle style = reportStyleOf(program);
  auto wait = beginListReport(printer, rows.size(), "PopisOsnovnihSredstava", style);
  if (!wait) return {};

  FrameHeading heading;
  heading.title = std::string(kTitle);
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = "na dan: " + date.toText();
  if (!program.CFILTER.empty()) heading.second += "   (" + program.CFILTER + ")";
  heading.secondRight = program.CKORISNIKMESTO;

  const std::string leader = repeated(".  ", 35);
  const std::string writingLine(30, '_');
  int slot = 99;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (slot > kSlotsPerPage) {
      printer.NewPage();
      drawPageFrame(printer, style, heading);
      drawColumnHeading(printer);
      slot = 1;
    }
    if ((i + 1) % kRowsPerEventPass == 0) ui::current().processEvents();
    const auto& row = rows[i];
    printer.DrawText(formatOrdinalGrowing(static_cast<double>(i + 1)), slotRect(slot, 10, 16),
                     TextAlign::Right);
    printer.DrawText(listCell(row, 1), slotRect(slot, 20, 40), TextAlign::Left);
    printer.DrawText(listCell(row, 2), slotRect(slot, 40, 90), TextAlign::Left);
    printer.font().color = kLeaderColor;
    printer.DrawText(leader, slotRect(slot, 90, 175), TextAlign::Left);
    printer.font().color = kBlack;
    printer.DrawText(writingLine, slotRect(slot, 175, 200), TextAlign::Right);
    ++slot;
  }

  drawClosingAndSignatures(printer, style, heading, date.toText(), slot);
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
