// The running-instance marker: a one-field table in a folder of the user's own, held open
// exclusively for the program's lifetime. It tells nothing to anyone but another copy of
// the program of the same user, and nothing depends on it: whatever goes wrong with it, the
// program goes on.
#pragma once

#include <filesystem>
#include <string>

#include "store/program.h"

namespace kavrina::store {

// The temporary folder: $TEMP, else $TMPDIR, else /tmp.
std::filesystem::path temporaryFolder();

// The folder of the marker of the program `name`, which belongs to this user alone:
// $XDG_RUNTIME_DIR when it is set to such a folder, otherwise name + "-" + the user's number
// in the temporary folder, created 0700 when missing. A folder there that is not a real
// folder (a symbolic link), that belongs to another user, or that others may write into is
// refused: the answer is then empty.
std::filesystem::path markerFolder(const std::string& name);

// Creates name + ".run" (field "Velmar" C 10) in the marker folder when missing and opens it
// exclusively under the alias `SwRun`, never through a symbolic link planted under its
// name. Answers whether that failed (another copy of the program of this user holds it, or
// the marker could not be made); no failure of it reaches the error handler.
bool SWRUN(Session& program, const std::string& name);

}  // namespace kavrina::store
