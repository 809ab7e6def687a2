// Finding files whose names may differ in case from their documented spelling: data
// folders copied from other systems may say FIRME.DBF or KAVRINA.INI where the program
// asks for Firme.dbf or Kavrina.ini.
#pragma once

#include <filesystem>

namespace kavrina {

// The path of `relative` under `folder`, matching each component case-insensitively
// (ASCII letters) against what exists. A component that exists with exactly the given
// spelling is taken as is; otherwise the first directory entry equal to it in any case is
// taken; from the first component that matches nothing on, the given spelling is kept,
// so the result is also the path under which to create a missing file. An empty `folder`
// means the current directory, and the result then stays relative.
std::filesystem::path findNoCase(const std::filesystem::path& folder,
                                 const std::filesystem::path& relative);

// The same for a whole path, relative to the current directory or absolute.
std::filesystem::path findCaseInsensitive(const std::filesystem::path& path);

// Whether a file or folder exists under that name in any case.
bool existsCaseInsensitive(const std::filesystem::path& path);

}  // namespace kavrina
