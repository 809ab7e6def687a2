#include "store/ntx/ntx_header.h"

#include <algorithm>
#include <cstring>

namespace kavrina::store::ntx {

PageGeometry geometryForKeySize(std::size_t keySize) {
  PageGeometry g;
  const std::size_t e = 1020 / (keySize + 10);
  g.keySize = static_cast<std::uint16_t>(keySize);
  g.itemSize = static_cast<std::uint16_t>(keySize + kItemOverhead);
  g.halfPage = static_cast<std::uint16_t>((e - 1) / 2);
  g.maxItems = static_cast<std::uint16_t>(2 * g.halfPage);
  return g;
}

namespace {

void putText(char* at, std::size_t room, const std::string& text) {
  // Room includes the terminating 0x00; the page is zero already.
  std::memcpy(at, text.data(), std::min(text.size(), room - 1));
}

// A 0x00-terminated text inside `room` bytes; false when no terminator is found.
bool getText(const char* at, std::size_t room, std::string& out) {
  const void* end = std::memchr(at, 0, room);
  if (end == nullptr) return false;
  out.assign(at, static_cast<const char*>(end));
  return true;
}

}  // namespace

std::array<char, kLiveHeaderSize> encodeLiveHeader(const LiveHeader& live) {
  std::array<char, kLiveHeaderSize> out{};
  writeU16(out.data() + kOffSignature, live.signature);
  writeU16(out.data() + kOffCounter, live.counter);
  writeU32(out.data() + kOffRoot, live.root);
  writeU32(out.data() + kOffFree, live.freePage);
  return out;
}

LiveHeader decodeLiveHeader(std::span<const char> bytes) {
  LiveHeader live;
  live.signature = readU16(bytes.data() + kOffSignature);
  live.counter = readU16(bytes.data() + kOffCounter);
  live.root = readU32(bytes.data() + kOffRoot);
  live.freePage = readU32(bytes.data() + kOffFree);
  return live;
}

std::array<char, kPageSize> encodeHeader(const NtxHeader& header) {
  std::array<char, kPageSize> page{};
  auto live = encodeLiveHeader(header.live);
  std::memcpy(page.data(), live.data(), live.size());
  writeU16(page.data() + kOffItemSize, header.geometry.itemSize);
  writeU16(page.data() + kOffKeySize, header.geometry.keySize);
  writeU16(page.data() + kOffDecimals, header.decimals);
  writeU16(page.data() + kOffMaxItems, header.geometry.maxItems);
  writeU16(page.data() + kOffHalfPage, header.geometry.halfPage);
  putText(page.data() + kOffExpression, kExpressionSize, header.expression);
  page[kOffUnique] = header.unique ? 1 : 0;
  page[kOffDescending] = header.descending ? 1 : 0;
  putText(page.data() + kOffCondition, kConditionSize, header.condition);
  putText(page.data() + kOffOrderName, kOrderNameSize, header.orderName);
  return page;
}

bool parseHeader(std::span<const char> page, NtxHeader& header, std::string& problem) {
  if (page.size() < kPageSize) {
    problem = "index header shorter than one page";
    return false;
  }
  const char* p = page.data();
  header.live = decodeLiveHeader(page);
  if (header.live.signature != kSignature && header.live.signature != kSignatureConditional) {
    problem = "not an index file (signature " + std::to_string(header.live.signature) + ")";
    return false;
  }
  const std::uint16_t keySize = readU16(p + kOffKeySize);
  if (keySize == 0 || keySize > kMaxKeySize) {
    problem = "key size " + std::to_string(keySize) + " out of range";
    return false;
  }
  const PageGeometry expected = geometryForKeySize(keySize);
  header.geometry.keySize = keySize;
  header.geometry.itemSize = readU16(p + kOffItemSize);
  header.geometry.maxItems = readU16(p + kOffMaxItems);
  header.geometry.halfPage = readU16(p + kOffHalfPage);
  if (header.geometry.itemSize != expected.itemSize ||
      header.geometry.maxItems != expected.maxItems ||
      header.geometry.halfPage != expected.halfPage) {
    problem = "item size or page capacity disagrees with the key size";
    return false;
  }
  header.decimals = readU16(p + kOffDecimals);
  if (header.decimals != 0 && (header.decimals > kMaxKeyDecimals || header.decimals >= keySize)) {
    problem = "key decimals out of range";
    return false;
  }
  if (!getText(p + kOffExpression, kExpressionSize, header.expression) ||
      header.expression.empty()) {
    problem = "key expression missing or not terminated";
    return false;
  }
  header.unique = p[kOffUnique] != 0;
  header.descending = p[kOffDescending] != 0;
  if (!getText(p + kOffCondition, kConditionSize, header.condition) ||
      !getText(p + kOffOrderName, kOrderNameSize, header.orderName)) {
    problem = "condition or order name not terminated";
    return false;
  }
  // This program neither writes nor follows descending or conditional indexes.
  if (header.descending || !header.condition.empty()) {
    problem = "descending or conditional index";
    return false;
  }
  return true;
}

bool isPageOffset(std::uint64_t offset, std::uint64_t fileSize) {
  return offset >= kPageSize && offset % kPageSize == 0 && offset + kPageSize <= fileSize;
}

}  // namespace kavrina::store::ntx
