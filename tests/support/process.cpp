#include "support/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <set>
#include <stdexcept>

extern char** environ;

namespace kavrina::test {
namespace {

std::set<pid_t>& trackedChildren() {
  static std::set<pid_t> children;
  return children;
}

// Kills the children a test left behind when it ends, passed or failed.
class ChildReaper : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { killTrackedChildren(); }
};

const bool kReaperInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ChildReaper);
  return true;
}();

}  // namespace

void trackChild(pid_t pid) {
  if (pid > 0) trackedChildren().insert(pid);
}

void forgetChild(pid_t pid) {
  trackedChildren().erase(pid);
}

int killTrackedChildren() {
  const std::set<pid_t> children = std::exchange(trackedChildren(), {});
  for (pid_t pid : children) {
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  return static_cast<int>(children.size());
}

pid_t startProcess(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (rc != 0) throw std::runtime_error("cannot start " + program);
  trackChild(pid);
  return pid;
}

int waitProcess(pid_t pid) {
  forgetChild(pid);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runProcess(const std::string& program, const std::vector<std::string>& args) {
  return waitProcess(startProcess(program, args));
}

}  // namespace kavrina::test
