// The real window program failing while its main window is created (its companies' table is
// a folder it cannot open): the "Called from" lines of its "Error.txt" are the program's own
// procedures, from the one that failed out to the program's main, as kavrina-cli's are.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> calledFromLines(const std::string& log) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while ((at = log.find("Called from ", at)) != std::string::npos) {
    const std::size_t end = log.find("  ", at);
    lines.push_back(log.substr(at + 12, end - at - 12));
    at = end;
  }
  return lines;
}

TEST(ProgramErrorLog, CalledFromLinesStopAtTheProgramsMain) {
  TempDir folder;
  fs::create_directories(folder.path() / "DBF" / "Firme.dbf");
  ::setenv("KAVRINA_HOME", folder.path().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const pid_t program = startProcess(KAVRINA_PROGRAM, {});
  // The technical text reaches "Error.txt" before the error box is shown; the box then
  // waits for a click no one gives, so the program is stopped once the log is written.
  const fs::path log = folder.path() / "Error.txt";
  std::string text;
  for (int i = 0; i < 300 && text.find("Called from main (") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (fs::exists(log)) text = readFileBytes(log);
  }
  ::kill(program, SIGKILL);
  waitProcess(program);
  ::unsetenv("KAVRINA_HOME");

  const std::vector<std::string> lines = calledFromLines(text);
  ASSERT_GE(lines.size(), 3u) << text;
  EXPECT_EQ(lines.front().rfind("kavrina::store::", 0), 0u) << "the failing procedure first";
  EXPECT_EQ(lines.back().rfind("main (", 0), 0u) << text;
  EXPECT_EQ(lines[lines.size() - 2].rfind("kavrina::app::runProgram (", 0), 0u) << text;
  bool window = false;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("std::"), std::string::npos) << line;
    EXPECT_EQ(line.find("__libc"), std::string::npos) << line;
    EXPECT_NE(line.rfind("_start", 0), 0u) << line;
    window = window || line.rfind("kavrina::app::TFOSMAIN::fOSMainOnCreate (", 0) == 0;
  }
  EXPECT_TRUE(window) << text;
}

}  // namespace
}  // namespace kavrina::test
