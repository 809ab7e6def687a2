// The accounting part of the depreciation calculation (`OBRACUN` steps R1 to R3): one
// record of A(Y)(P)R per asset, carried over from the previous year's annual result.
#pragma once

#include <optional>
#include <vector>

#include "depreciation/calc_params.h"
#include "store/records.h"

namespace kavrina::depreciation {

// R1: the record of an asset that takes part in the year, from the register alone:
// opening value `RAOsn` − `IspVr` (not limited at zero), base (0 for no value, the
// opening value for a declining method, otherwise `RAOsn`), months, flags. Amounts are
// stored (three decimals). Precondition: takesPart(asset.DatumN, params.year).
store::RaRow openAccounting(const store::AssetRecord& asset, const CalcParams& params);

// R2: carries the previous year's annual record of the same asset into `row`: the opening
// value becomes its `RASadVr`; a declining method takes it as base, straight-line keeps
// its base unless that value is 0.
void carryAccounting(store::RaRow& row, const store::RaRow& previous);

// R3: depreciation and closing value from the stored values of `row`:
// a = `RAOsn` × `RAStopa` / 100 / 12 × `BrMes`, at most the available value (the base
// when acquired in the year, otherwise the opening value) and never below 0; closing
// value 0 when written off in the year, otherwise available value − a. Both stored.
void amountsAccounting(store::RaRow& row);

// R1 to R3 for one asset. `previous` is its record in A(Y−1)12R, or nullptr when that
// table does not exist or does not hold the asset. Empty when the asset was acquired
// after the calculation year.
std::optional<store::RaRow> computeAccounting(const store::AssetRecord& asset,
                                              const store::RaRow* previous,
                                              const CalcParams& params);

// R2 and R3 over the opened rows of the whole table (R1 done, in index order), against
// `previousYear` (the rows of A(Y−1)12R, nullptr when it does not exist; only their
// `InvBr` and `RASadVr` are read).
void finishAccounting(std::vector<store::RaRow>& rows,
                      const std::vector<store::RaRow>* previousYear);

// The whole accounting result table: R1 over `mdos` (in index order; assets acquired
// after the year are left out), then R2 against `previousYear` (the rows of A(Y−1)12R,
// nullptr when it does not exist), then R3. Rows come out in the order of `mdos`.
std::vector<store::RaRow> calculateAccounting(const std::vector<store::AssetRecord>& mdos,
                                              const std::vector<store::RaRow>* previousYear,
                                              const CalcParams& params);

}  // namespace kavrina::depreciation
