// The asset list's row values and the present-value lookup of one asset.
#include "register/asset_list_entry.h"

#include <cstdio>

#include "common/path_case.h"
#include "store/database.h"

namespace kavrina::reg {

namespace {
constexpr std::string_view kBazaRA = "BazaRA";
}

double OBRRASADVR(store::Session& program, const std::string& invBr, int oldestYear, double def) {
  for (int year = program.NGODINA; year >= oldestYear; --year) {
    char name[16];
    std::snprintf(name, sizeof name, "A%04d12R.dbf", year);
    const auto file = store::dataPath(program, name);
    if (!existsCaseInsensitive(file)) continue;
    if (!store::openWorkingTable(program, file, kBazaRA)) continue;
    store::DbfTable& table = program.areas[kBazaRA];
    const bool found = table.seek(invBr);
    const double value = found ? table.getNumber("RASadVr") : 0;
    program.areas.close(kBazaRA);
    if (found) return value;
  }
  return def;
}

AssetListEntry currentAssetEntry(store::Session& program, const PresentValueFn& presentValue) {
  store::DbfTable& t = program.areas["MDOS"];
  AssetListEntry e;
  e.invBr = t.getString("InvBr");
  e.naziv = t.getString("Naziv");
  e.datumN = t.getDate("DatumN");
  e.raOsn = t.getNumber("RAOsn");
  e.paOsn = t.getNumber("PAOsn");
  e.presentValue = presentValue ? presentValue(program, e.invBr, e.datumN.year(), e.raOsn)
                                : OBRRASADVR(program, e.invBr, e.datumN.year(), e.raOsn);
  return e;
}

}  // namespace kavrina::reg
