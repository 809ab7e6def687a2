// Translation of the Linux errno values into the operating-system codes the program's
// messages are written for (file not found 2, access denied 5, sharing violation 32, ...).
#pragma once

#include <filesystem>

namespace kavrina::errors {

// The OSCODE for an errno value. `pathMissing` tells ENOENT for a missing folder (3)
// from a missing file (2). Values without a counterpart are given as 1000 + errno, so
// that they are never taken for a code with a message of its own.
int osCodeFromErrno(int err, bool pathMissing = false);

// The OSCODE for an operation on `path` that failed with `err`: as osCodeFromErrno, and
// moreover a missing folder is told from a missing file, and a refusal to write what this
// user may read (a read-only file, or a new file in a read-only folder) is told as
// read-only (19) rather than as access denied (5).
int osCodeForPath(int err, const std::filesystem::path& path);

}  // namespace kavrina::errors
