// Moving through a table: record order or the controlling order, the end- and
// beginning-of-file states, hidden deleted records, reading and writing back the record.
#include <algorithm>
#include <cstring>

#include "errors/error.h"
#include "errors/os_code.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::store {

namespace gen = errors::gen;
namespace sub = errors::sub;

namespace {
// Read-ahead block of a scan in record order.
constexpr std::size_t kReadAheadBytes = 64 * 1024;
// Appended records gathered before one write.
constexpr std::size_t kAppendBatchBytes = 1024 * 1024;
}  // namespace

void DbfTable::dropReadCache() {
  cacheCount_ = 0;
}

void DbfTable::readRecordInto(std::uint32_t recno, std::span<char> out, bool sequential) {
  flushPending();
  const std::size_t length = header_.recordLength;
  // Records are read ahead in blocks only where no other station can change them meanwhile
  // (an exclusive table) or where the reader asked for a snapshot scan; a shared table
  // otherwise reads each record from the file when it moves to it, so that it shows every
  // commit made before that.
  const bool readAhead = !shared_ || snapshotScan_;
  if (readAhead && cacheCount_ > 0 && recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_) {
    std::memcpy(out.data(), cache_.data() + static_cast<std::size_t>(recno - cacheFirst_) * length,
                length);
    return;
  }
  if (sequential && readAhead) {
    // Read a block of records from here on, as far as the known count goes.
    std::uint32_t want =
        static_cast<std::uint32_t>(std::max<std::size_t>(1, kReadAheadBytes / length));
    want = std::min<std::uint32_t>(want, count_ - recno + 1);
    cache_.resize(static_cast<std::size_t>(want) * length);
    ssize_t got = file_.readAt(recordOffset(recno), cache_);
    if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
    cacheFirst_ = recno;
    cacheCount_ = static_cast<std::uint32_t>(static_cast<std::size_t>(got) / length);
    if (cacheCount_ == 0) failIo(gen::kRead, sub::kRead);
    std::memcpy(out.data(), cache_.data(), length);
    return;
  }
  ssize_t got = file_.readAt(recordOffset(recno), out.first(length));
  if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  if (static_cast<std::size_t>(got) != length) failIo(gen::kRead, sub::kRead);
}

void DbfTable::loadRecord(std::uint32_t recno, bool sequential) {
  readRecordInto(recno, buffer_, sequential);
  recNo_ = recno;
  eof_ = false;
  bufferValid_ = true;
  for (auto& order : orders_) order->recordLoaded(recNo_, buffer_);
}

void DbfTable::readRecordAt(std::uint32_t recno, std::vector<char>& out) {
  out.resize(header_.recordLength);
  if (recno == 0 || recno > count_) failIo(gen::kRead, sub::kRead);
  readRecordInto(recno, out, true);
}

void DbfTable::positionAtEof() {
  recNo_ = count_ + 1;
  eof_ = true;
  std::fill(buffer_.begin(), buffer_.end(), ' ');
  bufferValid_ = true;
}

void DbfTable::ensureBuffer() {
  if (bufferValid_) return;
  if (eof_ || recNo_ == 0 || recNo_ > count_) {
    positionAtEof();
    return;
  }
  readRecordInto(recNo_, buffer_, false);
  bufferValid_ = true;
  for (auto& order : orders_) order->recordLoaded(recNo_, buffer_);
}

std::span<const char> DbfTable::recordBuffer() {
  ensureBuffer();
  return buffer_;
}

bool DbfTable::deleted() {
  ensureBuffer();
  return !eof_ && buffer_[0] == dbf::kDeletedFlag;
}

void DbfTable::flushPending() {
  if (pending_.empty()) return;
  if (!file_.writeAt(recordOffset(pendingFirst_), pending_))
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
  pending_.clear();
}

void DbfTable::queueRecord(std::uint32_t recno, std::span<const char> record) {
  // A record joins the batch when it follows the last one waiting.
  const auto waiting = static_cast<std::uint32_t>(pending_.size() / header_.recordLength);
  if (!pending_.empty() && recno != pendingFirst_ + waiting) flushPending();
  if (pending_.empty()) {
    pendingFirst_ = recno;
    pending_.reserve(kAppendBatchBytes + record.size());
  }
  pending_.insert(pending_.end(), record.begin(), record.end());
  if (pending_.size() >= kAppendBatchBytes) flushPending();
}

void DbfTable::writeBack() {
  if (!hot_) return;
  const std::size_t length = header_.recordLength;
  if (newRecord_ && batchesAppends()) {
    if (batch_) batchWritten_ = true;
    queueRecord(recNo_, buffer_);
    hot_ = false;
    newRecord_ = false;
    fileChanged_ = true;
    return;
  }
  flushPending();
  // The record reaches the file before an index entry points at it. During a rewrite the
  // orders are brought up to date once, when it is published.
  // A batch's records get their keys when it is published.
  const bool keepOrders = !rewriting() && !(batch_ && recNo_ > batchBase_);
  if (keepOrders)
    for (auto& order : orders_) order->recordWriting(recNo_, newRecord_);
  if (!file_.writeAt(recordOffset(recNo_), buffer_))
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
  if (keepOrders)
    for (auto& order : orders_) order->recordWritten(recNo_, buffer_, newRecord_);
  if (cacheCount_ > 0 && recNo_ >= cacheFirst_ && recNo_ < cacheFirst_ + cacheCount_) {
    std::memcpy(cache_.data() + static_cast<std::size_t>(recNo_ - cacheFirst_) * length,
                buffer_.data(), length);
  }
  hot_ = false;
  newRecord_ = false;
  fileChanged_ = true;
}

void DbfTable::goTo(std::uint32_t recno) {
  writeBack();
  found_ = false;
  if (recno > count_) refreshCount();
  if (recno >= 1 && recno <= count_) {
    loadRecord(recno, false);
    bof_ = false;
  } else {
    positionAtEof();
    bof_ = count_ == 0;
  }
}

std::uint32_t DbfTable::nextRecord(std::uint32_t from) {
  if (TableOrder* order = controllingOrder()) return order->next(from);
  std::uint32_t next = from + 1;
  if (next > count_) refreshCount();
  return next <= count_ ? next : 0;
}

std::uint32_t DbfTable::previousRecord(std::uint32_t from) {
  if (TableOrder* order = controllingOrder()) return order->previous(from);
  return from > 1 ? from - 1 : 0;
}

void DbfTable::skipHidden(bool forward) {
  while (!eof_ && hideDeleted_ && buffer_[0] == dbf::kDeletedFlag) {
    std::uint32_t to = forward ? nextRecord(recNo_) : previousRecord(recNo_);
    if (to == 0) {
      if (forward) {
        positionAtEof();
      } else {
        // Nothing live before: the move ends on the first live record, at beginning of file.
        goTop();
        bof_ = true;
      }
      return;
    }
    loadRecord(to, forward && controllingOrder() == nullptr);
  }
}

void DbfTable::goTop() {
  writeBack();
  found_ = false;
  refreshCount();
  std::uint32_t first = 0;
  if (TableOrder* order = controllingOrder()) {
    first = order->first();
  } else if (count_ > 0) {
    first = 1;
  }
  if (first == 0) {
    positionAtEof();
    bof_ = true;
    return;
  }
  loadRecord(first, false);
  bof_ = false;
  skipHidden(true);
  if (eof_) bof_ = true;
}

void DbfTable::goBottom() {
  writeBack();
  found_ = false;
  refreshCount();
  std::uint32_t last = 0;
  if (TableOrder* order = controllingOrder()) {
    last = order->last();
  } else {
    last = count_;
  }
  if (last == 0) {
    positionAtEof();
    bof_ = true;
    return;
  }
  loadRecord(last, false);
  bof_ = false;
  // Backwards over deleted records; when all are deleted the table is at end of file.
  while (hideDeleted_ && buffer_[0] == dbf::kDeletedFlag) {
    std::uint32_t to = previousRecord(recNo_);
    if (to == 0) {
      positionAtEof();
      bof_ = true;
      return;
    }
    loadRecord(to, false);
  }
}

void DbfTable::skip(std::int64_t count) {
  writeBack();
  found_ = false;
  if (count == 0) {
    // Re-reads the current record.
    if (!eof_) loadRecord(recNo_, false);
    return;
  }
  bof_ = false;
  if (count > 0) {
    const bool inRecordOrder = controllingOrder() == nullptr;
    for (std::int64_t i = 0; i < count && !eof_; ++i) {
      std::uint32_t to = nextRecord(recNo_);
      if (to == 0) {
        positionAtEof();
        break;
      }
      // In key order the records read ahead too where they follow one another in the file
      // (a register entered in the order of its numbers).
      loadRecord(to, inRecordOrder || to == recNo_ + 1);
      skipHidden(true);
    }
    return;
  }
  for (std::int64_t i = 0; i < -count; ++i) {
    if (eof_) {
      // One step back from the end of file is the last record.
      goBottom();
      if (eof_) return;
      continue;
    }
    std::uint32_t to = previousRecord(recNo_);
    if (to == 0) {
      goTop();
      bof_ = true;
      return;
    }
    loadRecord(to, false);
    skipHidden(false);
    if (bof_) return;
  }
}

bool DbfTable::seek(const SeekValue& value) {
  writeBack();
  TableOrder* order = controllingOrder();
  if (order == nullptr) {
    errors::Error e = errors::driverError(gen::kNoIndex, sub::kCorruption, path_.string());
    e.SUBCODE.reset();
    errors::fail(e);
  }
  std::uint32_t at = order->seek(value);
  bof_ = false;
  if (at == 0) {
    refreshCount();
    positionAtEof();
    found_ = false;
    return false;
  }
  loadRecord(at, false);
  found_ = true;
  if (hideDeleted_ && buffer_[0] == dbf::kDeletedFlag) {
    // A hidden record is not found; the next live record with the same key is.
    skipHidden(true);
    found_ = !eof_ && order->keyMatches(recNo_, value);
    if (!found_) positionAtEof();
  }
  return found_;
}

}  // namespace kavrina::store
