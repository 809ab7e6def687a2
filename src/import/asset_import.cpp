// Writing the assets of a CSV file into MDOS under the import lock, as one change.
#include "import/asset_import.h"

#include <algorithm>
#include <cmath>

#include "common/decimal.h"
#include "common/text.h"
#include "import/csv_file.h"
#include "store/import_lock.h"
#include "store/record_codec.h"

namespace kavrina::import {
namespace {

constexpr std::string_view kMdos = "MDOS";

bool sameAmount(double a, double b) {
  return std::llround(a * 1000) == std::llround(b * 1000);
}

std::string_view rightTrimmed(std::string_view text) {
  return text::trimRightBlanks(text);
}

// Whether the current record of `mdos` holds the asset as the import would have written it.
bool storedAsIs(store::DbfTable& mdos, const store::AssetRecord& w) {
  const store::AssetRecord s = store::RecordCodec<store::AssetRecord>(mdos).read();
  return rightTrimmed(s.Naziv) == rightTrimmed(w.Naziv) &&
         rightTrimmed(s.Dobavljac) == rightTrimmed(w.Dobavljac) &&
         rightTrimmed(s.Dokument) == rightTrimmed(w.Dokument) && s.DatumN == w.DatumN &&
         s.DatumO == w.DatumO && sameAmount(s.RAOsn, w.RAOsn) && sameAmount(s.PAOsn, w.PAOsn) &&
         sameAmount(s.IspVr, w.IspVr) && sameAmount(s.PKVT, w.PKVT) &&
         sameAmount(s.RAStopa, w.RAStopa) && s.RAtip == w.RAtip && s.PAgrupa == w.PAgrupa &&
         sameAmount(s.Kolicina, w.Kolicina) && sameAmount(s.ODeo, w.ODeo) &&
         sameAmount(s.Konto, w.Konto) && s.DuzKonta == w.DuzKonta;
}

// Appends every row as one batch: other stations see none of them until all are in.
// False when another station keeps the table's append lock.
bool appendAll(store::DbfTable& table, const std::vector<AssetRow>& rows) {
  if (!table.beginBatch()) return false;
  try {
    for (const AssetRow& row : rows) {
      table.append(true);
      reg::putAssetFields(table, row.asset);
    }
    table.publishBatch();
  } catch (...) {
    // The table is as it was (or, past the count's flush, holds them all); the error itself
    // is the handler's.
    table.abandonBatch();
    throw;
  }
  return true;
}

}  // namespace

ImportResult importAssets(store::Session& program, const AssetCsv& csv, bool trial) {
  ImportResult result;
  result.bad = csv.bad;
  result.notes = csv.notes;
  result.assets = csv.rows.size();
  // A file refused as a whole (its header) has no rows to check.
  if (csv.rows.empty() && !result.bad.empty()) return result;

  program.areas.select(kMdos);
  store::DbfTable& table = program.areas[kMdos];
  // Held from the check against the register to the last record: a number checked free
  // cannot be taken by another station's import meanwhile, and readers that honour it see
  // the register before the import or after it.
  std::optional<store::ImportLock> lock;
  if (!trial && result.bad.empty()) {
    lock.emplace(table.path(), store::ImportLock::Use::Import, program.ui);
    if (!lock->held()) {
      result.failure = "Tabela MDOS ne moze da se zakljuca za uvoz (greska " +
                       std::to_string(lock->error()) + ").";
      return result;
    }
  }
  std::vector<BadRow> present;
  bool allStoredAsIs = true;
  for (const AssetRow& row : csv.rows) {
    // The index key is val(InvBr): the search takes the number's value.
    if (table.seek(parseNumber(row.asset.InvBr)) && !table.deleted()) {
      present.push_back(
          {row.line, "InvBr", "inventarski broj " + row.asset.InvBr + " vec postoji u registru"});
      allStoredAsIs = allStoredAsIs && storedAsIs(table, row.asset);
    }
  }
  // The same file again after a run whose end was not seen (a kill, a lost connection):
  // every asset is already in, as the file has it.
  if (result.bad.empty() && present.size() == csv.rows.size() && allStoredAsIs) {
    result.alreadyIn = true;
    result.notes.push_back(
        "Sva sredstva iz fajla su vec u registru, sa istim podacima; nista "
        "nije promenjeno.");
    return result;
  }
  result.bad.insert(result.bad.end(), present.begin(), present.end());
  std::stable_sort(result.bad.begin(), result.bad.end(),
                   [](const BadRow& a, const BadRow& b) { return a.line < b.line; });
  if (!result.bad.empty() || trial) return result;

  if (!appendAll(table, csv.rows)) {
    result.failure =
        "Drugi korisnik upravo dodaje sredstvo u tabelu MDOS; nista nije uvezeno. Pokusajte "
        "ponovo.";
    return result;
  }
  result.lastInvBr = csv.rows.back().asset.InvBr;
  result.written = true;
  return result;
}

ImportResult importAssetFile(store::Session& program, const std::string& file, bool trial) {
  std::string bytes;
  if (std::string problem = readCsvFile(file, bytes); !problem.empty()) {
    ImportResult result;
    result.failure = std::move(problem);
    return result;
  }
  return importAssets(program, readAssetCsv(bytes, program.clock.today()), trial);
}

}  // namespace kavrina::import
