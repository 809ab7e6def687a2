// The inventory-number lookup shared by the asset card and the register of 2019.
#include "reports/asset_lookup.h"

#include <algorithm>

#include "common/decimal.h"
#include "common/text.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::reports {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Walks the assets from the current one on while their numeric value is `value`; stops on
// the first whose trimmed number is `wanted`.
bool walkSameValue(store::DbfTable& mdos, int invBr, double value, std::string_view wanted) {
  for (; !mdos.eof(); mdos.skip()) {
    const std::string stored = mdos.getString(invBr);
    if (parseNumber(stored) != value) return false;
    if (text::trimBlanks(stored) == wanted) return true;
  }
  return false;
}

}  // namespace

bool isDigitsInventoryNumber(std::string_view invBr) {
  const std::string_view trimmed = text::trimBlanks(invBr);
  return !trimmed.empty() && std::all_of(trimmed.begin(), trimmed.end(), isDigit);
}

bool seekAsset(store::DbfTable& mdos, std::string_view invBr) {
  const double value = parseNumber(invBr);
  if (isDigitsInventoryNumber(invBr)) return mdos.seek(value);
  const std::string_view wanted = text::trimBlanks(invBr);
  using R = store::AssetRecord;
  const int field =
      store::RecordCodec<R>(mdos, store::FieldSet<R>::of(&R::InvBr)).position(&R::InvBr);
  if (mdos.seek(value) && walkSameValue(mdos, field, value, wanted)) return true;
  // The index and this reading of a number may disagree on a text such as "1e3": the whole
  // table is the last place to look.
  for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
    if (text::trimBlanks(mdos.getString(field)) == wanted) return true;
  }
  return false;
}

}  // namespace kavrina::reports
