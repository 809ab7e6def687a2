// A file handle with exact positioned reads and writes and open-file-description byte-range
// locks: the locks belong to this handle, so two handles on one file exclude each other
// even inside one process, and closing another handle of the file keeps them. Every write,
// flush and truncate passes the fault-injection checkpoint. Files are opened without
// following a symbolic link planted under their name.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "common/lock_offsets.h"

namespace kavrina {

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

  // Opens an existing file; returns errno (0 on success; ELOOP for a symbolic link). Never
  // truncates.
  int open(const std::filesystem::path& path, Access access);
  // Opens an existing file and takes its share-mode lock (`mode`: Write for exclusive use,
  // Read for shared use), making sure that the name still refers to the file locked: a file
  // that another station replaced by a rename meanwhile is opened afresh. Returns errno:
  // EBUSY when another holder's share mode refuses the lock (nothing stays open then).
  int openShareLocked(const std::filesystem::path& path, Access access, LockKind mode);
  // Creates a new file that must not exist yet (O_EXCL, read-write); returns errno (EEXIST).
  int createNew(const std::filesystem::path& path);
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
  // Whether something was written or cut since the handle was opened or last flushed.
  bool unflushed() const { return unflushed_; }
  // Whether `path` names this very file (same device and inode; a symbolic link never does).
  bool isFileAt(const std::filesystem::path& path);

  // One attempt at a lock of [offset, offset + length). Taking a Read lock over a Write lock
  // this handle holds (or the reverse) converts it in one step.
  LockResult tryLock(std::uint64_t offset, std::uint64_t length, LockKind kind);
  // A lock another station holds only for a moment (an append, an index update): up to
  // locks::kAttempts attempts locks::kPauseMicros apart while it is busy. Answers Taken, Busy
  // when it stayed held throughout, or Failed when the system refused (lastError tells why).
  LockResult waitForLock(std::uint64_t offset, std::uint64_t length, LockKind kind);
  bool unlock(std::uint64_t offset, std::uint64_t length);
  // Whether another handle holds a lock that conflicts with a write lock of the range.
  bool lockedElsewhere(std::uint64_t offset, std::uint64_t length);

  int lastError() const { return lastError_; }

 private:
  int fd_ = -1;
  int lastError_ = 0;
  bool unflushed_ = false;
};

}  // namespace kavrina
