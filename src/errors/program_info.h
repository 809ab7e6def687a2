// The program-wide values that the error log and other parts name: program, version,
// version date, start time and the program folder.
#pragma once

#include <filesystem>
#include <string>

#include "common/version.h"

namespace kavrina::errors {

struct ProgramInfo {
  std::string SW = "Kavrina";         // program name
  std::string VER{kProgramVersion};   // program version
  std::string DATVER = "16.10.2023";  // date of this version
  std::string CSTARTTIME;             // start, "dd.mm.yyyy hh:mm:ss"; set when the program starts
  std::filesystem::path folder;       // program folder; the error log "Error.txt" lies in it
};

// The program folder: $KAVRINA_HOME when set; otherwise the folder of the running
// executable (the current directory when that cannot be learned), unless the program is
// installed there, when it is the user's data folder (below).
std::filesystem::path locateProgramFolder();

// The folder of the running executable, or an empty path when it cannot be learned.
std::filesystem::path executableFolder();

// Whether the program in `exeFolder` is installed rather than run from where it was built
// or unpacked: the folder is not writable for this user (a system package), or it is a
// "bin" folder with "share/applications/kavrina.desktop" beside it (`cmake --install` to a
// prefix of the user's own). An installed program keeps no data beside itself.
bool isInstalledProgram(const std::filesystem::path& exeFolder);

// The data folder of an installed program: $XDG_DATA_HOME/kavrina, else
// $HOME/.local/share/kavrina; empty when neither variable is set.
std::filesystem::path userDataFolder();

// The text of the information screen: program, version and its date, and
// "Podaci programa: " with the program folder.
std::string programInfoText(const ProgramInfo& info);

// The current local date and time as "dd.mm.yyyy hh:mm:ss".
std::string currentDateTimeText();

}  // namespace kavrina::errors
