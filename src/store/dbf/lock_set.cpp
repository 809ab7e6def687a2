// Record, file and append locks of one work area.
#include "store/dbf/lock_set.h"

#include <algorithm>

#include "common/lock_offsets.h"

namespace kavrina::store {

bool LockSet::holdsRecord(std::uint32_t recno) const {
  return std::find(records_.begin(), records_.end(), recno) != records_.end();
}

bool LockSet::tryRecord(OsFile& file, std::uint32_t recno) {
  return file.tryLock(locks::kRecordBase + recno, 1, LockKind::Write) == LockResult::Taken;
}

void LockSet::keepOnlyRecord(OsFile& file, std::uint32_t recno) {
  for (std::uint32_t other : records_) file.unlock(locks::kRecordBase + other, 1);
  records_.assign(1, recno);
}

void LockSet::releaseRecord(OsFile& file, std::uint32_t recno) {
  const auto at = std::find(records_.begin(), records_.end(), recno);
  if (at == records_.end()) return;
  file.unlock(locks::kRecordBase + recno, 1);
  records_.erase(at);
}

void LockSet::releaseRecords(OsFile& file) {
  for (std::uint32_t recno : records_) file.unlock(locks::kRecordBase + recno, 1);
  records_.clear();
}

bool LockSet::tryFile(OsFile& file) {
  fileLocked_ =
      file.tryLock(locks::kFileStart, locks::kFileLength, LockKind::Write) == LockResult::Taken;
  return fileLocked_;
}

void LockSet::releaseFile(OsFile& file) {
  if (!fileLocked_) return;
  file.unlock(locks::kFileStart, locks::kFileLength);
  fileLocked_ = false;
}

bool LockSet::takeAppend(OsFile& file) {
  // Appenders hold the append lock only for a few writes.
  return file.waitForLock(locks::kAppend, 1, LockKind::Write) == LockResult::Taken;
}

bool LockSet::tryAppend(OsFile& file) {
  return file.tryLock(locks::kAppend, 1, LockKind::Write) == LockResult::Taken;
}

void LockSet::releaseAppend(OsFile& file) {
  file.unlock(locks::kAppend, 1);
}

}  // namespace kavrina::store
