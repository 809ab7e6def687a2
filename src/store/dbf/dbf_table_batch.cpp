// A change of many appended records that other stations see whole or not at all.
#include <cstring>

#include "errors/error.h"
#include "errors/network_error.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::store {

namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

bool DbfTable::beginBatch() {
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  if (batch_.running()) return true;
  writeBack();
  errors::setNetworkError(false);
  if (shared_) {
    releaseRecordLocks();
    releaseFileLock();
    while (!LockSet::takeAppend(file_)) {
      auto answer = errors::raise(driverError(gen::kAppendLock, sub::kAppendLock, path_.string()));
      if (answer != errors::ErrorAnswer::Retry) return false;
    }
    count_ = std::max(count_, countFromHeader());
  }
  batch_.start(count_);
  return true;
}

void DbfTable::addKeysOf(std::uint32_t first, std::uint32_t last) {
  std::vector<char> record(header_.recordLength);
  for (std::uint32_t recno = first; recno <= last; ++recno) {
    const ssize_t got = file_.readAt(recordOffset(recno), record);
    if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
    if (static_cast<std::size_t>(got) != record.size()) failIo(gen::kRead, sub::kRead);
    for (auto& order : orders_) {
      order->recordWriting(recno, true);
      order->recordWritten(recno, record, true);
    }
  }
}

void DbfTable::publishBatch() {
  if (!batch_.running()) return;
  writeBack();
  const std::uint32_t first = batch_.base() + 1;
  const std::uint32_t last = count_;
  if (last >= first) {
    const char mark = dbf::kEndOfFile;
    flushPending();
    if (!file_.writeAt(recordOffset(last + 1), std::span<const char>(&mark, 1)))
      failIo(gen::kWrite, sub::kWrite, file_.lastError());
    // The records are on disk before the header counts them, and the header before an
    // index entry points at them.
    syncFiles();
    batch_.markWritten();
    writeFixedHeader();
    if (!file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
    batch_.published(count_);
    fileChanged_ = false;
    addKeysOf(first, last);
    for (auto& order : orders_) order->commit();
  }
  batch_.end();
  if (shared_) LockSet::releaseAppend(file_);
  readAhead_.drop();
}

void DbfTable::abandonBatch() noexcept {
  if (!batch_.running()) return;
  pending_.clear();
  cursor_.settle();
  cursor_.invalidate();
  const bool cut = batch_.needsCut(count_);
  count_ = batch_.base();
  if (cut) {
    // The header may already count the records when its flush failed: it is written back.
    try {
      writeEndMarkAndCut();
      writeFixedHeader();
    } catch (...) {
      // Past the count the records are invisible anyway; a later close cuts them.
    }
  }
  batch_.end();
  if (shared_ && file_.isOpen()) LockSet::releaseAppend(file_);
  readAhead_.drop();
  positionAtEof();
}

}  // namespace kavrina::store
