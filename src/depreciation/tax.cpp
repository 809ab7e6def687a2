// Steps T1 to T5 of the tax depreciation.
#include "depreciation/tax.h"

#include <algorithm>
#include <array>

#include "depreciation/inv_br_index.h"
#include "depreciation/period_counts.h"
#include "depreciation/stored_value.h"

namespace kavrina::depreciation {
namespace {

constexpr int kLowestCorrectedGroup = 2;
constexpr int kHighestGroup = 5;

bool isCorrectedGroup(int group) {
  return group >= kLowestCorrectedGroup && group <= kHighestGroup;
}

// The value the record may still depreciate in the year: its base when acquired in the
// year, otherwise its opening value.
double availableValue(const store::PaRow& row) {
  return row.PANab ? row.PAOsn : row.PAPrVr;
}

}  // namespace

store::PaRow openTax(const store::AssetRecord& asset, const CalcParams& params) {
  const PeriodCounts counts = countPeriod(asset.DatumN, asset.DatumO, params.year, params.months,
                                          params.rules.startRule, params.rules.endRule);
  double opening = std::max(0.0, asset.PAOsn - asset.IspVr);
  double base = opening == 0 ? 0 : (asset.PAgrupa == 1 ? asset.PAOsn : opening);
  if (counts.writtenOffEarlier) {
    opening = 0;
    base = 0;
  }
  if (counts.acquired) opening = 0;

  store::PaRow row;
  row.InvBr = asset.InvBr;
  row.PAPrVr = stored(opening);
  row.PAOsn = stored(base);
  row.PAStopa = stored(asset.PAStopa);
  row.PAGrupa = asset.PAgrupa;
  // An old-rules asset of groups II to V is depreciated for the whole year whatever its
  // dates, unless it left the register in an earlier year.
  if (asset.PAgrupa == 1 || counts.newRules || counts.writtenOffEarlier) {
    row.BrMes = counts.months;
  } else {
    row.BrMes = 12;
  }
  row.BrDan = counts.days;
  row.PANab = counts.acquired;
  row.PAOtp = counts.writtenOff;
  row.NoviPrav = counts.newRules;
  return row;
}

void carryTax(store::PaRow& row, const store::PaRow& previous, int year) {
  const double p = previous.PASadVr;
  row.PAPrVr = stored(p);
  const bool declining = year < kNewRulesYear ? row.PAGrupa > 1 : row.PAGrupa > 1 && !row.NoviPrav;
  if (declining) {
    row.PAOsn = stored(p);
  } else if (p == 0) {
    row.PAOsn = 0;
  }
}

void amountsTax(store::PaRow& row, int year, const TaxRules& rules, bool reset) {
  double a = year >= kNewRulesYear && row.NoviPrav ? row.PAOsn * row.PAStopa / 100 / 365 * row.BrDan
                                                   : row.PAOsn * row.PAStopa / 100 / 12 * row.BrMes;
  const double available = availableValue(row);
  a = std::min(a, available);
  if (!(a > 0)) a = 0;
  const double closing = row.PAOtp ? 0 : available - a;
  row.PAm = stored(a);
  row.PASadVr = stored(closing);

  if (row.PAOtp) {
    if (!rules.kodOtpisa && row.PAGrupa > 1) {
      row.PAOtpVr = row.PAOsn;
      row.PAOsn = 0;
      row.PAm = 0;
    }
    row.PASadVr = 0;
  }
  if (reset && row.PAGrupa > 1) {
    row.PAOsn = 0;
    row.PAm = 0;
    row.PAPrVr = 0;
    row.PASadVr = 0;
  }
}

void correctGroups(std::vector<store::PaRow>& rows, const TaxRules& rules) {
  if (!rules.korekcija || rules.prosecnaZaradaX5 == 0) return;
  std::array<double, kHighestGroup + 1> sums{};
  for (const store::PaRow& row : rows)
    if (isCorrectedGroup(row.PAGrupa)) sums[row.PAGrupa] += row.PAOsn;

  // The sum of three-decimal amounts is compared as the decimal total it stands for:
  // binary addition can land a hair below a limit that the total equals in dinars.
  for (double& sum : sums) sum = stored(sum);

  for (store::PaRow& row : rows) {
    if (!isCorrectedGroup(row.PAGrupa) || !(sums[row.PAGrupa] < rules.prosecnaZaradaX5)) continue;
    // The whole remaining base goes in this year. A new-rules asset keeps its original
    // base, which can exceed what is left of it: its depreciation stops at its value.
    row.PAm = stored(std::max(0.0, std::min(row.PAOsn, availableValue(row))));
    row.PASadVr = 0;
  }
}

std::optional<store::PaRow> computeTax(const store::AssetRecord& asset,
                                       const store::PaRow* previous, const GroupResets& resets,
                                       const CalcParams& params) {
  if (!takesPart(asset.DatumN, params.year)) return std::nullopt;
  store::PaRow row = openTax(asset, params);
  if (previous) carryTax(row, *previous, params.year);
  amountsTax(row, params.year, params.rules, resets.isReset(row.InvBr, params.year));
  return row;
}

void finishTax(std::vector<store::PaRow>& rows, const std::vector<store::PaRow>* previousYear,
               const GroupResets& resets, const CalcParams& params) {
  if (previousYear) {
    const InvBrIndex<store::PaRow> index(*previousYear);
    for (store::PaRow& row : rows)
      if (const store::PaRow* previous = index.find(row.InvBr))
        carryTax(row, *previous, params.year);
  }
  for (store::PaRow& row : rows)
    amountsTax(row, params.year, params.rules, resets.isReset(row.InvBr, params.year));
  correctGroups(rows, params.rules);
}

std::vector<store::PaRow> calculateTax(const std::vector<store::AssetRecord>& mdos,
                                       const std::vector<store::PaRow>* previousYear,
                                       const GroupResets& resets, const CalcParams& params) {
  std::vector<store::PaRow> rows;
  rows.reserve(mdos.size());
  for (const store::AssetRecord& asset : mdos)
    if (takesPart(asset.DatumN, params.year)) rows.push_back(openTax(asset, params));
  finishTax(rows, previousYear, resets, params);
  return rows;
}

}  // namespace kavrina::depreciation
