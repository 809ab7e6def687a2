// The register as a count compares with it: every asset of the active company's `MDOS`,
// marked whether the asset list (`AOSNOVNASREDSTVA`, with its filter) shows it.
#pragma once

#include <vector>

#include "reports/count_differences.h"
#include "store/program.h"

namespace kavrina::reports {

// Reads every visible record of `MDOS` (open, DBOPENALL) in its index order; an asset is
// `listed` when its inventory number is in cell 1 of a row of AOSNOVNASREDSTVA. Reads only;
// leaves `MDOS` on its first record. Raises the table layer's errors.
std::vector<CountAsset> readCountRegister(store::Program& program);

}  // namespace kavrina::reports
