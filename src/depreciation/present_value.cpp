// The present-value lookup of the asset list.
#include "depreciation/present_value.h"

#include <algorithm>

#include "depreciation/inv_br_index.h"

namespace kavrina::depreciation {

void AnnualPresentValues::add(int year, std::string_view invBr, double raSadVr) {
  auto& years = byAsset_[std::string(invBrKey(invBr))];
  // Newest first: find the first entry not newer than `year`.
  const auto at = std::find_if(years.begin(), years.end(),
                               [year](const auto& entry) { return entry.first <= year; });
  if (at != years.end() && at->first == year) return;  // a later duplicate of the year
  years.insert(at, {year, raSadVr});
}

void AnnualPresentValues::dropYear(int year) {
  for (auto it = byAsset_.begin(); it != byAsset_.end();) {
    auto& years = it->second;
    std::erase_if(years, [year](const auto& entry) { return entry.first == year; });
    it = years.empty() ? byAsset_.erase(it) : std::next(it);
  }
}

double AnnualPresentValues::OBRRASADVR(std::string_view invBr, int newestYear, int oldestYear,
                                       double defaultValue) const {
  const auto it = byAsset_.find(std::string(invBrKey(invBr)));
  if (it == byAsset_.end()) return defaultValue;
  for (const auto& [year, value] : it->second) {
    if (year > newestYear) continue;
    if (year < oldestYear) break;
    return value;
  }
  return defaultValue;
}

}  // namespace kavrina::depreciation
