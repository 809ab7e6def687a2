// Read-ahead for scans in record order: a block of records read from the table file at once,
// and whether the reader asked for a snapshot scan (a shared table may then read ahead too).
// Owns the block and the setting; the table decides when a block may be used (an exclusive
// table, or a snapshot scan) and drops it whenever the file may have changed under it. The
// file and the record layout are handed in with each call.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/os_file.h"
#include "store/dbf/dbf_header.h"

namespace kavrina::store {

class ReadAhead {
 public:
  bool snapshotScan() const { return snapshotScan_; }
  void setSnapshotScan(bool on) { snapshotScan_ = on; }

  void drop() { count_ = 0; }
  // Copies record `recno` into `out` when the block holds it; false otherwise.
  bool copyOut(std::uint32_t recno, std::span<char> out, std::size_t recordLength) const;
  // Reads a block of records from `recno` on, at most up to record `last`, and copies the
  // first into `out`. Returns the records read: -1 when the read failed (the file's
  // lastError()), 0 when it gave not one whole record (nothing is copied then).
  std::int64_t fill(OsFile& file, const DbfHeader& header, std::uint32_t recno, std::uint32_t last,
                    std::span<char> out);
  // Keeps the block the same as the file after record `recno` was written with `record`.
  void update(std::uint32_t recno, std::span<const char> record);

 private:
  bool holds(std::uint32_t recno) const {
    return count_ > 0 && recno >= first_ && recno < first_ + count_;
  }

  std::vector<char> block_;
  std::uint32_t first_ = 0;
  std::uint32_t count_ = 0;
  bool snapshotScan_ = false;
};

}  // namespace kavrina::store
