// The documents of the register and of a stored calculation for `kavrina-cli stampa`: the
// asset list ("spisak"), the company list ("firme"), the inventory list ("popis"), the asset
// card ("kartica"), the accounting and tax statements ("ora", "opa") and form OA ("oa").
#pragma once

#include <vector>

#include "cli/stampa.h"

namespace kavrina::cli {

std::vector<StampaDocument> registerDocuments();

}  // namespace kavrina::cli
