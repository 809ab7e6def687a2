// The B-tree of an NTX file: insertion with page splits, removal with borrowing and merging
// (emptied pages go to the free list), and the searches and steps that moves need. Every
// operation takes the index lock; every descent is bounded, so that a damaged file whose
// child pointers loop raises the corruption error instead of running forever.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ntx/ntx_file.h"

namespace kavrina::store::ntx {

// More levels than any valid tree can have (a key of 256 bytes gives two items a page, so
// 2^32 records need 32 levels).
constexpr std::size_t kMaxTreeDepth = 40;

class NtxTree {
 public:
  explicit NtxTree(NtxFile& file) : file_(file) {}

  // Inserts (key, recno); equal keys are kept in record-number order.
  void insert(std::string_view key, std::uint32_t recno);
  // Removes the item with this key and record number; false when there is none.
  bool remove(std::string_view key, std::uint32_t recno);

  // The record of the first key equal to `key`, or 0.
  std::uint32_t seekFirst(std::string_view key);
  std::uint32_t first();
  std::uint32_t last();
  // The record after / before the item (key, recno) in key order; when that item is not in
  // the tree, the neighbour of the place where it would be. 0 at either end.
  std::uint32_t next(std::string_view key, std::uint32_t recno);
  std::uint32_t previous(std::string_view key, std::uint32_t recno);
  // The records of up to `most` items after the item (key, recno), as repeated calls of
  // next would give them, read under one lock into `out`; fewer at the end of the index.
  void nextMany(std::string_view key, std::uint32_t recno, std::size_t most,
                std::vector<std::uint32_t>& out);

 private:
  // One level of a path: a page and an index in it. The last step names an item; the steps
  // above it name the child that was followed.
  struct Step {
    std::uint32_t page;
    std::size_t index;
  };
  using Path = std::vector<Step>;

  // The keys a page met on a descent may hold: between the parent's items around it.
  struct Bounds {
    std::shared_ptr<const NtxPage> lowPage, highPage;  // kept alive for the keys below
    std::string_view low, high;
    bool hasLow = false, hasHigh = false;
    // Raises the corruption error when the page's first or last key lies outside.
    void check(const NtxFile& file, const NtxPage& page) const;
    void narrow(const std::shared_ptr<const NtxPage>& page, std::size_t child);
  };

  std::shared_ptr<const NtxPage> fetch(std::uint32_t offset) { return file_.page(offset); }
  void checkDepth(const Path& path) const;

  // Path to the first item not below the key (and record number, when given). False when
  // every item is below it.
  bool lowerBoundPath(Path& path, std::string_view key, std::optional<std::uint32_t> recno);
  bool findExact(Path& path, std::string_view key, std::uint32_t recno);
  bool settleForward(Path& path);
  bool settleBackward(Path& path);
  bool stepForward(Path& path);
  bool stepBackward(Path& path);
  void descendLeftmost(Path& path, std::uint32_t offset);
  void descendRightmost(Path& path, std::uint32_t offset);
  std::uint32_t recnoAt(const Path& path);
  // The record at the end of the path, after checking that its key lies on the right side
  // of `from`.
  std::uint32_t checkedRecno(const Path& path, std::string_view from, bool forward);

  void splitUpwards(Path& path, NtxPage current);
  void rebalanceUpwards(Path& path, NtxPage current);

  NtxFile& file_;
};

}  // namespace kavrina::store::ntx
