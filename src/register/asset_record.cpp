// Reading and writing an asset record for the fixed-asset form (the values themselves:
// asset_values.cpp).
#include "register/asset_record.h"

#include "common/decimal.h"
#include "common/text.h"
#include "register/field_text.h"
#include "store/rec_lock.h"

namespace kavrina::reg {

namespace {

constexpr std::string_view kMdos = "MDOS";

}  // namespace

std::optional<AssetValues> loadAsset(store::Program& program, std::string_view invBr) {
  program.areas.select(kMdos);
  store::DbfTable& t = program.areas[kMdos];
  // The index key is val(InvBr): the search takes the number's value.
  if (!t.seek(parseNumber(numberDigits(invBr)))) return std::nullopt;
  AssetValues v;
  v.invBr = numberDigits(t.getString("InvBr"));
  v.naziv = t.getString("Naziv");
  v.datumN = t.getDate("DatumN");
  v.dobavljac = t.getString("Dobavljac");
  v.dokument = t.getString("Dokument");
  v.raOsn = t.getNumber("RAOsn");
  v.paOsn = t.getNumber("PAOsn");
  v.ispVr = t.getNumber("IspVr");
  v.pkvt = t.getNumber("PKVT");
  v.raStopa = t.getNumber("RAStopa");
  v.raTip = static_cast<int>(t.getNumber("RAtip"));
  v.paGrupa = static_cast<int>(t.getNumber("PAgrupa"));
  v.kolicina = t.getNumber("Kolicina");
  v.oDeo = t.getNumber("ODeo");
  v.konto = kontoText(t.getNumber("Konto"), static_cast<int>(t.getNumber("DuzKonta")));
  v.datumO = t.getDate("DatumO");
  return v;
}

void putAssetFields(store::DbfTable& t, const AssetValues& v) {
  const StoredKonto konto = storedKonto(v.konto);
  t.putString("InvBr", storedInvBr(v.invBr));
  t.putString("Naziv", fitField(v.naziv, 30));
  t.putDate("DatumN", v.datumN);
  t.putString("Dobavljac", fitField(v.dobavljac, 30));
  t.putString("Dokument", fitField(v.dokument, 30));
  t.putNumber("RAOsn", v.raOsn);
  t.putNumber("PAOsn", v.paOsn);
  t.putNumber("IspVr", v.ispVr);
  t.putNumber("PKVT", v.pkvt);
  t.putNumber("RAStopa", v.raStopa);
  t.putNumber("RAtip", v.raTip);
  t.putNumber("PAStopa", groupRate(v.paGrupa));
  t.putNumber("PAgrupa", v.paGrupa);
  t.putNumber("Kolicina", v.kolicina);
  t.putNumber("ODeo", v.oDeo);
  t.putNumber("Konto", konto.konto);
  t.putNumber("DuzKonta", konto.duzKonta);
  t.putDate("DatumO", v.datumO);
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
  return nextNumber(t.getString("InvBr"));
}

}  // namespace kavrina::reg
