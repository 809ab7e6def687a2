// Adding the assets of a CSV file to the open company's register (`MDOS`): all of them or
// none, while other stations work on the register.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/asset_csv.h"
#include "store/program.h"

namespace kavrina::import {

struct ImportResult {
  bool written = false;     // the assets are in the register
  std::size_t assets = 0;   // the assets of the file (written or, on a trial, checked)
  std::vector<BadRow> bad;  // every refused value; nothing was written then
  std::string failure;      // not empty: the register could not take the assets
  std::string lastInvBr;    // the inventory number of the file's last asset, when written
  bool alreadyIn = false;   // every asset of the file was in the register already, as written
  std::vector<std::string> notes;  // what the user is told besides: the encoding read, ...
};

// Checks the good rows of `csv` (read by readAssetCsv) against the register of the open
// company (`MDOS` open and indexed on val(InvBr), as DBOPENALL leaves it): an inventory
// number already in the register is a bad row too; `bad` lists the file's and these in
// line order, except when every asset of the file is in the register as the file has it
// (the same file imported again after a run whose end was not seen): `alreadyIn`, nothing
// written. With no bad row and `trial` false, appends every asset as one batch of the
// table under the import lock (waiting for another station's import to end): other
// stations, a kill or a failed write see the register with none of the assets or with all
// of them, the index brought up to date after the header counts them. `failure` says why
// when another station keeps the append lock; an error of the table layer leaves the
// register as it was and passes on.
ImportResult importAssets(store::Session& session, const AssetCsv& csv, bool trial);

// The file read and imported: reads `file` whole as readCsvFile does (why it cannot, in
// `failure`), then readAssetCsv and importAssets.
ImportResult importAssetFile(store::Session& session, const std::string& file, bool trial);

}  // namespace kavrina::import
