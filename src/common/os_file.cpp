#include "common/os_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "common/fault_injection.h"

namespace kavrina {

namespace {

// How often an open starts again when the name was given to a new file between the open and
// the share lock (another station finishing a rewrite); more would mean a name that changes
// without end.
constexpr int kReopenAttempts = 100;

}  // namespace

OsFile::~OsFile() {
  close();
}

OsFile::OsFile(OsFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      lastError_(other.lastError_),
      unflushed_(std::exchange(other.unflushed_, false)) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    lastError_ = other.lastError_;
    unflushed_ = std::exchange(other.unflushed_, false);
  }
  return *this;
}

int OsFile::open(const std::filesystem::path& path, Access access) {
  close();
  int flags = (access == Access::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOFOLLOW;
  fd_ = ::open(path.c_str(), flags);
  lastError_ = fd_ < 0 ? errno : 0;
  return lastError_;
}

int OsFile::openShareLocked(const std::filesystem::path& path, Access access, LockKind mode) {
  for (int attempt = 0; attempt < kReopenAttempts; ++attempt) {
    if (int err = open(path, access); err != 0) return err;
    const LockResult lock = tryLock(locks::kShareMode, 1, mode);
    if (lock != LockResult::Taken) {
      const int err = lock == LockResult::Busy ? EBUSY : lastError_;
      close();
      lastError_ = err;
      return err;
    }
    if (isFileAt(path)) return 0;
    close();  // renamed over meanwhile: the name now belongs to a newer file
  }
  lastError_ = EBUSY;
  return EBUSY;
}

int OsFile::createNew(const std::filesystem::path& path) {
  close();
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  lastError_ = fd_ < 0 ? errno : 0;
  return lastError_;
}

int OsFile::close() {
  unflushed_ = false;
  if (fd_ < 0) return 0;
  int rc = ::close(fd_);
  fd_ = -1;
  return rc == 0 ? 0 : errno;
}

ssize_t OsFile::readAt(std::uint64_t offset, std::span<char> buffer) {
  std::size_t done = 0;
  while (done < buffer.size()) {
    ssize_t n =
        ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
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
  unflushed_ = true;
  if (int err = faults::before(faults::Op::Write); err != 0) {
    lastError_ = err;
    return false;
  }
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
  unflushed_ = true;
  if (int err = faults::before(faults::Op::Truncate); err != 0) {
    lastError_ = err;
    return false;
  }
  if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

bool OsFile::sync() {
  if (int err = faults::before(faults::Op::Flush); err != 0) {
    lastError_ = err;
    return false;
  }
  if (::fsync(fd_) != 0) {
    lastError_ = errno;
    return false;
  }
  unflushed_ = false;
  return true;
}

bool OsFile::isFileAt(const std::filesystem::path& path) {
  struct stat mine {
  }, named{};
  if (::fstat(fd_, &mine) != 0 || ::lstat(path.c_str(), &named) != 0) return false;
  return mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
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

LockResult OsFile::waitForLock(std::uint64_t offset, std::uint64_t length, LockKind kind) {
  LockResult result = tryLock(offset, length, kind);
  for (int attempt = 1; attempt < locks::kAttempts && result == LockResult::Busy; ++attempt) {
    ::usleep(locks::kPauseMicros);
    result = tryLock(offset, length, kind);
  }
  return result;
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

}  // namespace kavrina
