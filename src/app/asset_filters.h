// The filters of the asset list: which `MDOS` records a load keeps, and the words that
// name the filter in CFILTER (and so in the printed lists' headings). The main window's
// commands and kavrina-cli build the same filters here.
#pragma once

#include <string>
#include <string_view>

#include "app/list_loaders.h"

namespace kavrina::app {

struct AssetFilter {
  std::string words;  // CFILTER
  RecordFilter keep;
};

// Assets written off ("otpisana") or still in use ("neotpisana").
AssetFilter writtenOffAssets();
AssetFilter assetsInUse();
// Assets whose name holds `text` in any case: "deo naziva: " + text.
AssetFilter assetsNamed(const std::string& text);
// Assets of organisational unit `typed` ("lokacija: " + typed) or of account `typed`
// ("konto: " + typed), the number as the user typed it.
AssetFilter assetsOfUnit(const std::string& typed);
AssetFilter assetsOfAccount(const std::string& typed);

}  // namespace kavrina::app
