// The locks one work area holds on a shared table: its record locks and its file lock, and
// the append lock it takes for a few writes. Owns the list of what is held; the file they are
// taken on is handed in with each call (it is the table's, and moves during a rewrite). Takes
// and gives locks only when asked: when to write the record back or drop read-ahead before a
// lock changes is the table's concern.
#pragma once

#include <cstdint>
#include <vector>

#include "common/os_file.h"

namespace kavrina::store {

class LockSet {
 public:
  bool holdsRecord(std::uint32_t recno) const;
  bool holdsFile() const { return fileLocked_; }

  // Tries the lock of record `recno` without waiting; a lock taken is not yet listed.
  static bool tryRecord(OsFile& file, std::uint32_t recno);
  // Lists a record lock just taken.
  void addRecord(std::uint32_t recno) { records_.push_back(recno); }
  // Keeps only the lock of `recno` (just taken), giving up the other record locks.
  void keepOnlyRecord(OsFile& file, std::uint32_t recno);
  // Gives up the lock of `recno` when it is held.
  void releaseRecord(OsFile& file, std::uint32_t recno);
  bool anyRecord() const { return !records_.empty(); }
  void releaseRecords(OsFile& file);

  // Tries the file lock; true when it is held afterwards.
  bool tryFile(OsFile& file);
  void releaseFile(OsFile& file);

  // Waits about a second for the append lock; false when another station keeps it.
  static bool takeAppend(OsFile& file);
  // Tries the append lock once.
  static bool tryAppend(OsFile& file);
  static void releaseAppend(OsFile& file);

 private:
  bool fileLocked_ = false;
  std::vector<std::uint32_t> records_;
};

}  // namespace kavrina::store
