// The signature block of the count's papers (the inventory list and the count's
// differences): the responsible person and the three members of the inventory commission
// at the foot of the last page.
#pragma once

#include "reports/list_engine.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Sets `closing` to the signature block: at the foot of the last page, or on a page of its
// own (the frame of `continuation`) when the rows reach slot 45, into the signature area.
void useCountSignatures(ListClosing& closing, const FrameHeading& continuation);

}  // namespace kavrina::reports
