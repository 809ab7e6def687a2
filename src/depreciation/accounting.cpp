// Steps R1 to R3 of the accounting depreciation.
#include "depreciation/accounting.h"

#include <algorithm>

#include "depreciation/inv_br_index.h"
#include "depreciation/period_counts.h"
#include "depreciation/stored_value.h"

namespace kavrina::depreciation {

store::RaRow openAccounting(const store::AssetRecord& asset, const CalcParams& params) {
  const PeriodCounts counts = countPeriod(asset.DatumN, asset.DatumO, params.year, params.months,
                                          params.rules.startRule, params.rules.endRule);
  double opening = asset.RAOsn - asset.IspVr;
  double base = opening == 0 ? 0 : (asset.RAtip > 1 ? opening : asset.RAOsn);
  if (counts.writtenOffEarlier) {
    opening = 0;
    base = 0;
  }
  if (counts.acquired) opening = 0;

  store::RaRow row;
  row.InvBr = asset.InvBr;
  row.RAPrVr = stored(opening);
  row.RAOsn = stored(base);
  row.RAStopa = stored(asset.RAStopa);
  row.RATip = asset.RAtip;
  row.BrMes = counts.months;
  row.RANab = counts.acquired;
  row.RAOtp = counts.writtenOff;
  row.NoviPrav = counts.newRules;
  return row;
}

void carryAccounting(store::RaRow& row, const store::RaRow& previous) {
  const double p = previous.RASadVr;
  row.RAPrVr = stored(p);
  if (row.RATip > 1) {
    row.RAOsn = stored(p);
  } else if (p == 0) {
    row.RAOsn = 0;
  }
}

void amountsAccounting(store::RaRow& row) {
  double a = row.RAOsn * row.RAStopa / 100 / 12 * row.BrMes;
  const double available = row.RANab ? row.RAOsn : row.RAPrVr;
  a = std::min(a, available);
  // An opening value below zero (value adjustment above the base) or a negative rate
  // would make the depreciation negative; it is never below 0.
  if (!(a > 0)) a = 0;
  const double closing = row.RAOtp ? 0 : available - a;
  row.RAm = stored(a);
  row.RASadVr = stored(closing);
}

std::optional<store::RaRow> computeAccounting(const store::AssetRecord& asset,
                                              const store::RaRow* previous,
                                              const CalcParams& params) {
  if (!takesPart(asset.DatumN, params.year)) return std::nullopt;
  store::RaRow row = openAccounting(asset, params);
  if (previous) carryAccounting(row, *previous);
  amountsAccounting(row);
  return row;
}

void finishAccounting(std::vector<store::RaRow>& rows,
                      const std::vector<store::RaRow>* previousYear) {
  if (previousYear) {
    const InvBrIndex<store::RaRow> index(*previousYear);
    for (store::RaRow& row : rows)
      if (const store::RaRow* previous = index.find(row.InvBr)) carryAccounting(row, *previous);
  }
  for (store::RaRow& row : rows) amountsAccounting(row);
}

std::vector<store::RaRow> calculateAccounting(const std::vector<store::AssetRecord>& mdos,
                                              const std::vector<store::RaRow>* previousYear,
                                              const CalcParams& params) {
  std::vector<store::RaRow> rows;
  rows.reserve(mdos.size());
  for (const store::AssetRecord& asset : mdos)
    if (takesPart(asset.DatumN, params.year)) rows.push_back(openAccounting(asset, params));
  finishAccounting(rows, previousYear);
  return rows;
}

}  // namespace kavrina::depreciation
