// The program-wide values that the error log and other parts name: program, version,
// version date, start time and the program folder.
#pragma once

#include <filesystem>
#include <string>

#include "common/version.h"

namespace kavrina::errors {

struct ProgramInfo {
  std::string SW = "Kavrina";         // program name
  std::string VER{kProgramVersion};  // program version
  std::string DATVER = "16.10.2023";  // date of this version
  std::string CSTARTTIME;             // start, "dd.mm.yyyy hh:mm:ss"; set when the program starts
  std::filesystem::path folder;       // program folder; the error log "Error.txt" lies in it
};

// The program folder: $KAVRINA_HOME when set, otherwise the folder of the running
// executable (the current directory when that cannot be learned).
std::filesystem::path locateProgramFolder();

// The current local date and time as "dd.mm.yyyy hh:mm:ss".
std::string currentDateTimeText();

}  // namespace kavrina::errors
