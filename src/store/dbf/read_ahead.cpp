// Read-ahead blocks of a scan in record order.
#include "store/dbf/read_ahead.h"

#include <algorithm>
#include <cstring>

namespace kavrina::store {

namespace {
// Read-ahead block of a scan in record order.
constexpr std::size_t kReadAheadBytes = 64 * 1024;
}  // namespace

bool ReadAhead::copyOut(std::uint32_t recno, std::span<char> out, std::size_t recordLength) const {
  if (!holds(recno)) return false;
  std::memcpy(out.data(), block_.data() + static_cast<std::size_t>(recno - first_) * recordLength,
              recordLength);
  return true;
}

std::int64_t ReadAhead::fill(OsFile& file, const DbfHeader& header, std::uint32_t recno,
                             std::uint32_t last, std::span<char> out) {
  const std::size_t length = header.recordLength;
  std::uint32_t want =
      static_cast<std::uint32_t>(std::max<std::size_t>(1, kReadAheadBytes / length));
  want = std::min<std::uint32_t>(want, last - recno + 1);
  block_.resize(static_cast<std::size_t>(want) * length);
  const ssize_t got =
      file.readAt(header.headerLength + static_cast<std::uint64_t>(recno - 1) * length, block_);
  if (got < 0) return -1;
  first_ = recno;
  count_ = static_cast<std::uint32_t>(static_cast<std::size_t>(got) / length);
  if (count_ == 0) return 0;
  std::memcpy(out.data(), block_.data(), length);
  return count_;
}

void ReadAhead::update(std::uint32_t recno, std::span<const char> record) {
  if (!holds(recno)) return;
  std::memcpy(block_.data() + static_cast<std::size_t>(recno - first_) * record.size(),
              record.data(), record.size());
}

}  // namespace kavrina::store
