// A program folder for the durability tests: a scenario is set up once in it and kept as a
// template, and every run starts again from a fresh copy of the template. Helpers build the
// registers, run the operations whose interruption is tested (in this process, in a forked
// child or as kavrina-cli), and tell whether the files are the old ones, the complete new
// ones, and valid.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/fault_injection.h"
#include "store/program.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kavrina::test::durability {

namespace fs = std::filesystem;

// Files of a folder by relative path, with their bytes; aside files left out.
using FolderFiles = std::map<std::string, std::string>;

class DurabilityFolder {
 public:
  DurabilityFolder();
  ~DurabilityFolder();
  DurabilityFolder(const DurabilityFolder&) = delete;
  DurabilityFolder& operator=(const DurabilityFolder&) = delete;

  // The program folder (also the working directory while the object lives).
  const fs::path& work() const { return work_; }
  ui::ScriptedUi& ui() { return *ui_; }

  // Keeps the work folder as it is now as the template, and restores it from there.
  void keepAsTemplate();
  void restoreTemplate();

  FolderFiles files() const;
  FolderFiles templateFiles() const { return templateFiles_; }
  // Names of aside files present in DBF/ and NTX/.
  std::vector<std::string> asideFiles() const;

  // A fresh user interface (what the last run showed is then forgotten).
  void newUserInterface();

 private:
  TempDir root_{memoryFolderOrTemp()};
  fs::path work_;
  fs::path template_;
  FolderFiles templateFiles_;
  fs::path previousCwd_;
  std::unique_ptr<ui::ScriptedUi> ui_;
};

// One station's run in the current folder: a fresh set of program-wide variables, deleted
// records hidden, the database opened with DBOPENALL. close() ends the run as the program
// does (a failure to close is reported); the destructor only cleans up after a failure.
struct Station {
  store::Program program;
  // `ui`: whom the run talks to (none: nothing is shown).
  explicit Station(ui::UserInterface* ui = nullptr);
  ~Station();
  void open();
  void close() { program.areas.closeAll(); }
};

// Writes `count` random assets (seeded) straight into an exclusive `MDOS` at `file`, some of
// them marked deleted; inventory numbers 1..count in a shuffled order.
void writeRandomAssets(const fs::path& file, int count, std::uint32_t seed);

// The calculation of one year, annual, both kinds, with the default tax rules.
void calculate(store::Program& program, int year);

// Whether `bytes` equal `expected` leaving out the date of the last update (header bytes
// 1-3), which a table written on another day would differ in.
bool sameTable(const std::string& bytes, const std::string& expected);

// What is wrong with the index file `ntx` over the table `dbf` (a whole tree with one key per
// record), or "" when it is sound.
std::string indexProblem(const fs::path& dbf, const fs::path& ntx);

// Arms the N-th operation of the kind to fail: every second write as a full disk (that write
// and every later one), any other as an I/O error.
void armFailureAt(faults::Op kind, std::uint64_t nth);

// Runs `work` in a forked child that is killed at the N-th file operation of the kind (the
// trigger is armed in the child only). Answers true when the child was killed, false when
// it finished first (N beyond what the work does). The child must not outlive the call.
bool runKilledAt(const std::function<void()>& work, int opKind, std::uint64_t nth);

}  // namespace kavrina::test::durability

namespace kavrina::test::durability {

// A forked child running `work` that stops just before it renames a file to a name ending
// in `renamedTo` (a table or index taking its new contents) until it is released: lets a
// test put another station's work exactly at that moment.
class HeldChild {
 public:
  HeldChild(const std::function<void()>& work, std::string renamedTo);
  // Held instead before the first file operation for which `holdBefore` answers true (it is
  // asked in the child, at every operation, with the kind and, for a rename, the new name).
  HeldChild(const std::function<void()>& work,
            std::function<bool(faults::Op, std::string_view name)> holdBefore);
  ~HeldChild();
  HeldChild(const HeldChild&) = delete;
  HeldChild& operator=(const HeldChild&) = delete;

  // Waits until the child stands at the operation; false when it ended before reaching it.
  bool waitUntilHeld();
  // Lets it go on and waits for its end: its exit code (0 when the work succeeded).
  int releaseAndWait();

 private:
  pid_t pid_ = -1;
  int held_[2] = {-1, -1};
  int go_[2] = {-1, -1};
};

// Starts kavrina-cli with the arguments in `folder` (output thrown away); answers its pid.
pid_t startCli(const std::vector<std::string>& args, const fs::path& folder);

}  // namespace kavrina::test::durability
