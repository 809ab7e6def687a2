// `OBRRASADVR`: the accounting present value of an asset from the newest annual
// accounting result that holds it, over values read once per list load.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kavrina::depreciation {

// The `RASadVr` of every asset in every annual accounting result A(year)12R, gathered
// once so that the asset list does not open a result table per asset. Owns its values.
class AnnualPresentValues {
 public:
  // Records the `RASadVr` of one record of A(year)12R. Records of one year must be added
  // in record order: as a seek does, the first record of an inventory number counts.
  void add(int year, std::string_view invBr, double raSadVr);

  // Forgets the values of one year (its result table was recalculated or deleted).
  void dropYear(int year);
  void clear() { byAsset_.clear(); }

  // `OBRRASADVR`: the value from the newest year from `newestYear` down to `oldestYear`
  // whose annual result holds `invBr` (trailing blanks do not count), or `defaultValue`
  // when none does (also when `oldestYear` is after `newestYear`).
  double OBRRASADVR(std::string_view invBr, int newestYear, int oldestYear,
                    double defaultValue) const;

 private:
  // Per inventory-number key: (year, RASadVr), newest year first, one entry per year.
  std::unordered_map<std::string, std::vector<std::pair<int, double>>> byAsset_;
};

}  // namespace kavrina::depreciation
