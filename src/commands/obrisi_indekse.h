// Deleting the index files from the main window's maintenance menu: the user is warned, the
// indexes go, and the program ends so that the next start builds them.
#pragma once

#include "store/program.h"

namespace kavrina::commands {

// OBISIINDEXE: the warning, then under a wait notice every "*.ntx" file of the program
// folder deleted as store::archive::deleteIndexFiles does, then the outcome's message.
// Ends the program afterwards (EndProgram with exit code 0), since no table may be used
// again before the indexes are built at the next start. Talks through `program.ui`.
void OBISIINDEXE(store::Session& program);

}  // namespace kavrina::commands
