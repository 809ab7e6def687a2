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

// Children a test started and has not waited for yet. A test that forks by itself and may
// return (a failed assertion) before it waits calls trackChild; waitProcess forgets the
// child. Whatever is still tracked when a test ends is killed and reaped, so that no worker
// of a failed test goes on holding its files or runs into the next test.
void trackChild(pid_t pid);
void forgetChild(pid_t pid);
// Kills and reaps every tracked child; answers how many there were.
int killTrackedChildren();

}  // namespace kavrina::test
