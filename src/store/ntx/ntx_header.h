// The header page of an NTX index file and the page geometry that follows from its key size,
// as laid out in FORMAT.md. Parsing checks every rule the tree code relies on.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "common/little_endian.h"

namespace kavrina::store::ntx {

constexpr std::size_t kPageSize = 1024;
constexpr std::uint16_t kSignature = 6;
constexpr std::uint16_t kSignatureConditional = 7;
constexpr std::size_t kMaxKeySize = 256;
constexpr std::size_t kMaxKeyDecimals = 254;
constexpr std::size_t kItemOverhead = 8;  // child offset and record number before the key

// Header page offsets.
constexpr std::size_t kOffSignature = 0;
constexpr std::size_t kOffCounter = 2;
constexpr std::size_t kOffRoot = 4;
constexpr std::size_t kOffFree = 8;
constexpr std::size_t kLiveHeaderSize = 12;  // the part rewritten after every update
constexpr std::size_t kOffItemSize = 12;
constexpr std::size_t kOffKeySize = 14;
constexpr std::size_t kOffDecimals = 16;
constexpr std::size_t kOffMaxItems = 18;
constexpr std::size_t kOffHalfPage = 20;
constexpr std::size_t kOffExpression = 22;
constexpr std::size_t kExpressionSize = 256;
constexpr std::size_t kOffUnique = 278;
constexpr std::size_t kOffDescending = 280;
constexpr std::size_t kOffCondition = 282;
constexpr std::size_t kConditionSize = 256;
constexpr std::size_t kOffOrderName = 538;
constexpr std::size_t kOrderNameSize = 11;

// Tree page offsets: the item count, then one 2-byte item offset per slot.
constexpr std::size_t kOffItemCount = 0;
constexpr std::size_t kOffItemOffsets = 2;
// Within an item.
constexpr std::size_t kItemChild = 0;
constexpr std::size_t kItemRecno = 4;
constexpr std::size_t kItemKey = 8;

// Items per page for a key size: maximum and half page.
struct PageGeometry {
  std::uint16_t keySize = 0;
  std::uint16_t itemSize = 0;
  std::uint16_t maxItems = 0;
  std::uint16_t halfPage = 0;
  // Offset of the first item slot: 2 × maximum + 4.
  std::size_t firstSlot() const { return 2u * maxItems + 4u; }
  std::size_t slotOffset(std::size_t slot) const { return firstSlot() + slot * itemSize; }
};

// The geometry for key size 1..256 (e = 1020 ÷ (k + 10), half = (e − 1) ÷ 2, max = 2 × half).
PageGeometry geometryForKeySize(std::size_t keySize);

// The first 12 bytes: what changes while the index is in use.
struct LiveHeader {
  std::uint16_t signature = kSignature;
  std::uint16_t counter = 1;
  std::uint32_t root = 0;
  std::uint32_t freePage = 0;
};

struct NtxHeader {
  LiveHeader live;
  PageGeometry geometry;
  std::uint16_t decimals = 0;
  std::string expression;
  bool unique = false;
  bool descending = false;
  std::string condition;
  std::string orderName;
};

std::array<char, kPageSize> encodeHeader(const NtxHeader& header);
std::array<char, kLiveHeaderSize> encodeLiveHeader(const LiveHeader& live);
LiveHeader decodeLiveHeader(std::span<const char> bytes);

// Parses a header page. Checks the signature, the key size and the geometry derived from
// it, the decimals and the terminated texts; the root and free offsets are checked against
// the file by the caller. Sets `problem` and returns false when the page is unusable.
bool parseHeader(std::span<const char> page, NtxHeader& header, std::string& problem);

// Whether `offset` may address a tree page of a file of `fileSize` bytes: a whole page
// after the header, on a page boundary.
bool isPageOffset(std::uint64_t offset, std::uint64_t fileSize);

using le::readU16;
using le::readU32;
using le::writeU16;
using le::writeU32;

}  // namespace kavrina::store::ntx
