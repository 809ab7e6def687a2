// The documents of the register and of a stored calculation for `kavrina-cli stampa`: the
// asset list ("spisak"), the company list ("firme"), the inventory list ("popis"), the asset
// card ("kartica"), the accounting and tax statements ("ora", "opa") and form OA ("oa").
#pragma once

#include <string_view>
#include <vector>

#include "cli/stampa.h"

namespace kavrina::cli {

std::vector<StampaDocument> registerDocuments();

// AOSNOVNASREDSTVA and CFILTER as the main window leaves them after the filter the options
// name (the whole list without one); the present values as of the current year.
void loadAssetList(store::Program& program, const CliOptions& options);

// The options of the asset list's filters, and their help, for the documents that print
// the list's assets.
const std::vector<StampaOption>& assetFilterOptions();
extern const std::string_view kAssetFilterHelp;

}  // namespace kavrina::cli
