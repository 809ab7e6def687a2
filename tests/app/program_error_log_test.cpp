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

// Starts the window program on `folder`, which is to fail while its main window is made,
// and answers what it wrote into "Error.txt" once the log holds `shownBeforeTheBox`: the
// text written before the error box is shown (the technical text of a failure without a
// message for the user, or else that message); the box then waits for a click no one
// gives, so the program is stopped there.
std::string errorLogOfAFailedStart(const fs::path& folder, const std::string& shownBeforeTheBox) {
  ::setenv("KAVRINA_HOME", folder.c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const pid_t program = startProcess(KAVRINA_PROGRAM, {});
  const fs::path log = folder / "Error.txt";
  std::string text;
  for (int i = 0; i < 300 && text.find(shownBeforeTheBox) == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (fs::exists(log)) text = readFileBytes(log);
  }
  ::kill(program, SIGKILL);
  waitProcess(program);
  ::unsetenv("KAVRINA_HOME");
  return text;
}

TEST(ProgramErrorLog, CalledFromLinesStopAtTheProgramsMain) {
  TempDir folder;
  fs::create_directories(folder.path() / "DBF" / "Firme.dbf");
  const std::string text = errorLogOfAFailedStart(folder.path(), "Called from main (");

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

// The window's start meets a companies' table whose header claims more than the file holds
// (a header length past its end, five records): it stops naming the file, which it leaves
// as it was, and makes no table in its place or beside it.
TEST(ProgramErrorLog, TheWindowRefusesADamagedTableAndMakesNothingInItsPlace) {
  TempDir folder;
  fs::create_directories(folder.path() / "DBF");
  std::string damaged(100, '\0');
  damaged[0] = '\x03';
  damaged[4] = '\x05';               // five records
  damaged[8] = damaged[9] = '\xFF';  // a header of 65535 bytes
  damaged[10] = '\x4F';              // records of 79 bytes
  const fs::path firme = folder.path() / "DBF" / "Firme.dbf";
  writeFileBytes(firme, damaged);
  const std::string text =
      errorLogOfAFailedStart(folder.path(), "Program ne moze da nastavi dalje sa radom.");

  EXPECT_EQ(text.rfind("Fajl (DBF/Firme.dbf) je privremeno ili trajno ostecen.", 0), 0u) << text;
  EXPECT_EQ(readFileBytes(firme), damaged);
  for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
    EXPECT_TRUE(entry.path() == firme || entry.path().extension() != ".dbf")
        << entry.path() << " was made";
}

}  // namespace
}  // namespace kavrina::test
