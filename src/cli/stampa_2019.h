// The documents of the rules from 2019 for `kavrina-cli stampa`: the register of assets
// acquired from 2019 ("evidencija2019") and form POA ("poa").
#pragma once

#include <vector>

#include "cli/stampa.h"

namespace kavrina::cli {

std::vector<StampaDocument> documents2019();

}  // namespace kavrina::cli
