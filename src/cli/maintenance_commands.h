// kavrina-cli arhiva and indeksi: the data archive and the index rebuild of the main
// window's maintenance menu, without dialogs, for nightly jobs and for the administrator.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "store/program.h"

namespace kavrina::cli {

// Runs `arhiva` or `indeksi` in the program folder (the current directory, with the program
// folder in `program.info.folder`), before any table is opened; `startedIn` is the folder
// the tool was started in, against which a relative archive name is taken. Answers the exit
// code, or nothing for any other command.
//
// arhiva FILE.zip [--presnimi]: every file of the program folder into FILE.zip, written
// aside in FILE.zip's folder and renamed to it when complete. Exit 1 with the message for a
// target inside the program folder, for an existing FILE.zip without --presnimi, for a
// FILE.zip that is not a regular file (a folder, a named pipe, a device), for an
// archive that cannot be written, and when files that another station held are missing from
// it (the archive is written then, and the message names them).
//
// indeksi: every index file deleted and the standing indexes of every company built again.
// Exit 1, with nothing deleted, while another station holds a table or an index.
std::optional<int> runMaintenance(store::Session& program, const CliOptions& options,
                                  const std::filesystem::path& startedIn, std::ostream& out,
                                  std::ostream& err);

// The help text of `arhiva` or `indeksi` (without the common options).
std::string maintenanceHelp(Command command);

}  // namespace kavrina::cli
