// Reading the CSV file an import names: only a regular file, and only up to a size no
// register reaches, so that a device, a folder or a runaway file gets its message rather
// than the program's memory.
#pragma once

#include <cstdint>
#include <string>

namespace kavrina::import {

// The largest file an import reads: a register of about a million assets.
inline constexpr std::uint64_t kMaxCsvBytes = 256ull * 1024 * 1024;

// Reads the whole file `file` into `bytes`. Answers "" when it did, otherwise the message
// for the user: the file cannot be read (or is missing), is not a regular file (a folder, a
// device such as /dev/zero, a pipe), or is larger than kMaxCsvBytes. Nothing beyond that
// size is ever read.
std::string readCsvFile(const std::string& file, std::string& bytes);

}  // namespace kavrina::import
