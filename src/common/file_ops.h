// Operations on names in a folder that the durability of the data rests on: renames that
// replace or refuse to replace, flushing a folder so that a rename survives a power cut,
// removing. Renames pass the fault-injection checkpoint. Every function returns errno
// (0 on success).
#pragma once

#include <filesystem>

namespace kavrina::fileops {

// Renames `from` to `to`, replacing a file of that name in one step.
int renameReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames `from` to `to` only when no file has that name: EEXIST otherwise, and then
// nothing changed. Atomic where the file system offers it; see the .cpp for the others.
int renameNotReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Flushes the folder's entries (a rename or a new file in it) to disk.
int syncFolder(const std::filesystem::path& folder);
// The folder a path lies in ("." for a bare name).
std::filesystem::path folderOf(const std::filesystem::path& path);
// Removes a file (never a folder); ENOENT when there was none.
int removeFile(const std::filesystem::path& path);

}  // namespace kavrina::fileops
