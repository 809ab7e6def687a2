#include "errors/os_code.h"

#include <cerrno>

#include "errors/error.h"

namespace kavrina::errors {

int osCodeFromErrno(int err, bool pathMissing) {
  switch (err) {
    case 0: return 0;
    case ENOENT: return pathMissing ? os::kPathNotFound : os::kFileNotFound;
    case ENOTDIR: return os::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return os::kAccessDenied;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN: return os::kSharingViolation;
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH: return os::kNetworkPathNotFound;
    case ESTALE:
    case ENOTCONN: return os::kNetworkNameGone;
    case EIO: return os::kUnexpectedNetworkError;
    case EINVAL: return os::kInvalidParameter;
    case ENOSPC:
    case EDQUOT: return os::kDiskFull;
    default: return 1000 + err;
  }
}

}  // namespace kavrina::errors
