#include "store/ntx/ntx_page.h"

#include <algorithm>

namespace kavrina::store::ntx {

NtxPage::NtxPage(std::uint32_t offset, std::size_t keySize) : offset_(offset), keySize_(keySize) {}

bool NtxPage::decode(std::span<const char> bytes, const PageGeometry& g, std::uint32_t offset,
                     NtxPage& out, std::string& problem) {
  const char* p = bytes.data();
  const std::size_t count = readU16(p + kOffItemCount);
  if (count > g.maxItems) {
    problem = "page at " + std::to_string(offset) + " holds " + std::to_string(count) +
              " items, more than " + std::to_string(g.maxItems);
    return false;
  }
  out.offset_ = offset;
  out.keySize_ = g.keySize;
  out.children_.resize(count + 1);
  out.recnos_.resize(count);
  out.keys_.resize(count * g.keySize);
  for (std::size_t i = 0; i <= count; ++i) {
    const std::size_t at = readU16(p + kOffItemOffsets + 2 * i);
    if (at < g.firstSlot() || at + g.itemSize > kPageSize) {
      problem =
          "item offset " + std::to_string(at) + " outside the page at " + std::to_string(offset);
      return false;
    }
    out.children_[i] = readU32(p + at + kItemChild);
    if (i == count) break;
    out.recnos_[i] = readU32(p + at + kItemRecno);
    std::memcpy(out.keys_.data() + i * g.keySize, p + at + kItemKey, g.keySize);
  }
  const bool leaf = out.children_.front() == 0;
  for (std::uint32_t c : out.children_) {
    if ((c == 0) != leaf) {
      problem = "page at " + std::to_string(offset) + " mixes leaf and branch pointers";
      return false;
    }
  }
  return true;
}

void NtxPage::encode(const PageGeometry& g, char* out) const {
  std::memset(out, 0, kPageSize);
  writeU16(out + kOffItemCount, static_cast<std::uint16_t>(count()));
  for (std::size_t slot = 0; slot <= g.maxItems; ++slot) {
    const std::size_t at = g.slotOffset(slot);
    writeU16(out + kOffItemOffsets + 2 * slot, static_cast<std::uint16_t>(at));
    if (slot < children_.size()) writeU32(out + at + kItemChild, children_[slot]);
    if (slot < count()) {
      writeU32(out + at + kItemRecno, recnos_[slot]);
      std::memcpy(out + at + kItemKey, keys_.data() + slot * keySize_, keySize_);
    }
  }
}

int NtxPage::compareItem(std::size_t i, std::string_view key, std::uint32_t recno) const {
  int c = std::memcmp(keys_.data() + i * keySize_, key.data(), keySize_);
  if (c != 0) return c;
  return recnos_[i] < recno ? -1 : recnos_[i] > recno ? 1 : 0;
}

std::size_t NtxPage::lowerBound(std::string_view key) const {
  std::size_t lo = 0, hi = count();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (std::memcmp(keys_.data() + mid * keySize_, key.data(), keySize_) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

std::size_t NtxPage::lowerBound(std::string_view key, std::uint32_t recno) const {
  std::size_t lo = 0, hi = count();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (compareItem(mid, key, recno) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

void NtxPage::insertItem(std::size_t index, std::string_view key, std::uint32_t recno,
                         std::uint32_t rightChild) {
  keys_.insert(index * keySize_, key.data(), keySize_);
  recnos_.insert(recnos_.begin() + static_cast<std::ptrdiff_t>(index), recno);
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index) + 1, rightChild);
}

void NtxPage::insertItemWithLeftChild(std::size_t index, std::string_view key, std::uint32_t recno,
                                      std::uint32_t leftChild) {
  keys_.insert(index * keySize_, key.data(), keySize_);
  recnos_.insert(recnos_.begin() + static_cast<std::ptrdiff_t>(index), recno);
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), leftChild);
}

void NtxPage::eraseItemAndRightChild(std::size_t index) {
  keys_.erase(index * keySize_, keySize_);
  recnos_.erase(recnos_.begin() + static_cast<std::ptrdiff_t>(index));
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

void NtxPage::eraseItemAndLeftChild(std::size_t index) {
  keys_.erase(index * keySize_, keySize_);
  recnos_.erase(recnos_.begin() + static_cast<std::ptrdiff_t>(index));
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
}

void NtxPage::setItem(std::size_t index, std::string_view key, std::uint32_t recno) {
  std::memcpy(keys_.data() + index * keySize_, key.data(), keySize_);
  recnos_[index] = recno;
}

void NtxPage::splitInto(std::size_t middle, NtxPage& right) {
  right.keySize_ = keySize_;
  right.keys_.assign(keys_, (middle + 1) * keySize_, std::string::npos);
  right.recnos_.assign(recnos_.begin() + static_cast<std::ptrdiff_t>(middle) + 1, recnos_.end());
  right.children_.assign(children_.begin() + static_cast<std::ptrdiff_t>(middle) + 1,
                         children_.end());
  // The middle item itself goes up to the parent; the caller has copied it.
  keys_.resize(middle * keySize_);
  recnos_.resize(middle);
  children_.resize(middle + 1);
}

void NtxPage::appendMerged(std::string_view sepKey, std::uint32_t sepRecno, const NtxPage& right) {
  keys_.append(sepKey.data(), keySize_);
  recnos_.push_back(sepRecno);
  keys_.append(right.keys_);
  recnos_.insert(recnos_.end(), right.recnos_.begin(), right.recnos_.end());
  children_.insert(children_.end(), right.children_.begin(), right.children_.end());
}

void NtxPage::makeFree(std::uint32_t nextFree) {
  keys_.clear();
  recnos_.clear();
  children_.assign(1, nextFree);
}

}  // namespace kavrina::store::ntx
