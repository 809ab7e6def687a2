// Starting real worker processes for the tests that share one data folder between
// several programs (no descriptor is shared with a child: each opens its files itself).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kavrina::test {

// Starts `program` with the arguments; returns its process id (throws on failure).
pid_t startProcess(const std::string& program, const std::vector<std::string>& args);
// Waits for the process and returns its exit code (-1 when it did not exit normally).
int waitProcess(pid_t pid);
// Runs the program to its end and returns the exit code.
int runProcess(const std::string& program, const std::vector<std::string>& args);

}  // namespace kavrina::test
