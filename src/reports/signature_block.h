// The signature block of the count's papers (the inventory list and the count's
// differences): the responsible person and the three members of the inventory commission
// at the foot of the last page.
#pragma once

#include "reports/page_frame.h"
#include "ui/printer.h"

namespace kavrina::reports {

// The last slot after the rows that leaves the signature block room on the same page.
inline constexpr int kLastSlotBeforeSignatures = 44;

// After the last row (the next free slot is `slot`): the closing rule from (10, top of the
// slot) to (200, ...), then the signatures; when the rows reach into the signature area
// (slot > 44) the signatures go on a page of their own with the frame of `heading`, the
// second line "na dan : " + `dateText` and a rule at 21 mm instead of a column heading.
void drawClosingAndSignatures(ui::Printer& printer, const ReportStyle& style,
                              const FrameHeading& heading, const std::string& dateText, int slot);

}  // namespace kavrina::reports
