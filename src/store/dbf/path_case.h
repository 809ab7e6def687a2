// Finding existing files whatever the case of their names, since data folders copied from
// other systems may say FIRME.DBF where the program asks for Firme.dbf.
#pragma once

#include <filesystem>

namespace kavrina::store {

// The existing path that matches `path` when each component is compared without regard to
// case (an exact match wins); `path` itself when nothing matches.
std::filesystem::path findCaseInsensitive(const std::filesystem::path& path);

// Whether a file exists under that name in any case.
bool existsCaseInsensitive(const std::filesystem::path& path);

}  // namespace kavrina::store
