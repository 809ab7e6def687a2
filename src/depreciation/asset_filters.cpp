// The asset-list filters.
#include "depreciation/asset_filters.h"

#include "common/decimal.h"
#include "common/text.h"
#include "store/record_codec.h"

namespace kavrina::depreciation {
namespace {

using store::AssetRecord;

AssetFilter numberEquals(std::string words, const std::string& typed, double AssetRecord::*field) {
  const double wanted = parseNumber(typed);
  return {std::move(words) + typed,
          [wanted, field](const AssetRecord& a) { return a.*field == wanted; }};
}

// The width of `Naziv` in letters, as the register declares it.
std::size_t nazivWidth() {
  using F = store::FieldSet<AssetRecord>;
  return static_cast<std::size_t>(store::structureOf(F::of(&AssetRecord::Naziv)).front().width);
}

}  // namespace

AssetFilter writtenOffAssets() {
  return {"otpisana", [](const AssetRecord& a) { return !a.DatumO.empty(); }};
}

AssetFilter assetsInUse() {
  return {"neotpisana", [](const AssetRecord& a) { return a.DatumO.empty(); }};
}

AssetFilter assetsNamed(const std::string& text) {
  return {"deo naziva: " + text,
          [wanted = text::upper(text), width = nazivWidth()](const AssetRecord& a) {
            // As stored: a search for a word with a blank after it finds it at the end.
            const std::string name = store::paddedToWidth(text::upper(a.Naziv), width);
            return name.find(wanted) != std::string::npos;
          }};
}

AssetFilter assetsOfUnit(const std::string& typed) {
  return numberEquals("lokacija: ", typed, &AssetRecord::ODeo);
}

AssetFilter assetsOfAccount(const std::string& typed) {
  return numberEquals("konto: ", typed, &AssetRecord::Konto);
}

}  // namespace kavrina::depreciation
