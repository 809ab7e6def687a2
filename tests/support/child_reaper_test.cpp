// The children a test leaves running are killed and reaped when it ends; a child it waited
// for is forgotten, so that its number, free again, is never killed later.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "support/process.h"

namespace kavrina::test {
namespace {

bool alive(pid_t pid) {
  return ::kill(pid, 0) == 0;
}

TEST(ChildReaper, KillsAndReapsWhatATestLeftRunningAndForgetsWhatItWaitedFor) {
  const pid_t left = startProcess("/bin/sleep", {"30"});
  const pid_t waited = startProcess("/bin/true", {});
  EXPECT_EQ(waitProcess(waited), 0);
  ASSERT_TRUE(alive(left));

  EXPECT_EQ(killTrackedChildren(), 1) << "only the child still running";
  EXPECT_FALSE(alive(left)) << "killed and reaped, not left a zombie";
  EXPECT_EQ(::waitpid(left, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(killTrackedChildren(), 0);
}

}  // namespace
}  // namespace kavrina::test
