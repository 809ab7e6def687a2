// One tree page of an NTX file held in memory as three parallel arrays, so that items can be
// searched, inserted, removed and moved between pages before the page is written back.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/ntx/ntx_header.h"

namespace kavrina::store::ntx {

class NtxPage {
 public:
  NtxPage() = default;
  // An empty page (one child pointer, 0) for keys of `keySize` bytes.
  NtxPage(std::uint32_t offset, std::size_t keySize);

  // Reads a page from its bytes, following the item offsets it holds. Returns false and sets
  // `problem` when the count is above the maximum, an item lies outside the page, or some
  // but not all child pointers are 0.
  static bool decode(std::span<const char> bytes, const PageGeometry& geometry,
                     std::uint32_t offset, NtxPage& out, std::string& problem);
  // The page's bytes with the items in order in their slots (page size; unused bytes 0).
  void encode(const PageGeometry& geometry, char* out) const;

  std::uint32_t offset() const { return offset_; }
  void setOffset(std::uint32_t offset) { offset_ = offset; }
  std::size_t keySize() const { return keySize_; }
  std::size_t count() const { return recnos_.size(); }
  bool isLeaf() const { return children_.front() == 0; }

  // Child i holds the keys before item i; child count() those after the last item.
  std::uint32_t child(std::size_t i) const { return children_[i]; }
  void setChild(std::size_t i, std::uint32_t offset) { children_[i] = offset; }
  std::uint32_t recno(std::size_t i) const { return recnos_[i]; }
  std::string_view key(std::size_t i) const {
    return std::string_view(keys_.data() + i * keySize_, keySize_);
  }

  // Compares item i with (key, recno): key bytes first, then the record number.
  int compareItem(std::size_t i, std::string_view key, std::uint32_t recno) const;
  // The first item whose key is not below `key` (count() when there is none).
  std::size_t lowerBound(std::string_view key) const;
  // The first item not below (key, recno).
  std::size_t lowerBound(std::string_view key, std::uint32_t recno) const;

  // Inserts an item at `index` whose key, record and left child are given; the child
  // pointer that follows it (`rightChild`) is inserted after it.
  void insertItem(std::size_t index, std::string_view key, std::uint32_t recno,
                  std::uint32_t rightChild);
  // Inserts an item at `index` with `leftChild` inserted before it (the old child at
  // `index` follows the new item).
  void insertItemWithLeftChild(std::size_t index, std::string_view key, std::uint32_t recno,
                               std::uint32_t leftChild);
  // Removes item `index` and the child pointer after it.
  void eraseItemAndRightChild(std::size_t index);
  // Removes item `index` and the child pointer before it.
  void eraseItemAndLeftChild(std::size_t index);
  void setItem(std::size_t index, std::string_view key, std::uint32_t recno);

  // Split: the items after `middle`, with the child pointers from middle + 1 on, move into
  // `right`; item `middle` is dropped (the caller has copied it up to the parent).
  void splitInto(std::size_t middle, NtxPage& right);
  // Appends the separator and all of `right` (merge of two siblings).
  void appendMerged(std::string_view sepKey, std::uint32_t sepRecno, const NtxPage& right);

  // A freed page: no items, its one child pointer naming the next free page.
  void makeFree(std::uint32_t nextFree);

 private:
  std::uint32_t offset_ = 0;
  std::size_t keySize_ = 0;
  std::vector<std::uint32_t> children_{0};
  std::vector<std::uint32_t> recnos_;
  std::string keys_;
};

}  // namespace kavrina::store::ntx
