// kavrina-cli without its process: reads the command line, opens the program folder's
// database as the program does, and runs one command over the same code as the program.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/program.h"

namespace kavrina::cli {

// Runs the command line `args` (without the program name) with `program` as the
// program-wide variables, writing results to `out` and messages to `err`. Works in the
// program folder (--dir, else $KAVRINA_HOME, else the data folder of an installed tool,
// made when missing, else the current directory), which it makes
// the current directory and the settings folder. Answers the exit code: kExitOk,
// kExitFailure (a table in use, an unknown company, a missing table, a folder that does
// not exist, a document with nothing to print, a PDF that cannot be written), kExitUsage (a wrong
// command line or a value the dialogs would refuse). Needs a user interface installed. Errors of
// the table layer go to the installed error handler; EndProgram (the structure check could not get
// exclusive use) passes out.
int runCli(store::Program& program, const std::vector<std::string>& args, std::ostream& out,
           std::ostream& err);

}  // namespace kavrina::cli
