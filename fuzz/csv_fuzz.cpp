// Fuzz target: any bytes as a CSV file of assets, read and checked as `kavrina-cli uvoz`
// reads it. Bad rows are the expected outcome of broken input; a crash, a hang or a value
// that escapes the checks is a finding.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/asset_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kavrina::import::AssetCsv csv =
      kavrina::import::readAssetCsv(bytes, kavrina::Date::fromYmd(2026, 1, 1));
  for (const kavrina::import::AssetRow& row : csv.rows) {
    const kavrina::reg::AssetValues& v = row.values;
    // What the checks let through fits the asset table.
    if (v.invBr.empty() || v.invBr.size() > 30 || v.invBr == "0") std::abort();
    if (v.raTip < 1 || v.raTip > 4 || v.paGrupa < 1 || v.paGrupa > 5) std::abort();
    if (v.raOsn < 0 || v.raOsn >= 1e11 || v.ispVr > v.raOsn + 0.0005) std::abort();
    if (v.datumN.empty() || (!v.datumO.empty() && v.datumO < v.datumN)) std::abort();
    if (v.konto.size() > 10) std::abort();
  }
  return 0;
}
