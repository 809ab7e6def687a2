// A file handle with exact positioned reads and writes and open-file-description byte-range
// locks: the locks belong to this handle, so two handles on one file exclude each other
// even inside one process, and closing another handle of the file keeps them.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace kavrina::store {

enum class LockKind { Read, Write };

// Outcome of one lock attempt: taken, held by someone else, or refused by the system.
enum class LockResult { Taken, Busy, Failed };

class OsFile {
 public:
  enum class Access { ReadOnly, ReadWrite };

  OsFile() = default;
  ~OsFile();
  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;

  // Opens an existing file; returns errno (0 on success). Never truncates.
  int open(const std::filesystem::path& path, Access access);
  // Creates the file if it is missing (never truncates an existing one); returns errno.
  int openOrCreate(const std::filesystem::path& path);
  // Closes the handle, dropping every lock it holds; returns errno of close (0 when fine).
  int close();

  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // Reads up to buffer.size() bytes at `offset`; returns the count read (short at end of
  // file) or -1 with errno kept in lastError().
  ssize_t readAt(std::uint64_t offset, std::span<char> buffer);
  // Writes all bytes at `offset`; false on any failure (errno in lastError()).
  bool writeAt(std::uint64_t offset, std::span<const char> data);
  // Size in bytes, or -1 on failure.
  std::int64_t size();
  bool truncate(std::uint64_t length);
  bool sync();

  // One attempt at a lock of [offset, offset + length).
  LockResult tryLock(std::uint64_t offset, std::uint64_t length, LockKind kind);
  bool unlock(std::uint64_t offset, std::uint64_t length);
  // Whether another handle holds a lock that conflicts with a write lock of the range.
  bool lockedElsewhere(std::uint64_t offset, std::uint64_t length);

  int lastError() const { return lastError_; }

 private:
  int fd_ = -1;
  int lastError_ = 0;
};

}  // namespace kavrina::store
