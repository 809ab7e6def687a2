// Appended records gathered into one write.
#include "store/dbf/pending_appends.h"

namespace kavrina::store {

namespace {
// Appended records gathered before one write.
constexpr std::size_t kGatherBytes = 1024 * 1024;
}  // namespace

bool PendingAppends::flush(OsFile& file, const DbfHeader& header) {
  if (pending_.empty()) return true;
  const std::uint64_t offset =
      header.headerLength + static_cast<std::uint64_t>(first_ - 1) * header.recordLength;
  if (!file.writeAt(offset, pending_)) return false;
  pending_.clear();
  return true;
}

bool PendingAppends::queue(OsFile& file, const DbfHeader& header, std::uint32_t recno,
                           std::span<const char> record) {
  // A record joins the batch when it follows the last one waiting.
  const auto waiting = static_cast<std::uint32_t>(pending_.size() / header.recordLength);
  if (!pending_.empty() && recno != first_ + waiting && !flush(file, header)) return false;
  if (pending_.empty()) {
    first_ = recno;
    pending_.reserve(kGatherBytes + record.size());
  }
  pending_.insert(pending_.end(), record.begin(), record.end());
  if (pending_.size() >= kGatherBytes) return flush(file, header);
  return true;
}

}  // namespace kavrina::store
