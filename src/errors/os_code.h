// Translation of the Linux errno values into the operating-system codes the program's
// messages are written for (file not found 2, access denied 5, sharing violation 32, ...).
#pragma once

namespace kavrina::errors {

// The OSCODE for an errno value. `pathMissing` tells ENOENT for a missing folder (3)
// from a missing file (2). Values without a counterpart are given as 1000 + errno, so
// that they are never taken for a code with a message of its own.
int osCodeFromErrno(int err, bool pathMissing = false);

}  // namespace kavrina::errors
