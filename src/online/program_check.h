// Whether a downloaded file is a program this machine can run: an ELF executable of the
// running program's own kind, that starts and answers "--version".
#pragma once

#include <chrono>
#include <filesystem>

namespace kavrina::online {

enum class ProgramCheck {
  Fit,
  NotAProgram,  // not an ELF executable, or one built for another machine
  DoesNotRun,   // it did not start, did not answer "--version" in time, or answered an error
};

// Compares the ELF identification, the file type and the machine of `candidate` with those of
// `reference` (the running program's file).
bool sameKindOfProgram(const std::filesystem::path& candidate,
                       const std::filesystem::path& reference);

// Runs `candidate --version` with no input and waits up to `limit` for it to end; the
// program must end with status 0 having written something. A program still running after
// `limit` is killed and counts as not answering.
bool answersVersion(const std::filesystem::path& candidate, std::chrono::milliseconds limit);

// Both checks, in that order.
ProgramCheck checkProgram(const std::filesystem::path& candidate,
                          const std::filesystem::path& reference, std::chrono::milliseconds limit);

}  // namespace kavrina::online
