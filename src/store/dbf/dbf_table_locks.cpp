// Record, file and append locks, appending, deletion marks.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "errors/error.h"
#include "errors/network_error.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::store {

namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

bool DbfTable::holdsLock(std::uint32_t recno) const {
  return std::find(lockedRecords_.begin(), lockedRecords_.end(), recno) != lockedRecords_.end();
}

bool DbfTable::tryRecordLock(std::uint32_t recno) {
  return file_.tryLock(locks::kRecordBase + recno, 1, LockKind::Write) == LockResult::Taken;
}

void DbfTable::releaseRecordLocks() {
  for (std::uint32_t recno : lockedRecords_) file_.unlock(locks::kRecordBase + recno, 1);
  lockedRecords_.clear();
}

void DbfTable::releaseFileLock() {
  if (!fileLocked_) return;
  file_.unlock(locks::kFileStart, locks::kFileLength);
  fileLocked_ = false;
}

bool DbfTable::lockRecord(std::uint32_t recno) {
  std::uint32_t target = recno != 0 ? recno : recNo_;
  if (shared_ && target > count_) refreshCount();
  if (target == 0 || target > count_) return false;
  if (!shared_ || holdsLock(target)) return true;
  // The buffer must reach the file while its record is still locked.
  writeBack();
  releaseFileLock();
  if (!tryRecordLock(target)) return false;
  for (std::uint32_t other : lockedRecords_) file_.unlock(locks::kRecordBase + other, 1);
  lockedRecords_.assign(1, target);
  dropReadCache();
  // Another station may have changed the record before the lock: read it afresh.
  if (target == recNo_ && !eof_) bufferValid_ = false;
  return true;
}

bool DbfTable::lockFile() {
  if (!shared_ || fileLocked_) return true;
  writeBack();
  releaseRecordLocks();
  fileLocked_ =
      file_.tryLock(locks::kFileStart, locks::kFileLength, LockKind::Write) == LockResult::Taken;
  if (fileLocked_) {
    dropReadCache();
    if (!eof_) bufferValid_ = false;
  }
  return fileLocked_;
}

void DbfTable::unlock(std::uint32_t recno) {
  if (!shared_) return;
  writeBack();
  if (!lockedRecords_.empty()) {
    if (recno == 0) {
      releaseRecordLocks();
    } else if (holdsLock(recno)) {
      file_.unlock(locks::kRecordBase + recno, 1);
      lockedRecords_.erase(std::find(lockedRecords_.begin(), lockedRecords_.end(), recno));
    }
  } else {
    releaseFileLock();
  }
}

bool DbfTable::takeAppendLock() {
  // Appenders hold the append lock only for a few writes.
  return file_.waitForLock(locks::kAppend, 1, LockKind::Write) == LockResult::Taken;
}

bool DbfTable::append(bool releaseOtherLocks) {
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  writeBack();
  errors::setNetworkError(false);
  std::uint32_t recno = 0;
  bool appendLocked = false;
  if (shared_ && !batching()) {
    if (releaseOtherLocks) releaseRecordLocks();
    for (;;) {
      // The append lock is held while the file is extended: a station that extended the
      // file without it could take a number whose record another station has just written
      // and released, or write its record while a closing station cuts the file.
      appendLocked = takeAppendLock();
      if (appendLocked) {
        count_ = std::max(count_, countFromHeader());
        recno = count_ + 1;
        if (fileLocked_ || tryRecordLock(recno)) {
          if (!fileLocked_) lockedRecords_.push_back(recno);
          break;
        }
        file_.unlock(locks::kAppend, 1);
        appendLocked = false;
      }
      auto answer = errors::raise(driverError(gen::kAppendLock, sub::kAppendLock, path_.string()));
      if (answer != errors::ErrorAnswer::Retry) return false;
    }
  } else {
    recno = count_ + 1;
  }

  std::fill(buffer_.begin(), buffer_.end(), ' ');
  buffer_[0] = dbf::kLiveFlag;
  recNo_ = recno;
  count_ = recno;
  eof_ = bof_ = found_ = false;
  bufferValid_ = true;
  hot_ = true;
  newRecord_ = true;
  fileChanged_ = true;

  if (shared_ && !batching()) {
    // The blank record (with the end mark after it) claims its place in the file at once,
    // and the header counts it before the append lock goes, so that other stations count it:
    // a record past the header's count belongs to no one.
    std::vector<char> blank(buffer_);
    blank.push_back(dbf::kEndOfFile);
    bool written = file_.writeAt(recordOffset(recno), blank) && writeCount(recno);
    int err = file_.lastError();
    if (appendLocked) file_.unlock(locks::kAppend, 1);
    if (!written) failIo(gen::kWrite, sub::kWrite, err);
  }
  return true;
}

}  // namespace kavrina::store
