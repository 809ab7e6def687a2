// Finding files whose names may differ in case from their documented spelling (data
// copied from Windows may say "KAVRINA.INI" or "INI_LST/veka.ini").
#pragma once

#include <filesystem>

namespace kavrina::settings {

// The path of `relative` under `folder`, matching each component case-insensitively
// (ASCII letters) against what exists. A component that exists with exactly the given
// spelling is taken as is; otherwise the first directory entry equal to it in any case is
// taken; from the first component that matches nothing on, the given spelling is kept,
// so the result is also the path under which to create a missing file.
std::filesystem::path findNoCase(const std::filesystem::path& folder,
                                 const std::filesystem::path& relative);

}  // namespace kavrina::settings
