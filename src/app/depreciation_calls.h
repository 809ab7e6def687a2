// The main window's calls into the depreciation subsystem, kept in one place: activation,
// the calculation, group reset and the present values of the asset list.
#pragma once

#include "app/command_hooks.h"

namespace kavrina::app {

// AKTIVIRAJ: closes every table and opens the database again for `CSUBDIRFIRME`.
void callAKTIVIRAJ(store::Program& program);
// OBRACUN(accounting, tax, periodic).
void callOBRACUN(store::Program& program, bool accounting, bool tax, bool periodic);
// NULIRAJGRUPU.
void callNULIRAJGRUPU(store::Program& program);

// Fills the depreciation entries of `hooks` with the calls above.
void addDepreciationCalls(CommandHooks& hooks);

// The information box of a command whose subsystem this build does not have yet.
void showNotAvailable(store::Program& program);

}  // namespace kavrina::app
