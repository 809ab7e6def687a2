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
    const kavrina::store::AssetRecord& r = row.asset;
    // What the checks let through fits the asset table.
    if (r.InvBr.empty() || r.InvBr.size() > 30 || r.InvBr == "0") std::abort();
    if (r.RAtip < 1 || r.RAtip > 4 || r.PAgrupa < 1 || r.PAgrupa > 5) std::abort();
    if (r.RAOsn < 0 || r.RAOsn >= 1e11 || r.IspVr > r.RAOsn + 0.0005) std::abort();
    if (r.DatumN.empty() || (!r.DatumO.empty() && r.DatumO < r.DatumN)) std::abort();
    if (kavrina::reg::kontoText(r.Konto, r.DuzKonta).size() > 10) std::abort();
  }
  return 0;
}
