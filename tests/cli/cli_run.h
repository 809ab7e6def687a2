// Runs the kavrina-cli executable as a separate process with its own working directory
// and environment, and captures its exit code, standard output and standard error.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kavrina::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// `env` entries are set in the child (an empty value unsets the variable). `launcher`, when
// given, is the program (with its arguments) that starts kavrina-cli, e.g. one that runs it
// as another user.
inline CliRun runKavrinaCli(const std::vector<std::string>& args,
                            const std::filesystem::path& workingDir,
                            const std::map<std::string, std::string>& env = {},
                            const std::vector<std::string>& launcher = {}) {
  TempDir capture;
  const std::string outFile = (capture.path() / "out").string();
  const std::string errFile = (capture.path() / "err").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (::chdir(workingDir.c_str()) != 0) ::_exit(126);
    for (const auto& [name, value] : env) {
      if (value.empty())
        ::unsetenv(name.c_str());
      else
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::string> copy = launcher;
    copy.push_back(KAVRINA_CLI);
    copy.insert(copy.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(copy.front().c_str(), argv.data());
    ::_exit(127);
  }
  CliRun run;
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readFileBytes(outFile);
  run.err = readFileBytes(errFile);
  return run;
}

// kavrina-cli with --dir `folder`, started from `startedIn`, KAVRINA_HOME unset: the
// tool on a program folder a test made.
inline CliRun runOnFolder(const std::filesystem::path& folder,
                          const std::filesystem::path& startedIn,
                          const std::vector<std::string>& args) {
  std::vector<std::string> all = {"--dir", folder.string()};
  all.insert(all.end(), args.begin(), args.end());
  return runKavrinaCli(all, startedIn, {{"KAVRINA_HOME", ""}});
}

}  // namespace kavrina::test
