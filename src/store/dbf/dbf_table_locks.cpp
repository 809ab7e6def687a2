// Taking and giving record, file and append locks, and appending.
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
  return locks_.holdsRecord(recno);
}

bool DbfTable::lockRecord(std::uint32_t recno) {
  std::uint32_t target = recno != 0 ? recno : cursor_.recNo();
  if (shared_ && target > count_) refreshCount();
  if (target == 0 || target > count_) return false;
  if (!shared_ || holdsLock(target)) return true;
  // The buffer must reach the file while its record is still locked.
  writeBack();
  releaseFileLock();
  if (!LockSet::tryRecord(file_, target)) return false;
  locks_.keepOnlyRecord(file_, target);
  readAhead_.drop();
  // Another station may have changed the record before the lock: read it afresh.
  if (target == cursor_.recNo() && !cursor_.eof()) cursor_.invalidate();
  return true;
}

bool DbfTable::lockFile() {
  if (!shared_ || locks_.holdsFile()) return true;
  writeBack();
  releaseRecordLocks();
  if (!locks_.tryFile(file_)) return false;
  readAhead_.drop();
  if (!cursor_.eof()) cursor_.invalidate();
  return true;
}

void DbfTable::unlock(std::uint32_t recno) {
  if (!shared_) return;
  writeBack();
  if (locks_.anyRecord()) {
    if (recno == 0) {
      releaseRecordLocks();
    } else {
      locks_.releaseRecord(file_, recno);
    }
  } else {
    releaseFileLock();
  }
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
      appendLocked = LockSet::takeAppend(file_);
      if (appendLocked) {
        count_ = std::max(count_, countFromHeader());
        recno = count_ + 1;
        if (locks_.holdsFile() || LockSet::tryRecord(file_, recno)) {
          if (!locks_.holdsFile()) locks_.addRecord(recno);
          break;
        }
        LockSet::releaseAppend(file_);
        appendLocked = false;
      }
      auto answer = errors::raise(driverError(gen::kAppendLock, sub::kAppendLock, path_.string()));
      if (answer != errors::ErrorAnswer::Retry) return false;
    }
  } else {
    recno = count_ + 1;
  }

  cursor_.appended(recno);
  count_ = recno;
  fileChanged_ = true;

  if (shared_ && !batching()) {
    // The blank record (with the end mark after it) claims its place in the file at once,
    // and the header counts it before the append lock goes, so that other stations count it:
    // a record past the header's count belongs to no one.
    std::vector<char> blank(cursor_.record());
    blank.push_back(dbf::kEndOfFile);
    bool written = file_.writeAt(recordOffset(recno), blank) && writeCount(recno);
    int err = file_.lastError();
    if (appendLocked) LockSet::releaseAppend(file_);
    if (!written) failIo(gen::kWrite, sub::kWrite, err);
  }
  return true;
}

}  // namespace kavrina::store
