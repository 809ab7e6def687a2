// The data archive command of the main window's maintenance menu: every file of the program
// folder packed into one ZIP archive, which the user then stores elsewhere.
#pragma once

#include "store/program.h"
#include "ui/save_dialog.h"

namespace kavrina::commands {

// TFOSMAIN:ARHIVIRAJPODATKE, with the window's save dialog. Closes all tables, lists the
// program folder, writes the archive "Arhiva-<program>-<version>-<date>_<time>.zip" aside
// in it under a progress box that can cancel it, and asks in a loop where to store it:
// never in the program folder, on the desktop only after a question, over an existing file
// only after a question (that file stays until the new one is whole). Ends the program after
// a successful save (raises EndProgram with exit code 0); otherwise the archive is deleted and
// the database opened again with DBOPENALL (also after a cancel or a failure to write it).
// The closing message names the files another station held, which the archive lacks. Talks
// through `program.ui`.
void ARHIVIRAJPODATKE(store::Session& program, ui::SaveDialog& saveDialog);

}  // namespace kavrina::commands
