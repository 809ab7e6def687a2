#include "common/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "common/fault_injection.h"

namespace kavrina::fileops {

int renameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (int err = faults::before(faults::Op::Rename, to.native()); err != 0) return err;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int renameNotReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (int err = faults::before(faults::Op::Rename, to.native()); err != 0) return err;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  const int err = errno;
  if (err != EINVAL && err != ENOSYS && err != ENOTSUP) return err;
  // A file system without that rename (some network mounts): a hard link is just as
  // exclusive, then the aside name goes.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return 0;
  }
  const int linkErr = errno;
  if (linkErr != EPERM && linkErr != ENOTSUP && linkErr != EOPNOTSUPP) return linkErr;
  // Neither (a file system without links): test, then rename. Another station could slip in
  // between; the new file is complete either way, so nothing half-written can result.
  if (::access(to.c_str(), F_OK) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int syncFolder(const std::filesystem::path& folder) {
  if (int err = faults::before(faults::Op::Flush); err != 0) return err;
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot flush a folder and say so; their renames are as durable as
  // they make them.
  if (err == EINVAL || err == EROFS) err = 0;
  return err;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

int removeFile(const std::filesystem::path& path) {
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace kavrina::fileops
