// The interface through which a table's index (an order) is kept current and, for the
// controlling order, decides the sequence of moves. The table owns its orders.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace kavrina::store {

// What a seek looks for: a text or a number, encoded by the order as its keys are.
using SeekValue = std::variant<std::string, double>;

class TableOrder {
 public:
  virtual ~TableOrder() = default;

  // The table positioned on `recno` with this record content (deletion flag first), read
  // from the file; the order remembers the record's key before any change.
  virtual void recordLoaded(std::uint32_t recno, std::span<const char> record) = 0;

  // The table is about to write record `recno` back (`isNew` the first time an appended
  // record is written): the file still holds the record as it was, so the order learns its
  // old key now if it does not know it.
  virtual void recordWriting(std::uint32_t recno, bool isNew) = 0;
  // The table wrote `record` back as record `recno`. The order replaces the record's old key
  // by its new one when they differ (and inserts the key of a new record).
  virtual void recordWritten(std::uint32_t recno, std::span<const char> record, bool isNew) = 0;

  // Moves in key order. Each answers a record number, or 0 when there is none.
  virtual std::uint32_t first() = 0;
  virtual std::uint32_t last() = 0;
  // The record after / before `recno`, whose key is the one last loaded or written.
  virtual std::uint32_t next(std::uint32_t recno) = 0;
  virtual std::uint32_t previous(std::uint32_t recno) = 0;
  // The first record whose key equals the value; 0 when there is none.
  virtual std::uint32_t seek(const SeekValue& value) = 0;
  // Whether the key of `recno` (as last loaded) equals the value, as a seek compares it.
  virtual bool keyMatches(std::uint32_t recno, const SeekValue& value) = 0;

  // The table reads in one pass as a snapshot scan (see DbfTable::setSnapshotScan): the
  // order may then answer forward moves from entries it read ahead under one lock.
  virtual void setSnapshot(bool on) { (void)on; }

  // The table committed (exclusive orders write their header now), or is being closed.
  virtual void commit() = 0;
  // The table was zapped, packed or rewritten: the order rebuilds itself from the records.
  virtual void tableRewritten() = 0;
  virtual void close() = 0;
};

}  // namespace kavrina::store
