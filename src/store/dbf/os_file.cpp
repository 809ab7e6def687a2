#include "store/dbf/os_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kavrina::store {

OsFile::~OsFile() { close(); }

OsFile::OsFile(OsFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lastError_(other.lastError_) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    lastError_ = other.lastError_;
  }
  return *this;
}

int OsFile::open(const std::filesystem::path& path, Access access) {
  close();
  int flags = (access == Access::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
  fd_ = ::open(path.c_str(), flags);
  lastError_ = fd_ < 0 ? errno : 0;
  return lastError_;
}

int OsFile::openOrCreate(const std::filesystem::path& path) {
  close();
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  lastError_ = fd_ < 0 ? errno : 0;
  return lastError_;
}

int OsFile::close() {
  if (fd_ < 0) return 0;
  int rc = ::close(fd_);
  fd_ = -1;
  return rc == 0 ? 0 : errno;
}

ssize_t OsFile::readAt(std::uint64_t offset, std::span<char> buffer) {
  std::size_t done = 0;
  while (done < buffer.size()) {
    ssize_t n = ::pread(fd_, buffer.data() + done, buffer.size() - done,
                        static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      lastError_ = errno;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

bool OsFile::writeAt(std::uint64_t offset, std::span<const char> data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n =
        ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      lastError_ = errno;
      return false;
    }
    if (n == 0) {
      lastError_ = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::int64_t OsFile::size() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    lastError_ = errno;
    return -1;
  }
  return st.st_size;
}

bool OsFile::truncate(std::uint64_t length) {
  if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

bool OsFile::sync() {
  if (::fsync(fd_) != 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

static struct flock makeLock(short type, std::uint64_t offset, std::uint64_t length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(offset);
  fl.l_len = static_cast<off_t>(length);
  fl.l_pid = 0;  // required by open-file-description locks
  return fl;
}

LockResult OsFile::tryLock(std::uint64_t offset, std::uint64_t length, LockKind kind) {
  struct flock fl = makeLock(kind == LockKind::Write ? F_WRLCK : F_RDLCK, offset, length);
  for (;;) {
    if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0) return LockResult::Taken;
    if (errno == EINTR) continue;
    lastError_ = errno;
    return errno == EAGAIN || errno == EACCES ? LockResult::Busy : LockResult::Failed;
  }
}

bool OsFile::unlock(std::uint64_t offset, std::uint64_t length) {
  struct flock fl = makeLock(F_UNLCK, offset, length);
  if (::fcntl(fd_, F_OFD_SETLK, &fl) != 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

bool OsFile::lockedElsewhere(std::uint64_t offset, std::uint64_t length) {
  struct flock fl = makeLock(F_WRLCK, offset, length);
  if (::fcntl(fd_, F_OFD_GETLK, &fl) != 0) {
    lastError_ = errno;
    return false;
  }
  return fl.l_type != F_UNLCK;
}

}  // namespace kavrina::store
