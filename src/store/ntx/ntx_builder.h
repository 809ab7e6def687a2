// Building a whole tree at once from keys in order, pages written bottom-up (each page after
// its children), instead of inserting one key at a time; and the sort that puts the keys of
// a table in that order.
#pragma once

#include <cstdint>
#include <vector>

#include "store/ntx/ntx_file.h"

namespace kavrina::store::ntx {

// The keys of a table with their record numbers: key i is keys[i × keySize ...].
struct KeyList {
  std::size_t keySize = 0;
  std::vector<char> keys;
  std::vector<std::uint32_t> recnos;

  std::size_t size() const { return recnos.size(); }
  const char* key(std::size_t i) const { return keys.data() + i * keySize; }
};

// Sorts the list by key, equal keys by record number (as KeyList order was by record
// number, the sort keeps that order among equal keys).
void sortKeys(KeyList& list);

// Replaces every page of `file` by a tree of the sorted keys: the fewest levels that hold
// them, the keys spread evenly so that each page but the root is at least half full. Writes
// the header's root and free-page offsets at the end.
void buildTree(NtxFile& file, const KeyList& sorted);

}  // namespace kavrina::store::ntx
