// A whole table rewritten beside its file: the old file, held exclusively until the new
// one takes its name (not open for a table created beside another), the names of the new
// table file and of a new memo file written beside the old one, and the header and count
// to go back to when the rewrite is dropped. Owns those; the table writes the new file
// (which it holds as its own file meanwhile), flushes it and rebuilds the orders.
#pragma once

#include <cstdint>
#include <filesystem>

#include "common/os_file.h"
#include "store/dbf/dbf_header.h"
#include "store/dbf/dbt_memo.h"

namespace kavrina::store {

class RewriteTransaction {
 public:
  bool active() const { return !newPath_.empty(); }
  bool hasNewMemo() const { return !newMemoPath_.empty(); }
  // The old file, to read the records that go over.
  OsFile& original() { return original_; }

  // Starts the rewrite of an open table: `original` is its file, `newPath` the new file's
  // name; `header` and `count` are what the table goes back to when it is dropped.
  void begin(OsFile original, const std::filesystem::path& newPath, const DbfHeader& header,
             std::uint32_t count);
  // Starts a table written beside another (no old file of its own), with a new memo file
  // under `newMemoPath` when it has one.
  void beginBeside(const std::filesystem::path& newPath, const std::filesystem::path& newMemoPath);

  // Renames the new memo file over the memo file of `tablePath` (when there is one); errno.
  int publishMemo(const std::filesystem::path& tablePath);
  // Renames the new file over `tablePath` and lets the old one go; errno (the rewrite goes on
  // when it fails).
  int publish(const std::filesystem::path& tablePath);
  // Drops the new files (the table's `file` and `memo` while they are the new ones) and puts
  // the old file, header and count back into `file`, `header` and `count`.
  void abandon(OsFile& file, DbtMemo& memo, DbfHeader& header, std::uint32_t& count) noexcept;

 private:
  OsFile original_;
  std::filesystem::path newPath_;
  std::filesystem::path newMemoPath_;
  DbfHeader savedHeader_;
  std::uint32_t savedCount_ = 0;
};

}  // namespace kavrina::store
