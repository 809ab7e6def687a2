// Reading a file the user names whole, within a bound: only a regular file, opened without
// waiting on a pipe or a device, so that a folder, a device or a runaway file is refused
// rather than filling the program's memory. Each caller words the refusal for its file.
#pragma once

#include <cstdint>
#include <string>

namespace kavrina::import {

enum class WholeFileFault { None, Unreadable, Folder, NotRegular, TooBig };

// Reads the whole file `file` into `bytes`, at most `maxBytes` of it (a larger file is
// TooBig and nothing beyond the bound is read). Answers None when it did.
WholeFileFault readWholeFile(const std::string& file, std::uint64_t maxBytes, std::string& bytes);

}  // namespace kavrina::import
