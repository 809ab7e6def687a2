// Making a company the active one: its tables closed and the database opened again.
#pragma once

#include <string>

#include "store/program.h"

namespace kavrina::commands {

// Makes the company whose prefix the caller has set in `CSUBDIRFIRME` (and whose code is
// in `CSIFRAFIRME`) the active one: under the wait notice "Aktivacija u toku. Molim
// sacekajte..." closes every open table and runs DBOPENALL (which ends the program when
// the structure check cannot get exclusive use).
void AKTIVIRAJ(store::Session& program);

// Sets `CSIFRAFIRME` to `code` and `CSUBDIRFIRME` to its prefix, then AKTIVIRAJ.
void activateCompany(store::Session& program, const std::string& code);

}  // namespace kavrina::commands
