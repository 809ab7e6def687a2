// Where a work area stands in its table and the one record it holds: the record number, the
// end-of-file, beginning-of-file and found states, the record's bytes, whether they are
// current (read since the last change of position or lock) and whether they were changed or
// are a new record not yet written. Owns that state and the text kept for getText(); the
// table reads and writes the record in the file, moves through the orders and keeps the
// locks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/dbf/dbf_header.h"

namespace kavrina::store {

class RecordCursor {
 public:
  std::uint32_t recNo() const { return recNo_; }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool found() const { return found_; }
  void setBof(bool bof) { bof_ = bof; }
  void setFound(bool found) { found_ = found; }

  // The record's bytes, deletion flag first.
  std::vector<char>& record() { return record_; }
  const std::vector<char>& record() const { return record_; }
  bool deletedMark() const { return record_[0] == dbf::kDeletedFlag; }
  // Whether the bytes are the record's as last read or written by this area.
  bool valid() const { return valid_; }
  // The record must be read again before it is used.
  void invalidate() { valid_ = false; }

  // Changed (and not yet written) bytes; a new record not yet in the file.
  bool changed() const { return changed_; }
  bool isNew() const { return new_; }
  void markChanged() { changed_ = true; }
  // The record reached the file (or was given up): nothing waits to be written.
  void settle() {
    changed_ = false;
    new_ = false;
  }

  // A blank record of `length` bytes, at end of file.
  void reset(std::size_t length) { record_.assign(length, ' '); }
  // Record `recno` was read into record().
  void loaded(std::uint32_t recno) {
    recNo_ = recno;
    eof_ = false;
    valid_ = true;
  }
  // The re-read of the current record is in record().
  void reloaded() { valid_ = true; }
  // At end of file of a table of `count` records: the phantom record, blank.
  void atEof(std::uint32_t count) {
    recNo_ = count + 1;
    eof_ = true;
    std::fill(record_.begin(), record_.end(), ' ');
    valid_ = true;
  }
  // A blank live record, number `recno`, appended and not yet written.
  void appended(std::uint32_t recno) {
    std::fill(record_.begin(), record_.end(), ' ');
    record_[0] = dbf::kLiveFlag;
    recNo_ = recno;
    eof_ = bof_ = found_ = false;
    valid_ = true;
    changed_ = true;
    new_ = true;
  }

  // Keeps `text` until the next call and returns a view of it.
  std::string_view keepText(std::string text) {
    text_ = std::move(text);
    return text_;
  }

 private:
  std::uint32_t recNo_ = 0;
  bool eof_ = true;
  bool bof_ = true;
  bool found_ = false;
  std::vector<char> record_;
  bool valid_ = false;
  bool changed_ = false;
  bool new_ = false;
  std::string text_;  // getText's UTF-8 of a text that is not ASCII
};

}  // namespace kavrina::store
