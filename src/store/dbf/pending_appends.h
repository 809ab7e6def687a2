// Appended records not yet in the table file: whole records from one number on, written with
// one call when a megabyte has gathered, when a record does not follow them, or when the
// table asks (before anything reads the table, writes elsewhere in it, brings its header up
// to date, flushes or closes it). The file then holds exactly what record-by-record writes
// would have left. Owns the waiting bytes; the table decides which appends may wait and
// hands in the file and the record layout.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/os_file.h"
#include "store/dbf/dbf_header.h"

namespace kavrina::store {

class PendingAppends {
 public:
  bool empty() const { return pending_.empty(); }
  // Forgets the waiting records (their file is dropped, or they were emptied away).
  void clear() { pending_.clear(); }
  // Writes the waiting records; false on failure (the file's lastError()), and they keep
  // waiting.
  bool flush(OsFile& file, const DbfHeader& header);
  // Adds record `recno` to the waiting ones, writing first those it does not follow and
  // afterwards all once a megabyte has gathered. False when a write fails, as flush().
  bool queue(OsFile& file, const DbfHeader& header, std::uint32_t recno,
             std::span<const char> record);

 private:
  std::vector<char> pending_;
  std::uint32_t first_ = 0;
};

}  // namespace kavrina::store
