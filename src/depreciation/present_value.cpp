// The present-value lookup of the asset list.
#include "depreciation/present_value.h"

#include <algorithm>
#include <functional>

#include "depreciation/inv_br_index.h"

namespace kavrina::depreciation {

void AnnualPresentValues::clear() {
  keys_.clear();
  newest_.clear();
  entries_.clear();
  slots_.clear();
}

std::uint32_t AnnualPresentValues::find(std::string_view key, std::size_t hash) const {
  if (slots_.empty()) return kNone;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask)
    if (keys_[slots_[at] - 1] == key) return slots_[at] - 1;
  return kNone;
}

void AnnualPresentValues::grow(std::size_t keys) {
  std::size_t size = slots_.empty() ? 1024 : slots_.size() * 2;
  while (size < keys * 2) size *= 2;
  std::vector<std::uint32_t> slots(size, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t k = 0; k < keys_.size(); ++k) {
    std::size_t at = std::hash<std::string_view>{}(keys_[k]) & mask;
    while (slots[at] != 0) at = (at + 1) & mask;
    slots[at] = k + 1;
  }
  slots_ = std::move(slots);
}

void AnnualPresentValues::reserve(std::size_t records) {
  const std::size_t keys = std::max(keys_.size(), records);
  keys_.reserve(keys);
  newest_.reserve(keys);
  entries_.reserve(entries_.size() + records);
  if (keys * 2 > slots_.size()) grow(keys);
}

std::uint32_t AnnualPresentValues::findOrAdd(std::string_view key) {
  const std::size_t hash = std::hash<std::string_view>{}(key);
  if (const std::uint32_t found = find(key, hash); found != kNone) return found;
  if ((keys_.size() + 1) * 2 > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  while (slots_[at] != 0) at = (at + 1) & mask;
  keys_.emplace_back(key);
  newest_.push_back(kNone);
  slots_[at] = static_cast<std::uint32_t>(keys_.size());
  return static_cast<std::uint32_t>(keys_.size() - 1);
}

void AnnualPresentValues::add(int year, std::string_view invBr, double raSadVr) {
  const std::uint32_t key = findOrAdd(invBrKey(invBr));
  // Newest first: the new entry goes after `before` (kNone: at the head), the last entry
  // newer than `year`.
  std::uint32_t before = kNone;
  std::uint32_t at = newest_[key];
  while (at != kNone && entries_[at].year > year) {
    before = at;
    at = entries_[at].older;
  }
  if (at != kNone && entries_[at].year == year) return;  // a later duplicate of the year
  entries_.push_back({year, raSadVr, at});
  const auto added = static_cast<std::uint32_t>(entries_.size() - 1);
  (before == kNone ? newest_[key] : entries_[before].older) = added;
}

void AnnualPresentValues::dropYear(int year) {
  // The other entries copied, chain by chain, into a list of their own.
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  for (std::uint32_t& head : newest_) {
    std::uint32_t* link = &head;
    for (std::uint32_t e = head; e != kNone; e = entries_[e].older) {
      if (entries_[e].year == year) continue;
      kept.push_back({entries_[e].year, entries_[e].value, kNone});
      *link = static_cast<std::uint32_t>(kept.size() - 1);
      link = &kept.back().older;
    }
    *link = kNone;
  }
  entries_ = std::move(kept);
}

double AnnualPresentValues::OBRRASADVR(std::string_view invBr, int newestYear, int oldestYear,
                                       double defaultValue) const {
  const std::string_view key = invBrKey(invBr);
  const std::uint32_t k = nextKey_ < keys_.size() && keys_[nextKey_] == key
                              ? nextKey_
                              : find(key, std::hash<std::string_view>{}(key));
  if (k == kNone) return defaultValue;
  nextKey_ = k + 1;
  for (std::uint32_t e = newest_[k]; e != kNone; e = entries_[e].older) {
    if (entries_[e].year > newestYear) continue;
    if (entries_[e].year < oldestYear) break;
    return entries_[e].value;
  }
  return defaultValue;
}

}  // namespace kavrina::depreciation
