// The count's signature block.
#include "reports/signature_block.h"

namespace kavrina::reports {
namespace {

// The top of the last slot after the rows that leaves the signature block room on the same
// page (slot 44).
constexpr double kLastTopBeforeSignatures = kSlotBase + kSlotHeight * 44;

void drawSignatures(ui::Printer& printer, double) {
  printer.DrawText("Odgovorno lice:", {10, 270, 50, 280}, ui::TextAlign::Center);
  printer.DrawLine(10, 280, 50, 280);
  printer.DrawText("Clanovi popisne komisije:", {150, 250, 200, 260}, ui::TextAlign::Center);
  for (double y : {260.0, 270.0, 280.0}) printer.DrawLine(150, y, 200, y);
}

}  // namespace

void useCountSignatures(ListReport& report, Date date) {
  report.closing.draw = drawSignatures;
  report.closing.lastTop = kLastTopBeforeSignatures;
  report.closing.continuation = report.heading.frame;
  report.closing.continuation.second = "na dan : " + date.toText();
}

}  // namespace kavrina::reports
