// Lookup of result records by inventory number, as a seek on an index keyed on `InvBr`.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kavrina::depreciation {

// The inventory number as an index key compares it: trailing blanks do not count, so
// "12" and "12" padded to 30 characters are the same key.
inline std::string_view invBrKey(std::string_view invBr) {
  const auto end = invBr.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : invBr.substr(0, end + 1);
}

// An index over a list of rows that have an `InvBr` member. Does not own the rows: the
// list must outlive the index and must not change while the index is used. A seek finds
// the first row, in list order, of a key that occurs more than once.
template <class Row>
class InvBrIndex {
 public:
  explicit InvBrIndex(const std::vector<Row>& rows) : rows_(rows) {
    positions_.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) positions_.try_emplace(invBrKey(rows[i].InvBr), i);
  }

  // The first row with this inventory number, or nullptr.
  const Row* find(std::string_view invBr) const {
    const auto it = positions_.find(invBrKey(invBr));
    return it == positions_.end() ? nullptr : &rows_[it->second];
  }

 private:
  const std::vector<Row>& rows_;
  // Keys are views into the rows' own numbers, which stay put while the index is used.
  std::unordered_map<std::string_view, std::size_t> positions_;
};

}  // namespace kavrina::depreciation
