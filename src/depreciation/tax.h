// The tax part of the depreciation calculation (`OBRACUN` steps T1 to T5): one record of
// A(Y)(P)P per asset, carried over from the previous year's annual result, with the
// group resets of `MDNG` and the group correction by five average salaries.
#pragma once

#include <optional>
#include <vector>

#include "depreciation/calc_params.h"
#include "depreciation/group_resets.h"
#include "store/records.h"

namespace kavrina::depreciation {

// T1: the record of an asset that takes part in the year, from the register alone:
// opening value the larger of 0 and `PAOsn` − `IspVr`; base 0 for no value, `PAOsn` for
// group 1, otherwise the opening value; months (12 for an old-rules asset of groups II to
// V still held in the year), days, flags. Amounts stored. `PAOtpVr` is 0.
// Precondition: takesPart(asset.DatumN, params.year).
store::PaRow openTax(const store::AssetRecord& asset, const CalcParams& params);

// T2: carries the previous year's annual record of the same asset into `row` for
// calculation year `year`: the opening value becomes its `PASadVr`; old-rules groups II
// to V take it as base (declining), group I and new-rules assets keep their base unless
// that value is 0.
void carryTax(store::PaRow& row, const store::PaRow& previous, int year);

// T3: depreciation and closing value from the stored values of `row`: by the day
// (`PAOsn` × `PAStopa` / 100 / 365 × `BrDan`) for a new-rules asset from 2019, otherwise by
// the month (/ 12 × `BrMes`); at most the available value and never below 0; then the
// write-off rule ("PA-kodOtpisa") and, when `reset` (the asset is reset in `MDNG` for this
// year), the zeroing of groups II to V. Amounts stored.
void amountsTax(store::PaRow& row, int year, const TaxRules& rules, bool reset);

// T5: the correction by five average salaries, over the whole table. Runs only when
// `rules.korekcija` is set and `rules.prosecnaZaradaX5` is not 0. For each of groups II to
// V whose sum of stored `PAOsn` (taken as its three-decimal value) is below the limit
// (strictly), every record of the group
// is written off completely: `PAm` = `PAOsn`, but never more than the value available
// to it in the year, and `PASadVr` = 0. Group I is never corrected.
void correctGroups(std::vector<store::PaRow>& rows, const TaxRules& rules);

// T1 to T3 for one asset (T5 works over the whole table: see correctGroups).
// `previous` is its record in A(Y−1)12P, or nullptr. Empty when the asset was acquired
// after the calculation year.
std::optional<store::PaRow> computeTax(const store::AssetRecord& asset,
                                       const store::PaRow* previous, const GroupResets& resets,
                                       const CalcParams& params);

// T2, T3 and T5 over the opened rows of the whole table (T1 done, in index order), against
// `previousYear` (the rows of A(Y−1)12P, nullptr when it does not exist; only their `InvBr`
// and `PASadVr` are read) with `resets`.
void finishTax(std::vector<store::PaRow>& rows, const std::vector<store::PaRow>* previousYear,
               const GroupResets& resets, const CalcParams& params);

// The whole tax result table: T1 over `mdos` (in index order; assets acquired after the
// year are left out), T2 against `previousYear` (the rows of A(Y−1)12P, nullptr when it
// does not exist), T3 with `resets`, T5. Rows come out in the order of `mdos`.
std::vector<store::PaRow> calculateTax(const std::vector<store::AssetRecord>& mdos,
                                       const std::vector<store::PaRow>* previousYear,
                                       const GroupResets& resets, const CalcParams& params);

}  // namespace kavrina::depreciation
