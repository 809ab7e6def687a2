// The asset list (`AOSNOVNASREDSTVA`) as the main window, kavrina-cli and the printed lists
// read it: typed rows (the asset's fields and its accounting present value) from `MDOS` in
// index order, the filters' choice of them, and the seven texts the list shows, made from a
// row when it is shown or printed.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "depreciation/asset_filters.h"
#include "store/program.h"
#include "store/records.h"
#include "ui/asset_list_rows.h"

namespace kavrina::depreciation {

// One asset of the list (its columns' fields and its accounting present value), their
// widths and the list read: the window's own types.
using ui::AssetList;
using ui::AssetListRow;
using ui::AssetListWidths;

// The fields of `MDOS` the list's columns show: `InvBr`, `Naziv`, `DatumN`, `RAOsn`, `PAOsn`.
store::FieldSet<store::AssetRecord> columnFields();
// The columns' fields and those the filters read: `DatumO`, `ODeo`, `Konto`.
store::FieldSet<store::AssetRecord> listedFields();

// The list has seven columns: `InvBr`, `Naziv`, `DatumN`, then the four amounts.
inline constexpr std::size_t kAssetListColumns = 7;
inline constexpr std::size_t kAssetListDateColumn = 2;
inline constexpr std::size_t kAssetListFirstAmountColumn = 3;

// An amount with the picture "99,999,999,999.99": thousands grouped with commas, two
// decimals, right-aligned in 17 characters; a value too wide for the picture is 17 "*".
std::string amountPicture(double value);

// The seven texts of a row, in column order: `InvBr` and `Naziv` as stored (padded with
// blanks to their widths), `DatumN` as dd.mm.yyyy, `RAOsn`, `PAOsn`, `RAOsn` less the
// present value and the present value, the amounts through amountPicture.
std::vector<std::string> assetListTexts(const AssetListRow& row, const AssetListWidths& widths);
// The text of column `column` (0-based) of assetListTexts alone; empty past the seventh. A
// deleted row's text is the trimmed text in parentheses.
std::string assetListCell(const AssetListRow& row, const AssetListWidths& widths,
                          std::size_t column);
// The same text written into `out`, whose room is used again (a printed list makes its
// texts row after row into the same cells).
void assetListCellInto(const AssetListRow& row, const AssetListWidths& widths, std::size_t column,
                       std::string& out);
// The length of that text without its blanks at both ends, counted without making it (the
// window measures its columns over every row).
std::size_t assetListCellLength(const AssetListRow& row, std::size_t column);

// The value amountPicture's text reads back as (its commas removed): the amount rounded to
// two decimals as the picture rounds it, 0 for 17 "*". Made without the text.
double shownAmount(double value);
// The value the text of amount column `column` (3 to 6) reads back as: shownAmount of the
// amount; 0 for a deleted row (its text in parentheses reads as no number).
double assetListAmount(const AssetListRow& row, std::size_t column);
// The date the text of the date column reads as: `DatumN`; the empty date for a deleted row.
Date assetListDate(const AssetListRow& row);

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

// Reads the visible `MDOS` records (open, DBOPENALL) in the order of its index, as the
// register stands before another station's import or after it; nothing (held() false)
// while such an import is being published. Leaves `MDOS` selected on its first record.
// Raises the table layer's errors.
std::optional<AssetList> loadAssetList(store::Session& program, const AssetListOptions& options);

// `UcitajOsnovnaSredstva`: rebuilds `AOSNOVNASREDSTVA` with the rows of loadAssetList,
// under the progress box "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte..." from 1
// to the record count of `MDOS`, moved per record (shown through `program.ui`; none without
// one); a cancel keeps the rows read so far.
// Leaves the list as it was while another station's import is being published.
void UcitajOsnovnaSredstva(store::Program& program, const PresentValueLookup& presentValue,
                           const std::function<bool(const store::AssetRecord&)>& keep = {});

// The row of the record `MDOS` is on (the asset form's after a save) put into `list`: in
// place of the first row whose inventory number text is the same, else after the last.
void putCurrentAsset(store::Session& program, const PresentValueLookup& presentValue,
                     AssetList& list);

}  // namespace kavrina::depreciation
