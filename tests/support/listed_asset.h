// A row of the main window's asset list, as a load from the register gives it.
#pragma once

#include <string>
#include <utility>

#include "common/date.h"
#include "ui/asset_list_rows.h"

namespace kavrina::test {

// The asset `invBr` named `naziv`, acquired on `acquired`, with its accounting and tax bases
// and its present value.
inline ui::AssetListRow listedAsset(std::string invBr, std::string naziv, Date acquired,
                                    double raOsn, double paOsn, double presentValue) {
  ui::AssetListRow row;
  row.InvBr = std::move(invBr);
  row.Naziv = std::move(naziv);
  row.DatumN = acquired;
  row.RAOsn = raOsn;
  row.PAOsn = paOsn;
  row.presentValue = presentValue;
  return row;
}

}  // namespace kavrina::test
