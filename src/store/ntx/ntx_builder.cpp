#include "store/ntx/ntx_builder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <numeric>

#include "errors/error.h"

namespace kavrina::store::ntx {
namespace {

// Pages are collected and written in blocks of this size.
constexpr std::size_t kWriteBlockBytes = 1 << 20;

struct SortItem {
  std::uint64_t prefix;  // the first 8 key bytes after the common prefix, big-endian
  std::uint32_t recno;
  std::uint32_t index;
};

// Sorts the items by prefix, keeping the order of equal prefixes: one counting pass per
// byte from the lowest, passing over the bytes that are the same in every item (the blanks
// after short numbers, for one).
void radixSortByPrefix(std::vector<SortItem>& items) {
  std::uint64_t differing = 0;
  for (const SortItem& item : items) differing |= item.prefix ^ items.front().prefix;
  std::vector<SortItem> other(items.size());
  for (int shift = 0; shift < 64; shift += 8) {
    if (((differing >> shift) & 0xFF) == 0) continue;
    std::size_t start[257] = {};
    for (const SortItem& item : items) ++start[((item.prefix >> shift) & 0xFF) + 1];
    for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
    for (const SortItem& item : items) other[start[(item.prefix >> shift) & 0xFF]++] = item;
    items.swap(other);
  }
}

class PageWriter {
 public:
  PageWriter(NtxFile& file, const KeyList& keys)
      : file_(file), keys_(keys), geometry_(file.geometry()) {
    buffer_.reserve(kWriteBlockBytes);
  }

  std::uint32_t build(std::size_t first, std::size_t count, int height) {
    NtxPage page(0, geometry_.keySize);
    if (height == 1) {
      for (std::size_t j = 0; j < count; ++j)
        page.insertItem(j, key(first + j), keys_.recnos[first + j], 0);
      return emit(page);
    }
    const std::uint64_t childCapacity = capacity(height - 1);
    // The fewest children that hold the keys, with the keys spread evenly over them.
    const std::size_t children =
        static_cast<std::size_t>((count + 1 + childCapacity) / (childCapacity + 1));
    const std::size_t spread = count - (children - 1);
    const std::size_t base = spread / children;
    const std::size_t extra = spread % children;
    std::size_t at = first;
    for (std::size_t j = 0; j < children; ++j) {
      const std::size_t n = base + (j < extra ? 1 : 0);
      const std::uint32_t child = build(at, n, height - 1);
      at += n;
      if (j == 0) {
        page.setChild(0, child);
      } else {
        page.insertItem(j - 1, key(at - n - 1), keys_.recnos[at - n - 1], child);
      }
      if (j + 1 < children) ++at;  // the separator before the next child
    }
    return emit(page);
  }

  // Most keys a tree of `height` levels can hold.
  std::uint64_t capacity(int height) const {
    const std::uint64_t fanout = geometry_.maxItems + 1u;
    std::uint64_t cap = geometry_.maxItems;
    for (int h = 1; h < height; ++h) {
      if (cap >= std::numeric_limits<std::uint64_t>::max() / fanout - 1)
        return std::numeric_limits<std::uint64_t>::max() / 2;
      cap = (cap + 1) * fanout - 1;
    }
    return cap;
  }

  void flush() {
    if (buffer_.empty()) return;
    file_.writePages(bufferStart_, buffer_);
    bufferStart_ += buffer_.size();
    buffer_.clear();
  }

  std::uint64_t end() const { return next_; }

 private:
  std::string_view key(std::size_t i) const {
    return std::string_view(keys_.key(i), keys_.keySize);
  }

  std::uint32_t emit(const NtxPage& page) {
    const auto offset = static_cast<std::uint32_t>(next_);
    if (next_ + kPageSize > std::numeric_limits<std::uint32_t>::max())
      file_.failIo(errors::gen::kWrite, errors::sub::kWrite, EFBIG);
    const std::size_t at = buffer_.size();
    buffer_.resize(at + kPageSize);
    page.encode(geometry_, buffer_.data() + at);
    next_ += kPageSize;
    if (buffer_.size() >= kWriteBlockBytes) flush();
    return offset;
  }

  NtxFile& file_;
  const KeyList& keys_;
  const PageGeometry& geometry_;
  std::vector<char> buffer_;
  std::uint64_t bufferStart_ = kPageSize;
  std::uint64_t next_ = kPageSize;
};

}  // namespace

void sortKeys(KeyList& list) {
  const std::size_t n = list.size();
  const std::size_t k = list.keySize;
  if (n < 2) return;
  // Keys often share a long prefix (leading zeros of numbers): compare after it.
  std::size_t common = k;
  const char* first = list.key(0);
  for (std::size_t i = 1; i < n && common > 0; ++i) {
    const char* other = list.key(i);
    if (std::memcmp(first, other, common) == 0) continue;
    std::size_t j = 0;
    while (j < common && first[j] == other[j]) ++j;
    common = j;
  }
  const std::size_t prefixBytes = std::min<std::size_t>(8, k - common);
  const std::size_t restOffset = common + prefixBytes;
  const std::size_t restBytes = k - restOffset;

  std::vector<SortItem> items(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto* p = reinterpret_cast<const unsigned char*>(list.key(i) + common);
    std::uint64_t prefix = 0;
    for (std::size_t b = 0; b < 8; ++b) prefix = (prefix << 8) | (b < prefixBytes ? p[b] : 0u);
    items[i] = {prefix, list.recnos[i], static_cast<std::uint32_t>(i)};
  }
  const char* keys = list.keys.data();
  radixSortByPrefix(items);
  // Items with the same first bytes are put in order by the rest of the key, then by record
  // number; most such runs are a single item.
  const auto byRest = [&](const SortItem& a, const SortItem& b) {
    if (restBytes > 0) {
      int c =
          std::memcmp(keys + a.index * k + restOffset, keys + b.index * k + restOffset, restBytes);
      if (c != 0) return c < 0;
    }
    return a.recno < b.recno;
  };
  for (std::size_t run = 0; run < n;) {
    std::size_t end = run + 1;
    while (end < n && items[end].prefix == items[run].prefix) ++end;
    if (end - run > 1) std::sort(items.begin() + run, items.begin() + end, byRest);
    run = end;
  }

  std::vector<char> sortedKeys(n * k);
  for (std::size_t i = 0; i < n; ++i) {
    std::memcpy(sortedKeys.data() + i * k, keys + items[i].index * k, k);
    list.recnos[i] = items[i].recno;
  }
  list.keys.swap(sortedKeys);
}

void buildTree(NtxFile& file, const KeyList& sorted) {
  NtxFile::Access access(file);
  file.resetPages();
  PageWriter writer(file, sorted);
  int height = 1;
  while (writer.capacity(height) < sorted.size()) ++height;
  const std::uint32_t root = writer.build(0, sorted.size(), height);
  writer.flush();
  file.finishBuild(root, writer.end());
}

}  // namespace kavrina::store::ntx
