// The asset list (`AOSNOVNASREDSTVA`) as the main window, kavrina-cli and the printed lists
// read it: typed rows (the asset's fields and its accounting present value) from `MDOS` in
// index order, the filters' choice of them, and the seven texts the list shows.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "depreciation/asset_filters.h"
#include "store/program.h"
#include "store/records.h"

namespace kavrina::depreciation {

// One asset of the list: the fields the list reads (its columns', and the filters' when a
// filter chose the assets: listedFields) and its accounting present value (`OBRRASADVR`).
struct AssetListRow {
  store::AssetRecord asset;
  double presentValue = 0;
};

// The fields of `MDOS` the list's columns show: `InvBr`, `Naziv`, `DatumN`, `RAOsn`, `PAOsn`.
store::FieldSet<store::AssetRecord> columnFields();
// The columns' fields and those the filters read: `DatumO`, `ODeo`, `Konto`.
store::FieldSet<store::AssetRecord> listedFields();

// The widths in letters the list pads `InvBr` and `Naziv` to: the widths of the table read.
struct AssetListWidths {
  std::size_t invBr = 30;
  std::size_t naziv = 30;
};

// An amount with the picture "99,999,999,999.99": thousands grouped with commas, two
// decimals, right-aligned in 17 characters; a value too wide for the picture is 17 "*".
std::string amountPicture(double value);

// The seven texts of a row, in column order: `InvBr` and `Naziv` as stored (padded with
// blanks to their widths), `DatumN` as dd.mm.yyyy, `RAOsn`, `PAOsn`, `RAOsn` less the
// present value and the present value, the amounts through amountPicture.
std::vector<std::string> assetListTexts(const AssetListRow& row, const AssetListWidths& widths);

// The accounting present value of an asset for the list: inventory number, acquisition
// year, and the default (its `RAOsn`) when no annual result holds it.
using PresentValueLookup =
    std::function<double(const std::string& invBr, int acquisitionYear, double raOsn)>;

// `OBRRASADVR` over the active company's annual accounting results up to `NGODINA`. One
// cache serves the run: each call rereads only the result files that changed since the
// last one, and a switch to another company's folder starts it afresh.
PresentValueLookup presentValueLookup(store::Session& program);

struct AssetListOptions {
  // Which assets the list keeps; empty keeps every asset.
  std::function<bool(const store::AssetRecord&)> keep;
  // The present value of a kept asset; empty: its `RAOsn`.
  PresentValueLookup presentValue;
  // Called once the register is held for reading, before the first record.
  std::function<void()> begin;
  // Called after every visible record gone through (kept or not) with their number so
  // far; answering false stops the load there, keeping the rows read. Empty: never stops.
  std::function<bool(std::size_t recordsRead)> step;
};

// The list read: the kept assets of `MDOS` in the order of its index, and the widths of
// their texts.
struct AssetList {
  std::vector<AssetListRow> rows;
  AssetListWidths widths;
};

// Reads the visible `MDOS` records (open, DBOPENALL) in the order of its index, as the
// register stands before another station's import or after it; nothing (held() false)
// while such an import is being published. Leaves `MDOS` selected on its first record.
// Raises the table layer's errors.
std::optional<AssetList> loadAssetList(store::Session& program, const AssetListOptions& options);

// `UcitajOsnovnaSredstva`: rebuilds `AOSNOVNASREDSTVA` with the texts of loadAssetList,
// under the progress box "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte..." from 1
// to the record count of `MDOS`, moved per record (shown through `program.ui`; none without
// one); a cancel keeps the rows read so far.
// Leaves the list as it was while another station's import is being published.
void UcitajOsnovnaSredstva(store::Program& program, const PresentValueLookup& presentValue,
                           const std::function<bool(const store::AssetRecord&)>& keep = {});

// The row of the record `MDOS` is on (the asset form's after a save) and its texts.
std::vector<std::string> currentAssetListTexts(store::Session& program,
                                               const PresentValueLookup& presentValue);

}  // namespace kavrina::depreciation
