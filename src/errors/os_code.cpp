#include "errors/os_code.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "errors/error.h"

namespace kavrina::errors {

int osCodeFromErrno(int err, bool pathMissing) {
  switch (err) {
    case 0:
      return 0;
    case ENOENT:
      return pathMissing ? os::kPathNotFound : os::kFileNotFound;
    case ENOTDIR:
      return os::kPathNotFound;
    case EACCES:
    case EPERM:
      return os::kAccessDenied;
    case EROFS:
      return os::kWriteProtected;
    case ELOOP:
      return os::kStoppedOnLink;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
      return os::kSharingViolation;
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH:
      return os::kNetworkPathNotFound;
    case ESTALE:
    case ENOTCONN:
      return os::kNetworkNameGone;
    case EIO:
      return os::kUnexpectedNetworkError;
    case EINVAL:
      return os::kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
      return os::kDiskFull;
    default:
      return 1000 + err;
  }
}

namespace {

// Whether this user (its effective identity) may access the path so.
bool mayAccess(const std::filesystem::path& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

}  // namespace

int osCodeForPath(int err, const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  if (err == ENOENT) return osCodeFromErrno(err, !std::filesystem::exists(folder, ec));
  if (err == EACCES || err == EPERM) {
    // Readable but not writable: the file, or for a file still to be made its folder.
    const bool fileExists = std::filesystem::exists(path, ec);
    const bool readOnly = fileExists ? mayAccess(path, R_OK) && !mayAccess(path, W_OK)
                                     : mayAccess(folder, R_OK | X_OK) && !mayAccess(folder, W_OK);
    if (readOnly) return os::kWriteProtected;
  }
  return osCodeFromErrno(err);
}

}  // namespace kavrina::errors
