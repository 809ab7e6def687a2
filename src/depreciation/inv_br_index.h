// Lookup of result records by inventory number, as a seek on an index keyed on `InvBr`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
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
//
// The calculation asks for the numbers in the order of the register, and the previous
// results were written in that order, so a lookup first tries the row after the one it
// found last; only when that is not it does it probe the hash table (open addressing over
// one array: no allocation per row, no chains to follow).
template <class Row>
class InvBrIndex {
 public:
  explicit InvBrIndex(const std::vector<Row>& rows) : rows_(rows), firstOfKey_(rows.size(), false) {
    std::size_t slots = 16;
    while (slots < rows.size() * 2) slots *= 2;
    slots_.assign(slots, Slot{});
    mask_ = slots - 1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::string_view key = invBrKey(rows[i].InvBr);
      const std::size_t hash = std::hash<std::string_view>{}(key);
      std::size_t at = hash & mask_;
      while (!slots_[at].empty() && !slots_[at].holds(hash, key, *this)) at = (at + 1) & mask_;
      if (!slots_[at].empty()) continue;  // a later row of a key already held
      slots_[at] = Slot{static_cast<std::uint32_t>(i), tagOf(hash)};
      firstOfKey_[i] = true;
    }
  }

  // The first row with this inventory number, or nullptr.
  const Row* find(std::string_view invBr) const {
    const std::string_view key = invBrKey(invBr);
    if (next_ < rows_.size() && firstOfKey_[next_] && keyOf(next_) == key) return &rows_[next_++];
    const std::size_t hash = std::hash<std::string_view>{}(key);
    for (std::size_t at = hash & mask_; !slots_[at].empty(); at = (at + 1) & mask_) {
      if (slots_[at].holds(hash, key, *this)) {
        next_ = slots_[at].row + 1;
        return &rows_[slots_[at].row];
      }
    }
    return nullptr;
  }

 private:
  // A row position with the high bits of its key's hash, so that most probes that meet
  // another key tell it without reading the row.
  struct Slot {
    std::uint32_t row = 0;
    std::uint32_t tag = 0;  // 0: empty
    bool empty() const { return tag == 0; }
    bool holds(std::size_t hash, std::string_view key, const InvBrIndex& index) const {
      return tag == tagOf(hash) && index.keyOf(row) == key;
    }
  };
  static std::uint32_t tagOf(std::size_t hash) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32) | 1u;
  }

  std::string_view keyOf(std::size_t row) const { return invBrKey(rows_[row].InvBr); }

  const std::vector<Row>& rows_;
  std::vector<bool> firstOfKey_;  // whether a row is the first of its key in the list
  std::vector<Slot> slots_;       // at least half of them empty
  std::size_t mask_ = 0;
  mutable std::size_t next_ = 0;  // the row after the last one found
};

}  // namespace kavrina::depreciation
