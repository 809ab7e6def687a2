// Finding an asset of `MDOS` by its inventory number, for the documents of one asset (the
// card) and the rows that name one (the register of 2019).
#pragma once

#include <string_view>

#include "store/dbf/dbf_table.h"

namespace kavrina::reports {

// Positions `mdos` (ordered by the numeric value of `InvBr`) on the asset numbered `invBr`.
// A number of digits only is found by its numeric value, as the index orders it ("007"
// finds "7"). Any other number ("A-17", blanks) is found as stored, blanks around it
// trimmed: its numeric value is shared by unrelated numbers ("A-17", "B-2" and a blank one
// all count as 0), so the assets of that value are walked until the text matches. Returns
// false, the table at end of file, when no asset has the number.
bool seekAsset(store::DbfTable& mdos, std::string_view invBr);

// Whether `invBr`, blanks around it trimmed, is a non-empty run of digits.
bool isDigitsInventoryNumber(std::string_view invBr);

}  // namespace kavrina::reports
