#include "store/ntx/ntx_tree.h"

namespace kavrina::store::ntx {

void NtxTree::checkDepth(const Path& path) const {
  if (path.size() >= kMaxTreeDepth) file_.corrupt("child pointers loop or the tree is too deep");
}

std::uint32_t NtxTree::recnoAt(const Path& path) {
  return fetch(path.back().page)->recno(path.back().index);
}

bool NtxTree::settleForward(Path& path) {
  // A step above the last names the child followed; the item after that child has its index.
  while (!path.empty() && path.back().index >= fetch(path.back().page)->count()) path.pop_back();
  return !path.empty();
}

bool NtxTree::settleBackward(Path& path) {
  // Each step names the child followed (or the place after the last item): the item before
  // it has the index one lower.
  while (!path.empty()) {
    if (path.back().index > 0) {
      --path.back().index;
      return true;
    }
    path.pop_back();
  }
  return false;
}

void NtxTree::descendLeftmost(Path& path, std::uint32_t offset) {
  for (;;) {
    checkDepth(path);
    auto page = fetch(offset);
    path.push_back({offset, 0});
    if (page->isLeaf()) return;
    offset = page->child(0);
  }
}

void NtxTree::descendRightmost(Path& path, std::uint32_t offset) {
  for (;;) {
    checkDepth(path);
    auto page = fetch(offset);
    path.push_back({offset, page->count()});
    if (page->isLeaf()) return;
    offset = page->child(page->count());
  }
}

bool NtxTree::stepForward(Path& path) {
  auto page = fetch(path.back().page);
  const std::size_t next = ++path.back().index;
  if (!page->isLeaf()) descendLeftmost(path, page->child(next));
  return settleForward(path);
}

bool NtxTree::stepBackward(Path& path) {
  auto page = fetch(path.back().page);
  if (!page->isLeaf()) descendRightmost(path, page->child(path.back().index));
  return settleBackward(path);
}

void NtxTree::Bounds::check(const NtxFile& file, const NtxPage& page) const {
  if (page.count() == 0) return;
  if ((hasLow && page.key(0) < low) || (hasHigh && page.key(page.count() - 1) > high))
    file.corrupt("page " + std::to_string(page.offset()) + " holds keys outside its place");
}

void NtxTree::Bounds::narrow(const std::shared_ptr<const NtxPage>& page, std::size_t child) {
  if (child > 0) {
    lowPage = page;
    low = page->key(child - 1);
    hasLow = true;
  }
  if (child < page->count()) {
    highPage = page;
    high = page->key(child);
    hasHigh = true;
  }
}

bool NtxTree::lowerBoundPath(Path& path, std::string_view key, std::optional<std::uint32_t> recno) {
  path.clear();
  Bounds bounds;
  std::uint32_t offset = file_.root();
  for (;;) {
    checkDepth(path);
    auto page = fetch(offset);
    bounds.check(file_, *page);
    const std::size_t i = recno ? page->lowerBound(key, *recno) : page->lowerBound(key);
    path.push_back({offset, i});
    if (page->isLeaf()) break;
    bounds.narrow(page, i);
    offset = page->child(i);
  }
  return settleForward(path);
}

bool NtxTree::findExact(Path& path, std::string_view key, std::uint32_t recno) {
  if (lowerBoundPath(path, key, recno)) {
    auto page = fetch(path.back().page);
    if (page->compareItem(path.back().index, key, recno) == 0) return true;
  }
  // Equal keys of a file written elsewhere need not be in record-number order: look at
  // each of them.
  if (!lowerBoundPath(path, key, std::nullopt)) return false;
  for (;;) {
    auto page = fetch(path.back().page);
    if (page->key(path.back().index) != key) return false;
    if (page->recno(path.back().index) == recno) return true;
    if (!stepForward(path)) return false;
  }
}

std::uint32_t NtxTree::seekFirst(std::string_view key) {
  NtxFile::Access access(file_);
  Path path;
  if (!lowerBoundPath(path, key, std::nullopt)) return 0;
  auto page = fetch(path.back().page);
  return page->key(path.back().index) == key ? page->recno(path.back().index) : 0;
}

std::uint32_t NtxTree::first() {
  NtxFile::Access access(file_);
  Path path;
  descendLeftmost(path, file_.root());
  return settleForward(path) ? recnoAt(path) : 0;
}

std::uint32_t NtxTree::last() {
  NtxFile::Access access(file_);
  Path path;
  descendRightmost(path, file_.root());
  return settleBackward(path) ? recnoAt(path) : 0;
}

std::uint32_t NtxTree::checkedRecno(const Path& path, std::string_view from, bool forward) {
  auto page = fetch(path.back().page);
  const std::string_view key = page->key(path.back().index);
  // A step against the key order means a damaged tree; going on could run in circles.
  if (forward ? key < from : key > from) file_.corrupt("keys out of order in the tree");
  return page->recno(path.back().index);
}

std::uint32_t NtxTree::next(std::string_view key, std::uint32_t recno) {
  NtxFile::Access access(file_);
  Path path;
  if (findExact(path, key, recno)) return stepForward(path) ? checkedRecno(path, key, true) : 0;
  return lowerBoundPath(path, key, recno) ? checkedRecno(path, key, true) : 0;
}

void NtxTree::nextMany(std::string_view key, std::uint32_t recno, std::size_t most,
                       std::vector<std::uint32_t>& out) {
  out.clear();
  NtxFile::Access access(file_);
  Path path;
  bool onItem = findExact(path, key, recno) ? stepForward(path) : lowerBoundPath(path, key, recno);
  std::string from(key);
  while (onItem && out.size() < most) {
    out.push_back(checkedRecno(path, from, true));
    from.assign(fetch(path.back().page)->key(path.back().index));
    onItem = stepForward(path);
  }
}

std::uint32_t NtxTree::previous(std::string_view key, std::uint32_t recno) {
  NtxFile::Access access(file_);
  Path path;
  if (findExact(path, key, recno) || lowerBoundPath(path, key, recno))
    return stepBackward(path) ? checkedRecno(path, key, false) : 0;
  descendRightmost(path, file_.root());
  return settleBackward(path) ? checkedRecno(path, key, false) : 0;
}

void NtxTree::insert(std::string_view key, std::uint32_t recno) {
  NtxFile::Access access(file_);
  Path path;
  Bounds bounds;
  std::uint32_t offset = file_.root();
  for (;;) {
    checkDepth(path);
    auto page = fetch(offset);
    bounds.check(file_, *page);
    const std::size_t i = page->lowerBound(key, recno);
    path.push_back({offset, i});
    if (page->isLeaf()) break;
    bounds.narrow(page, i);
    offset = page->child(i);
  }
  NtxPage leaf = *fetch(path.back().page);
  leaf.insertItem(path.back().index, key, recno, 0);
  splitUpwards(path, std::move(leaf));
}

void NtxTree::splitUpwards(Path& path, NtxPage current) {
  const std::size_t maxItems = file_.geometry().maxItems;
  std::size_t level = path.size() - 1;
  while (current.count() > maxItems) {
    // The middle item goes up; the items after it move to a new page on the right.
    const std::size_t middle = current.count() / 2;
    const std::string upKey(current.key(middle));
    const std::uint32_t upRecno = current.recno(middle);
    NtxPage right(file_.allocate(), current.keySize());
    current.splitInto(middle, right);
    file_.store(right);
    file_.store(current);
    if (level == 0) {
      NtxPage root(file_.allocate(), current.keySize());
      root.setChild(0, current.offset());
      root.insertItem(0, upKey, upRecno, right.offset());
      file_.store(root);
      file_.setRoot(root.offset());
      return;
    }
    --level;
    NtxPage parent = *fetch(path[level].page);
    parent.insertItem(path[level].index, upKey, upRecno, right.offset());
    current = std::move(parent);
  }
  file_.store(current);
}

bool NtxTree::remove(std::string_view key, std::uint32_t recno) {
  NtxFile::Access access(file_);
  Path path;
  if (!findExact(path, key, recno)) return false;
  const std::size_t i = path.back().index;
  NtxPage page = *fetch(path.back().page);
  if (page.isLeaf()) {
    page.eraseItemAndRightChild(i);
    rebalanceUpwards(path, std::move(page));
    return true;
  }
  // An item of a branch page is replaced by the greatest item before it, which lies in a leaf.
  descendRightmost(path, page.child(i));
  NtxPage leaf = *fetch(path.back().page);
  if (leaf.count() == 0) file_.corrupt("empty page inside the tree");
  const std::size_t last = leaf.count() - 1;
  page.setItem(i, leaf.key(last), leaf.recno(last));
  file_.store(page);
  leaf.eraseItemAndRightChild(last);
  rebalanceUpwards(path, std::move(leaf));
  return true;
}

void NtxTree::rebalanceUpwards(Path& path, NtxPage current) {
  const PageGeometry& g = file_.geometry();
  std::size_t level = path.size() - 1;
  for (;;) {
    if (level == 0) {
      if (current.count() == 0 && !current.isLeaf()) {
        // The root lost its last item: its only child becomes the root.
        file_.setRoot(current.child(0));
        file_.release(current.offset());
      } else {
        file_.store(current);
      }
      return;
    }
    if (current.count() >= g.halfPage) {
      file_.store(current);
      return;
    }
    NtxPage parent = *fetch(path[level - 1].page);
    const std::size_t c = path[level - 1].index;
    if (c > parent.count() || parent.child(c) != current.offset())
      file_.corrupt("path through the tree changed under the update");
    if (c > 0) {
      NtxPage left = *fetch(parent.child(c - 1));
      if (left.count() + current.count() + 1 <= g.maxItems) {
        left.appendMerged(parent.key(c - 1), parent.recno(c - 1), current);
        file_.store(left);
        file_.release(current.offset());
        parent.eraseItemAndRightChild(c - 1);
        current = std::move(parent);
        --level;
        continue;
      }
      // Borrow the last item of the left sibling through the parent.
      const std::size_t n = left.count() - 1;
      current.insertItemWithLeftChild(0, parent.key(c - 1), parent.recno(c - 1), left.child(n + 1));
      parent.setItem(c - 1, left.key(n), left.recno(n));
      left.eraseItemAndRightChild(n);
      file_.store(left);
    } else {
      if (parent.count() == 0) file_.corrupt("branch page without items inside the tree");
      NtxPage right = *fetch(parent.child(c + 1));
      if (current.count() + right.count() + 1 <= g.maxItems) {
        current.appendMerged(parent.key(c), parent.recno(c), right);
        file_.store(current);
        file_.release(right.offset());
        parent.eraseItemAndRightChild(c);
        current = std::move(parent);
        --level;
        continue;
      }
      // Borrow the first item of the right sibling through the parent.
      current.insertItem(current.count(), parent.key(c), parent.recno(c), right.child(0));
      parent.setItem(c, right.key(0), right.recno(0));
      right.eraseItemAndLeftChild(0);
      file_.store(right);
    }
    file_.store(current);
    file_.store(parent);
    return;
  }
}

}  // namespace kavrina::store::ntx
