// What the fixed-asset form hands to the asset list after a save: the record's values for
// the list row, with the accounting present value from `OBRRASADVR`.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/date.h"
#include "store/program.h"

namespace kavrina::reg {

// The values of one asset row, as `MDOS` holds them.
struct AssetListEntry {
  std::string invBr;  // as stored, 30 characters
  std::string naziv;  // as stored
  Date datumN;
  double raOsn = 0;
  double paOsn = 0;
  double presentValue = 0;
};

// Makes the list row (the seven texts of the asset list) of an entry. The main window
// gives its own, so that the form's row and a reloaded list are the same.
using AssetRowBuilder = std::function<std::vector<std::string>(const AssetListEntry&)>;

// The present value of an asset: inventory number as stored, oldest year, default value.
using PresentValueFn =
    std::function<double(store::Session&, const std::string& invBr, int oldestYear, double def)>;

// `OBRRASADVR` straight from the tables: for each year j from `NGODINA` down to
// `oldestYear`, when the annual accounting result A(j)12R exists in the company's "DBF/"
// folder, opens it exclusively as `BazaRA` with its index on `InvBr` built afresh, seeks
// the inventory number and, when found, answers its `RASadVr`; the table is closed each
// time. A result table another user holds is passed over. `def` when no year holds it.
double OBRRASADVR(store::Session& program, const std::string& invBr, int oldestYear, double def);

// The entry of the current `MDOS` record, its present value from `presentValue` over the
// years from its acquisition year, with its `RAOsn` as the default.
AssetListEntry currentAssetEntry(store::Session& program, const PresentValueFn& presentValue);

}  // namespace kavrina::reg
