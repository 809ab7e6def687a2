// The rows of the asset list (`AOSNOVNASREDSTVA`) built from the register and the annual
// results' present values, without the window (the window's own loader is in app).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "depreciation/annual_results_cache.h"
#include "store/program.h"

namespace kavrina::depreciation {

using AssetRow = std::vector<std::string>;

// The seven texts of one asset, in column order: `InvBr` as stored, `Naziv` as stored,
// `DatumN` as dd.mm.yyyy, `RAOsn`, `PAOsn`, `RAOsn` less the present value, the present
// value, the amounts with the picture "99,999,999,999.99".
AssetRow assetRow(const std::string& invBr, const std::string& naziv, const Date& datumN,
                  double raOsn, double paOsn, double presentValue);

// An amount with the picture "99,999,999,999.99": thousands grouped with commas, two
// decimals, right-aligned in 17 characters; a value too wide for the picture is 17 "*".
std::string amountPicture(double value);

struct AssetListOptions {
  // Keeps a record in the list when it answers true; empty keeps every record. Called with
  // a table of `MDOS` positioned on the record (the standing one, or a second handle of the
  // same file): read the record's fields from the table it is given (the asset-list
  // filters: name, written off, unit, account).
  std::function<bool(store::DbfTable& mdos)> filter;
  // Called after every row read with the number of rows so far; answering false stops the
  // load there (the progress box's cancel). Empty: never stops.
  std::function<bool(std::size_t rowsRead)> step;
};

// Reads the asset list: refreshes `presentValues` from the active company's annual
// accounting results, then goes through `MDOS` (open, DBOPENALL) from its first record in
// index order and builds one row per visible record that passes the filter. The present
// value is presentValues.OBRRASADVR(`InvBr`, `NGODINA`, year of `DatumN`, `RAOsn`).
// Leaves `MDOS` selected. Raises the table layer's errors.
std::vector<AssetRow> loadAssetRows(store::Session& program, AnnualResultsCache& presentValues,
                                    const AssetListOptions& options = {});

// `UcitajOsnovnaSredstva`'s work with its progress box: shows "Ucitava se Spisak Osnovnih
// Sredstava. Molim sacekajte..." from 1 to the record count of `MDOS`, moves it per row,
// stops when it is cancelled (the rows read so far are kept), and stores the rows in
// `AOSNOVNASREDSTVA`.
void UcitajOsnovnaSredstva(store::Program& program, AnnualResultsCache& presentValues,
                           const std::function<bool(store::DbfTable& mdos)>& filter = {});

}  // namespace kavrina::depreciation
