// `OBRRASADVR`: the accounting present value of an asset from the newest annual
// accounting result that holds it, over values read once per list load.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::depreciation {

// The `RASadVr` of every asset in every annual accounting result A(year)12R, gathered
// once so that the asset list does not open a result table per asset. Owns its values.
class AnnualPresentValues {
 public:
  // Records the `RASadVr` of one record of A(year)12R. Records of one year must be added
  // in record order: as a seek does, the first record of an inventory number counts.
  void add(int year, std::string_view invBr, double raSadVr);

  // Makes room for `records` more records of one year, most of them numbers already held
  // from other years, so that adding them moves and rehashes nothing.
  void reserve(std::size_t records);

  // Forgets the values of one year (its result table was recalculated or deleted).
  void dropYear(int year);
  void clear();

  // `OBRRASADVR`: the value from the newest year from `newestYear` down to `oldestYear`
  // whose annual result holds `invBr` (trailing blanks do not count), or `defaultValue`
  // when none does (also when `oldestYear` is after `newestYear`).
  double OBRRASADVR(std::string_view invBr, int newestYear, int oldestYear,
                    double defaultValue) const;

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // One year's value of one asset, linked to the asset's next older year.
  struct Entry {
    int year = 0;
    double value = 0;
    std::uint32_t older = kNone;
  };

  // The position in keys_ of `key` (its hash given), or kNone.
  std::uint32_t find(std::string_view key, std::size_t hash) const;
  // The position of `key`, added when missing.
  std::uint32_t findOrAdd(std::string_view key);
  // Doubles the hash table, or makes it hold at least `keys` keys, and rehashes.
  void grow(std::size_t keys = 0);

  // Per inventory-number key: its newest entry; the entries of a key run newest year first,
  // one per year. Flat arrays and open addressing rather than a node per asset: a list load
  // reads a hundred thousand values and looks as many up.
  std::vector<std::string> keys_;
  std::vector<std::uint32_t> newest_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // key position + 1; 0 empty; at most half of them used
  // The list asks in the order of the register, and the results were written in that order:
  // the key after the one found last is tried before the hash table.
  mutable std::uint32_t nextKey_ = 0;
};

}  // namespace kavrina::depreciation
