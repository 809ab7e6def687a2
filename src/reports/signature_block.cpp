// The count's signature block and the page it may need.
#include "reports/signature_block.h"

namespace kavrina::reports {

void drawClosingAndSignatures(ui::Printer& printer, const ReportStyle& style,
                              const FrameHeading& heading, const std::string& dateText, int slot) {
  printer.DrawLine(10, slotTop(slot), 200, slotTop(slot));
  if (slot > kLastSlotBeforeSignatures) {
    FrameHeading continued = heading;
    continued.second = "na dan : " + dateText;
    printer.NewPage();
    drawPageFrame(printer, style, continued);
    printer.DrawLine(8, 21, 202, 21);
  }
  printer.DrawText("Odgovorno lice:", {10, 270, 50, 280}, ui::TextAlign::Center);
  printer.DrawLine(10, 280, 50, 280);
  printer.DrawText("Clanovi popisne komisije:", {150, 250, 200, 260}, ui::TextAlign::Center);
  for (double y : {260.0, 270.0, 280.0}) printer.DrawLine(150, y, 200, y);
}

}  // namespace kavrina::reports
