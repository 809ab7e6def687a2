// The asset-list filters.
#include "app/asset_filters.h"

#include "common/decimal.h"
#include "common/text.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::app {
namespace {

AssetFilter numberEquals(std::string words, const std::string& typed, std::string field) {
  const double wanted = parseNumber(typed);
  return {std::move(words) + typed, [wanted, field = std::move(field)](store::DbfTable& t) {
            return t.getNumber(field) == wanted;
          }};
}

}  // namespace

AssetFilter writtenOffAssets() {
  return {"otpisana", [](store::DbfTable& t) { return !t.getDate("DatumO").empty(); }};
}

AssetFilter assetsInUse() {
  return {"neotpisana", [](store::DbfTable& t) { return t.getDate("DatumO").empty(); }};
}

AssetFilter assetsNamed(const std::string& text) {
  return {"deo naziva: " + text, [wanted = text::upper(text)](store::DbfTable& t) {
            return text::upper(t.getString("Naziv")).find(wanted) != std::string::npos;
          }};
}

AssetFilter assetsOfUnit(const std::string& typed) {
  return numberEquals("lokacija: ", typed, "ODeo");
}

AssetFilter assetsOfAccount(const std::string& typed) {
  return numberEquals("konto: ", typed, "Konto");
}

}  // namespace kavrina::app
