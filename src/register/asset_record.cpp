// Reading and writing an asset record for the fixed-asset form (the values themselves:
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

store::AssetRecord assetRecord(const AssetValues& v) {
  const StoredKonto konto = storedKonto(v.konto);
  store::AssetRecord r;
  r.InvBr = numberDigits(v.invBr);
  r.Naziv = v.naziv;
  r.DatumN = v.datumN;
  r.DatumO = v.datumO;
  r.Dobavljac = v.dobavljac;
  r.Dokument = v.dokument;
  r.RAOsn = v.raOsn;
  r.PAOsn = v.paOsn;
  r.IspVr = v.ispVr;
  r.PKVT = v.pkvt;
  r.RAStopa = v.raStopa;
  r.RAtip = v.raTip;
  r.PAStopa = groupRate(v.paGrupa);
  r.PAgrupa = v.paGrupa;
  r.ODeo = v.oDeo;
  r.Kolicina = v.kolicina;
  r.Konto = konto.konto;
  r.DuzKonta = konto.duzKonta;
  return r;
}

AssetValues assetValues(const store::AssetRecord& r) {
  AssetValues v;
  v.invBr = numberDigits(r.InvBr);
  v.naziv = r.Naziv;
  v.datumN = r.DatumN;
  v.dobavljac = r.Dobavljac;
  v.dokument = r.Dokument;
  v.raOsn = r.RAOsn;
  v.paOsn = r.PAOsn;
  v.ispVr = r.IspVr;
  v.pkvt = r.PKVT;
  v.raStopa = r.RAStopa;
  v.raTip = r.RAtip;
  v.paGrupa = r.PAgrupa;
  v.kolicina = r.Kolicina;
  v.oDeo = r.ODeo;
  v.konto = kontoText(r.Konto, r.DuzKonta);
  v.datumO = r.DatumO;
  return v;
}

std::optional<AssetValues> loadAsset(store::Program& program, std::string_view invBr) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  // The index key is val(InvBr): the search takes the number's value.
  if (!t.seek(parseNumber(numberDigits(invBr)))) return std::nullopt;
  return assetValues(store::RecordCodec<store::AssetRecord>(t).read());
}

void putAssetFields(store::DbfTable& t, const AssetValues& v) {
  store::RecordCodec<store::AssetRecord>(t).write(assetRecord(v));
}

bool saveAsset(store::Program& program, const AssetValues& v) {
  program.CINVENTARSKIBROJ = storedInvBr(v.invBr);
  program.areas.select(kMdos);
  store::DbfTable& table = program.areas[kMdos];
  const bool found = table.seek(parseNumber(numberDigits(v.invBr)));
  return store::writeRecord(program, kMdos, !found,
                            [&](store::DbfTable& t) { putAssetFields(t, v); });
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
