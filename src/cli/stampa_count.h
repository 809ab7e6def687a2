// The documents of the physical count for `kavrina-cli stampa`: the asset labels
// ("nalepnice") and the count's differences from the register ("razlike").
#pragma once

#include <vector>

#include "cli/stampa.h"

namespace kavrina::cli {

std::vector<StampaDocument> countDocuments();

}  // namespace kavrina::cli
