// The filters of the asset list: which assets a load keeps, and the words that name the
// filter in CFILTER (and so in the printed lists' headings). The main window's commands
// and kavrina-cli build the same filters here.
#pragma once

#include <functional>
#include <string>

#include "store/records.h"

namespace kavrina::depreciation {

struct AssetFilter {
  std::string words;  // CFILTER
  // Keeps an asset when it answers true; empty keeps every asset. Sees the fields the list
  // reads (listedFields in asset_list.h).
  std::function<bool(const store::AssetRecord&)> keep;
};

// Assets written off ("otpisana") or still in use ("neotpisana").
AssetFilter writtenOffAssets();
AssetFilter assetsInUse();
// Assets whose name holds `text` in any case: "deo naziva: " + text. The name is compared
// as stored, padded with blanks to its width.
AssetFilter assetsNamed(const std::string& text);
// Assets of organisational unit `typed` ("lokacija: " + typed) or of account `typed`
// ("konto: " + typed), the number as the user typed it.
AssetFilter assetsOfUnit(const std::string& typed);
AssetFilter assetsOfAccount(const std::string& typed);

}  // namespace kavrina::depreciation
