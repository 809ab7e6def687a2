// Where a file the user names as output (a PDF, the data archive, an export) may go: never
// into the program's folder or below it, where the tables, indexes and settings live; never
// over anything but a regular file; over an existing regular file only when the user asked
// for it. Every output of the program takes its place through this one check.
#pragma once

#include <filesystem>
#include <string>

namespace kavrina::output {

// The path with symbolic links, "." and ".." resolved as far as it exists, the rest
// normalised; relative paths are taken from the current directory.
std::filesystem::path resolvedPath(const std::filesystem::path& path);

// Whether `candidate` lies in `folder` or below it (or is `folder` itself), both taken with
// symbolic links, "." and ".." resolved as far as they exist; relative paths are taken from
// the current directory.
bool isInsideFolder(const std::filesystem::path& candidate, const std::filesystem::path& folder);

// What lies at an output path.
enum class Target {
  Free,          // nothing of that name: it may be written
  RegularFile,   // a regular file, or a link to one: replaced only when the user asks
  NotAFile,      // a folder, named pipe, device, socket, or a link to none of them: never
  InDataFolder,  // in the program folder or below it: never
  NoFolder,      // the folder it would go into does not exist
};

// Looks at `target` (without following a link planted at its name beyond one look at what
// it points to). `programFolder` empty: no folder is refused for being the program's.
Target checkTarget(const std::filesystem::path& target, const std::filesystem::path& programFolder);

// Whether an output may be written at a place `checkTarget` described; `replace`: the user
// asked to replace an existing regular file.
bool mayWrite(Target target, bool replace);

// The message for a place that may not be written (any Target but Free; RegularFile: the
// file exists and no one asked to replace it).
std::string refusalText(Target refused, const std::filesystem::path& target,
                        const std::filesystem::path& programFolder);

// The question before an existing file is replaced: "Fajl: " + path + " vec postoji.",
// two line breaks, "Zelite li da ga presnimite?".
std::string overwriteQuestion(const std::filesystem::path& target);

// The message for an output that could not be written, by its errno: no space left on the
// disk, a protected disk or folder, or the system's own words for anything else.
std::string writeErrorText(int error, const std::filesystem::path& target);

// The warning for an output written whole whose folder did not confirm the new name on disk.
std::string folderFlushWarning(int error, const std::filesystem::path& target);

}  // namespace kavrina::output
