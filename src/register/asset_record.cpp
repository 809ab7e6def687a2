// Reading and writing an asset record for the fixed-asset form (what needs no table:
// asset_values.cpp).
#include "register/asset_record.h"

#include "common/decimal.h"
#include "common/text.h"
#include "store/rec_lock.h"
#include "store/record_codec.h"

namespace kavrina::reg {

namespace {

constexpr std::string_view kMdos = "MDOS";

}  // namespace

std::optional<store::AssetRecord> loadAsset(store::Program& program, std::string_view invBr) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  // The index key is val(InvBr): the search takes the number's value.
  if (!t.seek(parseNumber(numberDigits(invBr)))) return std::nullopt;
  return store::RecordCodec<store::AssetRecord>(t).read();
}

void putAssetFields(store::DbfTable& t, const store::AssetRecord& asset) {
  store::RecordCodec<store::AssetRecord>(t).write(asset);
}

bool saveAsset(store::Program& program, const store::AssetRecord& asset) {
  program.CINVENTARSKIBROJ = storedInvBr(asset.InvBr);
  program.areas.select(kMdos);
  store::DbfTable& table = program.areas[kMdos];
  const bool found = table.seek(parseNumber(numberDigits(asset.InvBr)));
  return store::writeRecord(program, kMdos, !found,
                            [&](store::DbfTable& t) { putAssetFields(t, asset); });
}

std::string nextInventoryNumber(store::Session& program) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  t.goBottom();
  // At the end of an empty table the field reads empty, which counts as 0.
  using R = store::AssetRecord;
  return nextNumber(store::RecordCodec<R>(t, store::FieldSet<R>::of(&R::InvBr)).read().InvBr);
}

}  // namespace kavrina::reg
