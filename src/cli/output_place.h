// The tool's one check of a file named on its command line as output (a PDF, the data
// archive): not in the program folder, not over anything but a regular file, and over an
// existing one only with --presnimi.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kavrina::cli {

// Answers the message when `target` may not be written (`presnimi`: --presnimi was given),
// none when it may.
std::optional<std::string> refuseOutputPlace(const std::filesystem::path& target,
                                             const std::filesystem::path& programFolder,
                                             bool presnimi);

}  // namespace kavrina::cli
