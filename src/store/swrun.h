// The running-instance marker: a one-field table in the temporary folder, held open
// exclusively for the program's lifetime.
#pragma once

#include <filesystem>
#include <string>

#include "store/program.h"

namespace kavrina::store {

// The temporary folder: $TEMP, else $TMPDIR, else /tmp.
std::filesystem::path temporaryFolder();

// Creates name + ".run" (field "Velmar" C 10) in the temporary folder when missing and
// opens it exclusively under the alias `SwRun`. Answers whether that open failed (another
// copy of the program on this computer holds it).
bool SWRUN(Program& program, const std::string& name);

}  // namespace kavrina::store
