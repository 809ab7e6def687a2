// The texts of the error handler: the technical one-line description of an error
// (ERRORMESSAGE), the Serbian message for the user where the cause is known, and the
// technical text with its "Called from" lines.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "errors/call_stack.h"
#include "errors/error.h"

namespace kavrina::errors {

inline constexpr const char* kCrLf = "\r\n";

// The description of a general error code ("Open error" for 21); a code without one gives
// "Undefined error code (Error.ch (EG_ <code>))".
std::string describeGenCode(int gencode);

// "Error " or "Warning " (SEVERITY > 1 or not), SUBSYSTEM or "???", "/" and SUBCODE or
// "???", two blanks and the description of GENCODE, then ": " CR LF and FILENAME, or when
// there is no file name ": " and OPERATION when there is one. Replaces the error's
// DESCRIPTION by the description of GENCODE.
std::string ERRORMESSAGE(Error& error);

// The working folder as the user messages name it: the absolute path ending with "/".
std::string workingFolderText(const std::filesystem::path& folder);

// The Serbian message for a failure whose cause is known (missing file, locked file or
// table, unreachable network drive, full disk, read-only file or folder, a symbolic link
// in a file's place, damaged or unreadable file), without the closing
// sentences; nothing for any other failure. `workingFolder` is named in the message for a
// missing file.
std::optional<std::string> userMessage(const Error& error, const std::string& workingFolder);

// The message with the two closing sentences the user is shown before the program ends.
std::string withClosingSentences(const std::string& message);

// ERRORMESSAGE, " (DOS Error <code>) " when OSCODE is not 0, CR LF, and for each frame
// CR LF "Called from <name> (<line>)" and two blanks.
std::string technicalText(Error& error, const std::vector<CallFrame>& frames);

}  // namespace kavrina::errors
