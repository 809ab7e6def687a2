// The text files a handheld scanner exports after a count: one code a line, optionally
// followed by ";" and the location it was read at ("InvBr;Lokacija"). Taken as scanners
// write them: a UTF-8 byte-order mark, CR LF or LF line ends, blank lines and repeated
// scans are all fine; a line that is no readable text is kept, marked, to be listed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/scan_line.h"

namespace kavrina::import {

using reports::ScanLine;

// The largest scanner file taken: far beyond any count (a million codes).
inline constexpr std::uint64_t kMaxScanFileBytes = 64u << 20;

// The non-blank lines of one file's bytes, in order. Never fails: what cannot be read as a
// code is an unreadable line.
std::vector<ScanLine> parseScanText(std::string_view bytes, const std::string& fileName);

// The lines of every file, in the order given, each naming its file by its name without the
// folder, or (with no lines) the message saying which
// file could not be read and why (missing, a folder, not a regular file, too big, a read
// error). Reads only.
struct ScanFilesRead {
  std::vector<ScanLine> lines;
  std::optional<std::string> error;
};
ScanFilesRead readScanFiles(const std::vector<std::filesystem::path>& files);

}  // namespace kavrina::import
