// A full structural check of an index file: every page reachable once and within its
// capacity, all leaves at one depth, keys ascending, the free list apart from the tree.
// Used by the tests and the fuzz target; it reports problems instead of raising them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/ntx/ntx_file.h"

namespace kavrina::store::ntx {

struct TreeCheck {
  std::string problem;  // empty when the tree is sound
  std::size_t pages = 0;
  std::size_t freePages = 0;
  std::size_t height = 0;
  std::size_t itemCount = 0;
  // Every item in key order.
  std::vector<std::pair<std::string, std::uint32_t>> entries;

  bool ok() const { return problem.empty(); }
};

// Walks the tree and the free list under the index lock. Without `keepEntries` the items
// are only counted (`itemCount`), not collected.
TreeCheck checkTree(NtxFile& file, bool keepEntries = true);

}  // namespace kavrina::store::ntx
