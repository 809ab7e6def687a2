// The group reset table `MDNG` as values, and the marking rule of `NULIRAJGRUPU`.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/records.h"

namespace kavrina::depreciation {

// The records of `MDNG` (inventory number and the year from which its tax group is
// reset), in record order, with a seek by inventory number. Owns its records.
class GroupResets {
 public:
  GroupResets() = default;
  explicit GroupResets(std::vector<store::GroupResetMark> records);

  const std::vector<store::GroupResetMark>& records() const { return records_; }

  // The first record of this inventory number (trailing blanks do not count), or nullptr.
  // The pointer stays valid until the next mark().
  const store::GroupResetMark* find(std::string_view invBr) const;

  // Tax step T3.4: the asset is listed and the numeric value of its `GodinaNG` is not
  // greater than `year`. A blank `GodinaNG` has the value 0, as a numeric reading gives.
  bool isReset(std::string_view invBr, int year) const;

  // `NULIRAJGRUPU` step 7 for one asset: sets `GodinaNG` of its record to `year` as four
  // digits, appending the record when the asset has none.
  void mark(std::string_view invBr, int year);

 private:
  // Position of the first record of each key in records_.
  std::unordered_map<std::string, std::size_t> positions_;
  std::vector<store::GroupResetMark> records_;
};

// True when `NULIRAJGRUPU` for reset year `year` and group `group` marks the asset: it was
// acquired in `year` or earlier (an empty acquisition date counts as year 0) and its
// `PAgrupa` is `group`. Written-off assets are marked like the others.
bool isMarkedByReset(const store::AssetRecord& asset, int year, int group);

// `NULIRAJGRUPU` step 7 over the register in index order: marks every asset that
// isMarkedByReset. Returns how many assets were marked.
std::size_t markGroup(const std::vector<store::AssetRecord>& mdos, int year, int group,
                      GroupResets& resets);

}  // namespace kavrina::depreciation
