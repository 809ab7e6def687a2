// `PreuzmiNovuVerzijuPrograma`: the new version downloaded beside the running program and
// put in its place by a rename, the old one kept under "Undo".
#pragma once

#include <filesystem>
#include <string>

#include "online/online_context.h"

namespace kavrina::online {

inline constexpr std::string_view kUndoFolder = "Undo";

// Whether the program must not replace its own file: the file belongs to the system's
// packages (under /usr, except /usr/local), or its folder is not writable for this process.
bool updateBlocked(const std::filesystem::path& executable);

// V: a data version without ".", " ", "(" and ")" ("1.07" gives "107").
std::string backupVersion(std::string_view dataVersion);

// The files of one installation.
struct UpdateFiles {
  std::filesystem::path download;  // the complete new program ("update_" + N), beside `program`
  std::filesystem::path program;   // the running program's file
  std::filesystem::path undo;      // the backup folder "Undo"
  std::string name;                // N
  std::string version;             // V
};

// Puts the new program in place: creates "Undo"; renames an existing backup "N.V" to
// "N_" + stamp + ".V"; keeps the running program as "Undo/N.V" (a second name of the same
// file where the file system allows, else a copy written aside); gives the download the
// program's permissions and renames it over the program, which is replaced in one step.
// Answers false when a step failed; the steps done are then undone, so the program file,
// the backups and the download are as they were.
bool installUpdate(const UpdateFiles& files, const LocalTime& now);

// Downloads "update_" + lower(N) into "update_" + N beside the running program (checked
// against the "sha256" of "sw_ver.ini" when the server gives one) and installs it, with
// the documented wait notices and messages; then shows the release notes afresh. Answers
// true when the new version is in place (the program must end).
bool PreuzmiNovuVerzijuPrograma(OnlineContext& context);

}  // namespace kavrina::online
