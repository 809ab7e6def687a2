// The group reset table and the marking of `NULIRAJGRUPU`.
#include "depreciation/group_resets.h"

#include <cstdio>
#include <utility>

#include "common/decimal.h"
#include "depreciation/inv_br_index.h"

namespace kavrina::depreciation {

GroupResets::GroupResets(std::vector<store::GroupResetMark> records)
    : records_(std::move(records)) {
  for (std::size_t i = 0; i < records_.size(); ++i)
    positions_.try_emplace(std::string(invBrKey(records_[i].InvBr)), i);
}

const store::GroupResetMark* GroupResets::find(std::string_view invBr) const {
  if (positions_.empty()) return nullptr;  // most companies never reset a group
  const auto it = positions_.find(std::string(invBrKey(invBr)));
  return it == positions_.end() ? nullptr : &records_[it->second];
}

bool GroupResets::isReset(std::string_view invBr, int year) const {
  const store::GroupResetMark* record = find(invBr);
  return record && parseNumber(record->GodinaNG) <= year;
}

void GroupResets::mark(std::string_view invBr, int year) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", year);
  const auto [it, added] = positions_.try_emplace(std::string(invBrKey(invBr)), records_.size());
  if (added) {
    records_.push_back({std::string(invBr), text});
  } else {
    records_[it->second].GodinaNG = text;
  }
}

bool isMarkedByReset(const store::AssetRecord& asset, int year, int group) {
  return asset.DatumN.year() <= year && asset.PAgrupa == group;
}

std::size_t markGroup(const std::vector<store::AssetRecord>& mdos, int year, int group,
                      GroupResets& resets) {
  std::size_t marked = 0;
  for (const store::AssetRecord& asset : mdos) {
    if (!isMarkedByReset(asset, year, group)) continue;
    resets.mark(asset.InvBr, year);
    ++marked;
  }
  return marked;
}

}  // namespace kavrina::depreciation
