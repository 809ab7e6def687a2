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

void DbfTable::readRecordInto(std::uint32_t recno, std::span<char> out, bool sequential) {
  flushPending();
  const std::size_t length = header_.recordLength;
  // Records are read ahead in blocks only where no other station can change them meanwhile
  // (an exclusive table) or where the reader asked for a snapshot scan; a shared table
  // otherwise reads each record from the file when it moves to it, so that it shows every
  // commit made before that.
  const bool readAhead = !shared_ || readAhead_.snapshotScan();
  if (readAhead && readAhead_.copyOut(recno, out, length)) return;
  if (sequential && readAhead) {
    // Read a block of records from here on, as far as the known count goes.
    const std::int64_t got = readAhead_.fill(file_, header_, recno, count_, out);
    if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
    if (got == 0) failIo(gen::kRead, sub::kRead);
    return;
  }
  ssize_t got = file_.readAt(recordOffset(recno), out.first(length));
  if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  if (static_cast<std::size_t>(got) != length) failIo(gen::kRead, sub::kRead);
}

void DbfTable::loadRecord(std::uint32_t recno, bool sequential) {
  readRecordInto(recno, cursor_.record(), sequential);
  cursor_.loaded(recno);
  for (auto& order : orders_) order->recordLoaded(cursor_.recNo(), cursor_.record());
}

void DbfTable::readRecordAt(std::uint32_t recno, std::vector<char>& out) {
  out.resize(header_.recordLength);
  if (recno == 0 || recno > count_) failIo(gen::kRead, sub::kRead);
  readRecordInto(recno, out, true);
}

void DbfTable::positionAtEof() {
  cursor_.atEof(count_);
}

void DbfTable::ensureBuffer() {
  if (cursor_.valid()) return;
  if (cursor_.eof() || cursor_.recNo() == 0 || cursor_.recNo() > count_) {
    positionAtEof();
    return;
  }
  readRecordInto(cursor_.recNo(), cursor_.record(), false);
  cursor_.reloaded();
  for (auto& order : orders_) order->recordLoaded(cursor_.recNo(), cursor_.record());
}

std::span<const char> DbfTable::recordBuffer() {
  ensureBuffer();
  return cursor_.record();
}

bool DbfTable::deleted() {
  ensureBuffer();
  return !cursor_.eof() && cursor_.deletedMark();
}

void DbfTable::flushPending() {
  if (!pending_.flush(file_, header_)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
}

void DbfTable::queueRecord(std::uint32_t recno, std::span<const char> record) {
  if (!pending_.queue(file_, header_, recno, record))
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
}

void DbfTable::writeBack() {
  if (!cursor_.changed()) return;
  if (cursor_.isNew() && batchesAppends()) {
    if (batch_.running()) batch_.markWritten();
    queueRecord(cursor_.recNo(), cursor_.record());
    cursor_.settle();
    fileChanged_ = true;
    return;
  }
  flushPending();
  // The record reaches the file before an index entry points at it. During a rewrite the
  // orders are brought up to date once, when it is published.
  // A batch's records get their keys when it is published.
  const bool keepOrders = !rewriting() && !batch_.owns(cursor_.recNo());
  if (keepOrders)
    for (auto& order : orders_) order->recordWriting(cursor_.recNo(), cursor_.isNew());
  if (!file_.writeAt(recordOffset(cursor_.recNo()), cursor_.record()))
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
  if (keepOrders)
    for (auto& order : orders_)
      order->recordWritten(cursor_.recNo(), cursor_.record(), cursor_.isNew());
  readAhead_.update(cursor_.recNo(), cursor_.record());
  cursor_.settle();
  fileChanged_ = true;
}

void DbfTable::goTo(std::uint32_t recno) {
  writeBack();
  cursor_.setFound(false);
  if (recno > count_) refreshCount();
  if (recno >= 1 && recno <= count_) {
    loadRecord(recno, false);
    cursor_.setBof(false);
  } else {
    positionAtEof();
    cursor_.setBof(count_ == 0);
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
  while (!cursor_.eof() && hideDeleted_ && cursor_.deletedMark()) {
    std::uint32_t to = forward ? nextRecord(cursor_.recNo()) : previousRecord(cursor_.recNo());
    if (to == 0) {
      if (forward) {
        positionAtEof();
      } else {
        // Nothing live before: the move ends on the first live record, at beginning of file.
        goTop();
        cursor_.setBof(true);
      }
      return;
    }
    loadRecord(to, forward && controllingOrder() == nullptr);
  }
}

void DbfTable::goTop() {
  writeBack();
  cursor_.setFound(false);
  refreshCount();
  std::uint32_t first = 0;
  if (TableOrder* order = controllingOrder()) {
    first = order->first();
  } else if (count_ > 0) {
    first = 1;
  }
  if (first == 0) {
    positionAtEof();
    cursor_.setBof(true);
    return;
  }
  loadRecord(first, false);
  cursor_.setBof(false);
  skipHidden(true);
  if (cursor_.eof()) cursor_.setBof(true);
}

void DbfTable::goBottom() {
  writeBack();
  cursor_.setFound(false);
  refreshCount();
  std::uint32_t last = 0;
  if (TableOrder* order = controllingOrder()) {
    last = order->last();
  } else {
    last = count_;
  }
  if (last == 0) {
    positionAtEof();
    cursor_.setBof(true);
    return;
  }
  loadRecord(last, false);
  cursor_.setBof(false);
  // Backwards over deleted records; when all are deleted the table is at end of file.
  while (hideDeleted_ && cursor_.deletedMark()) {
    std::uint32_t to = previousRecord(cursor_.recNo());
    if (to == 0) {
      positionAtEof();
      cursor_.setBof(true);
      return;
    }
    loadRecord(to, false);
  }
}

void DbfTable::skip(std::int64_t count) {
  writeBack();
  cursor_.setFound(false);
  if (count == 0) {
    // Re-reads the current record.
    if (!cursor_.eof()) loadRecord(cursor_.recNo(), false);
    return;
  }
  cursor_.setBof(false);
  if (count > 0) {
    const bool inRecordOrder = controllingOrder() == nullptr;
    for (std::int64_t i = 0; i < count && !cursor_.eof(); ++i) {
      std::uint32_t to = nextRecord(cursor_.recNo());
      if (to == 0) {
        positionAtEof();
        break;
      }
      // In key order the records read ahead too where they follow one another in the file
      // (a register entered in the order of its numbers).
      loadRecord(to, inRecordOrder || to == cursor_.recNo() + 1);
      skipHidden(true);
    }
    return;
  }
  for (std::int64_t i = 0; i < -count; ++i) {
    if (cursor_.eof()) {
      // One step back from the end of file is the last record.
      goBottom();
      if (cursor_.eof()) return;
      continue;
    }
    std::uint32_t to = previousRecord(cursor_.recNo());
    if (to == 0) {
      goTop();
      cursor_.setBof(true);
      return;
    }
    loadRecord(to, false);
    skipHidden(false);
    if (cursor_.bof()) return;
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
  cursor_.setBof(false);
  if (at == 0) {
    refreshCount();
    positionAtEof();
    cursor_.setFound(false);
    return false;
  }
  loadRecord(at, false);
  cursor_.setFound(true);
  if (hideDeleted_ && cursor_.deletedMark()) {
    // A hidden record is not found; the next live record with the same key is.
    skipHidden(true);
    cursor_.setFound(!cursor_.eof() && order->keyMatches(cursor_.recNo(), value));
    if (!cursor_.found()) positionAtEof();
  }
  return cursor_.found();
}

}  // namespace kavrina::store
