// One change of many appended records that other stations see whole or not at all: whether
// one is running, the record count it started from (records past it are the batch's), and
// whether anything may have been written past that count. Owns only that state; the table
// takes and gives the append lock, writes the records and the count, and gives the orders
// their keys when it publishes.
#pragma once

#include <cstdint>

namespace kavrina::store {

class AppendBatch {
 public:
  bool running() const { return running_; }
  // Whether record `recno` is one of the running batch's appends.
  bool owns(std::uint32_t recno) const { return running_ && recno > base_; }
  std::uint32_t base() const { return base_; }

  void start(std::uint32_t count) {
    running_ = true;
    base_ = count;
    written_ = false;
  }
  // A record went (or may have gone) to the file past the count.
  void markWritten() { written_ = true; }
  // Whether an abandoned batch must cut the file back to its count, given the count now.
  bool needsCut(std::uint32_t count) const { return written_ && count > base_; }
  // The header counts the records: nothing is taken back from here on.
  void published(std::uint32_t count) { base_ = count; }
  void end() { running_ = false; }

 private:
  bool running_ = false;
  std::uint32_t base_ = 0;
  bool written_ = false;
};

}  // namespace kavrina::store
