// The signature block of the count's papers (the inventory list and the count's
// differences): the responsible person and the three members of the inventory commission
// at the foot of the last page.
#pragma once

#include "reports/list_engine.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Closes `report` with the signature block: at the foot of the last page, or, when the rows
// reach slot 45 (into the signature area), on a page of its own under the report's frame
// with the second line "na dan : " + `date`.
void useCountSignatures(ListReport& report, Date date);

}  // namespace kavrina::reports
