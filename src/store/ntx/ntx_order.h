// An NTX index attached to a table: keeps its keys current as records are written, and gives
// the table its moves in key order. Also the two ways to get one: create (build from all
// records) and attach (open an existing file).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/dbf/dbf_table.h"
#include "store/dbf/table_order.h"
#include "store/ntx/ntx_file.h"
#include "store/ntx/ntx_key.h"
#include "store/ntx/ntx_tree.h"

namespace kavrina::store::ntx {

class NtxOrder final : public TableOrder {
 public:
  // The order owns the file; the table owns the order and outlives it.
  NtxOrder(DbfTable& table, std::unique_ptr<NtxFile> file, KeyExpression expression);

  void recordLoaded(std::uint32_t recno, std::span<const char> record) override;
  void recordWriting(std::uint32_t recno, bool isNew) override;
  void recordWritten(std::uint32_t recno, std::span<const char> record, bool isNew) override;
  std::uint32_t first() override;
  std::uint32_t last() override;
  std::uint32_t next(std::uint32_t recno) override;
  std::uint32_t previous(std::uint32_t recno) override;
  // Raises the data type error for a number sought in a text key or the reverse.
  std::uint32_t seek(const SeekValue& value) override;
  bool keyMatches(std::uint32_t recno, const SeekValue& value) override;
  void setSnapshot(bool on) override;
  void commit() override;
  void tableRewritten() override;
  void close() override;

  // Replaces the tree by one built from every record of the table (under the index lock).
  void rebuild();

  NtxFile& file() { return *file_; }
  const KeyExpression& expression() const { return expression_; }

 private:
  // The key record `recno` has in the index: the one last loaded, else read from the file.
  std::string keyOf(std::uint32_t recno);
  std::string keyInFile(std::uint32_t recno);
  std::optional<std::string> seekKeyOf(const SeekValue& value);

  DbfTable& table_;
  std::unique_ptr<NtxFile> file_;
  KeyExpression expression_;
  NtxTree tree_;
  std::uint32_t lastRecno_ = 0;
  std::string lastKey_;
  std::string fileKey_;  // the key of the record being written, as the file held it
  std::vector<char> record_;

  // A snapshot scan's entries after the record last given, read under one lock: the next
  // forward move from that record takes the first of them. Any other use of the order
  // drops them.
  bool snapshot_ = false;
  std::vector<std::uint32_t> ahead_;
  std::size_t aheadAt_ = 0;
  std::uint32_t aheadAfter_ = 0;
  void dropAhead() {
    ahead_.clear();
    aheadAt_ = 0;
    aheadAfter_ = 0;
  }
};

// The index file's path: ".ntx" added when the name has no extension ("NTX/MDNG").
std::filesystem::path indexFilePath(const std::filesystem::path& path);

// Creates the index file (replacing an existing one of that name in any case) with the key
// expression and builds it from all records of the table by sorting their keys; the new
// index becomes the only order of the table and controls its moves. Raises the argument
// error for an expression that is neither a field nor val(field) of the table, the data type
// error (33/1020) for a field that cannot be indexed, the data width error (34/1026) for a
// value of width 0, the create error (20/1006). Returns false when the handler lets the
// create fail.
bool createIndex(DbfTable& table, const std::filesystem::path& path,
                 std::string_view keyExpression);

// Opens an existing index (found in any case) and adds it to the table's orders; the first
// one attached controls the moves. Raises the open error (21/1003; false when the handler
// lets it fail), and the corruption error (32/1012) for a damaged file or one whose key
// expression does not fit the table.
bool attachIndex(DbfTable& table, const std::filesystem::path& path);

}  // namespace kavrina::store::ntx
