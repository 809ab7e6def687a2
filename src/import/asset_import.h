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
};

// Checks the good rows of `csv` (read by readAssetCsv) against the register of the open
// company (`MDOS` open and indexed on val(InvBr), as DBOPENALL leaves it): an inventory
// number already in the register is a bad row too; `bad` lists the file's and these in
// line order. With no bad row and `trial` false, appends every asset by the
// record-writing rule (the index kept current, a commit every thousand records and at the
// end) under the import lock, waiting for another station's import to end. When a record
// cannot be appended the records written are deleted again and `failure` says why; an
// error of the table layer raised meanwhile does the same before it passes on.
ImportResult importAssets(store::Session& session, const AssetCsv& csv, bool trial);

// The file read and imported: reads `file` whole (its error, when it cannot be read, in
// `failure`), then readAssetCsv and importAssets.
ImportResult importAssetFile(store::Session& session, const std::string& file, bool trial);

}  // namespace kavrina::import
