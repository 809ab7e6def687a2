#include "store/ntx/ntx_check.h"

#include <unordered_set>

#include "errors/error.h"
#include "store/ntx/ntx_tree.h"

namespace kavrina::store::ntx {
namespace {

class Checker {
 public:
  Checker(NtxFile& file, TreeCheck& out, bool keepEntries)
      : file_(file), out_(out), keepEntries_(keepEntries) {}

  bool walk(std::uint32_t offset, std::size_t depth) {
    if (depth > kMaxTreeDepth) return fail("tree deeper than any valid one");
    if (!seen_.insert(offset).second)
      return fail("page " + std::to_string(offset) + " reached twice");
    ++out_.pages;
    auto page = file_.page(offset);
    if (depth > 1 && page->count() == 0)
      return fail("page " + std::to_string(offset) + " inside the tree holds no items");
    if (page->isLeaf()) {
      if (out_.height == 0) out_.height = depth;
      if (out_.height != depth) return fail("leaves at different depths");
    }
    for (std::size_t i = 0; i <= page->count(); ++i) {
      if (!page->isLeaf() && !walk(page->child(i), depth + 1)) return false;
      if (i == page->count()) break;
      const std::string_view key = page->key(i);
      if (out_.itemCount > 0 && std::string_view(lastKey_) > key)
        return fail("keys out of order at page " + std::to_string(offset));
      lastKey_.assign(key);
      ++out_.itemCount;
      if (keepEntries_) out_.entries.emplace_back(std::string(key), page->recno(i));
    }
    return true;
  }

  bool walkFreeList(std::uint32_t head) {
    for (std::uint32_t offset = head; offset != 0;) {
      if (!seen_.insert(offset).second)
        return fail("free page " + std::to_string(offset) + " is in use or listed twice");
      ++out_.freePages;
      auto page = file_.page(offset);
      if (page->count() != 0) return fail("free page " + std::to_string(offset) + " holds items");
      offset = page->child(0);
    }
    return true;
  }

 private:
  bool fail(std::string problem) {
    out_.problem = std::move(problem);
    return false;
  }

  NtxFile& file_;
  TreeCheck& out_;
  bool keepEntries_;
  std::string lastKey_;
  std::unordered_set<std::uint32_t> seen_;
};

}  // namespace

TreeCheck checkTree(NtxFile& file, bool keepEntries) {
  TreeCheck out;
  try {
    NtxFile::Access access(file);
    // The walk meets every page once, the leaves mostly in the order they lie in the file.
    struct BlockReads {
      NtxFile& file;
      ~BlockReads() { file.setBlockReads(false); }
    } blockReads{file};
    file.setBlockReads(true);
    Checker checker(file, out, keepEntries);
    if (checker.walk(file.root(), 1)) checker.walkFreeList(file.freeListHead());
  } catch (const errors::Error& e) {
    out.problem = e.what();
  }
  return out;
}

}  // namespace kavrina::store::ntx
