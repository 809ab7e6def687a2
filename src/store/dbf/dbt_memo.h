// The memo file (.dbt) beside a table: 512-byte blocks, block 0 holding the number of the
// next free block; each text starts at a block and ends with one 0x1A byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/os_file.h"

namespace kavrina::store {

namespace dbt {
constexpr std::size_t kBlockSize = 512;
constexpr char kTextEnd = 0x1A;
}  // namespace dbt

class DbtMemo {
 public:
  // Writes a new memo file (block 0 with next free block 1) aside and renames it over an
  // existing one, which it first holds exclusively. Raises the create error (1005; OS code
  // 32 while another station has the file open); false when the handler lets it fail.
  static bool create(const std::filesystem::path& path);

  // Opens the memo file with the table's access; raises the open error (1002) on failure
  // (returns false when the handler lets it fail softly).
  bool open(const std::filesystem::path& path, OsFile::Access access);
  // Takes over an open memo file (a new one written beside the table's).
  void adopt(OsFile file, const std::filesystem::path& path);
  void close();
  bool isOpen() const { return file_.isOpen(); }
  OsFile& file() { return file_; }

  // The text at `block`, up to its first 0x1A or the end of the file. Raises the read error
  // (1010) for a block beyond the file.
  std::string read(std::uint32_t block);
  // Appends the text at the next free block and advances the next-free number; returns the
  // block it was written at. The caller holds the append lock when the table is shared.
  std::uint32_t append(std::string_view text);
  // Empties the memo file to its block 0 (zap).
  void reset();

 private:
  std::uint32_t readNextFree();
  OsFile file_;
  std::filesystem::path path_;
};

}  // namespace kavrina::store
