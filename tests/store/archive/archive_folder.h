// A program folder for the maintenance tests: companies "000" and "001" with their tables,
// standing indexes and working indexes; a scripted user and a scripted save dialog; helpers
// that read the folder and an archive back with independent tools (unzip), and start
// another station as a process of its own.
#pragma once

#include <sys/types.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/program.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/save_dialog.h"

namespace kavrina::test::archive {

namespace fs = std::filesystem;

// Files by their path below a folder (with "/"), with their bytes.
using FolderFiles = std::map<std::string, std::string>;

// The save dialog of a test: answers scripted in order (a path, or a cancel), every setting
// it was shown with recorded.
class ScriptedSaveDialog final : public ui::SaveDialog {
 public:
  ScriptedSaveDialog& choose(const fs::path& path) {
    answers_.push_back(path);
    return *this;
  }
  ScriptedSaveDialog& cancel() {
    answers_.push_back(std::nullopt);
    return *this;
  }
  // Called each time the dialog is shown, with the count of showings (1 for the first),
  // before the answer is given: a test arms a failure there for the save that follows.
  void setOnShow(std::function<void(std::size_t)> hook) { onShow_ = std::move(hook); }
  std::optional<fs::path> execute(const ui::SaveDialogSettings& settings) override;

  const std::vector<ui::SaveDialogSettings>& shown() const { return shown_; }
  std::size_t unused() const { return answers_.size(); }

 private:
  std::deque<std::optional<fs::path>> answers_;
  std::vector<ui::SaveDialogSettings> shown_;
  std::function<void(std::size_t)> onShow_;
};

class ArchiveFolder {
 public:
  // An empty program folder made the working directory; the temporary folder lies outside
  // it. With `base`, the folder lies under that folder.
  explicit ArchiveFolder(const fs::path& base = fs::temp_directory_path());
  ~ArchiveFolder();
  ArchiveFolder(const ArchiveFolder&) = delete;
  ArchiveFolder& operator=(const ArchiveFolder&) = delete;

  const fs::path& path() const { return dir_.path(); }
  store::Program& program() { return program_; }
  ui::ScriptedUi& ui() { return ui_; }
  const ui::ScriptedUi& ui() const { return ui_; }

  // Companies "000" (3 assets) and "001" (2 assets, in the company register) opened as the
  // program does, and in "001" a result table "A202412R.dbf" and the group-reset table
  // opened as working tables, which leaves the working indexes 001/NTX/BazaRA.ntx and
  // 001/NTX/MDNG.ntx. Every table is closed afterwards and company "000" is active.
  void makeTwoCompanies();
  // Opens the database of company "000" as a start does (DBOPENALL).
  void start();

  // Every file below the folder, names beginning with "." included only with `hidden`.
  FolderFiles files(bool hidden = false) const;
  // The paths below the folder of its index files, sorted.
  std::vector<std::string> indexFiles() const;
  // The names of files left aside (".<name>.<hex>.tmp") anywhere below `folder`.
  static std::vector<std::string> asideFiles(const fs::path& folder);

 private:
  TempDir dir_;
  TempDir temp_;
  fs::path previousCwd_;
  std::string previousTemp_;
  ui::ScriptedUi ui_;
  store::Program program_;
};

// A file system of its own with little room (a tmpfs of 64 KB), for a full target; unmounted
// when destroyed. Empty when this system does not let the test mount one.
class SmallFileSystem {
 public:
  SmallFileSystem();
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool mounted() const { return mounted_; }
  const fs::path& path() const { return dir_.path(); }

 private:
  TempDir dir_;
  bool mounted_ = false;
};

// Whether two existing paths lie on different file systems (a rename between them fails).
bool onOtherFileSystem(const fs::path& a, const fs::path& b);

// Runs a shell command; answers its exit code and fills `output` with what it printed.
int runCommand(const std::string& command, std::string* output = nullptr);

// The member names of a ZIP archive in their order, as unzip lists them.
std::vector<std::string> zipNames(const fs::path& zip);
// Whether `unzip -t` finds the archive whole (every CRC right).
bool zipTestPasses(const fs::path& zip);
// The members of a ZIP archive with their bytes, extracted by unzip.
FolderFiles unzipped(const fs::path& zip);

// Another station: a process that holds a file under its share-mode lock (`exclusive` or
// shared) or, for a folder, has the database open as a running program does. Ready when
// made; lets go when destroyed.
class OtherStation {
 public:
  static std::unique_ptr<OtherStation> holding(const fs::path& file, bool exclusive);
  static std::unique_ptr<OtherStation> running(const fs::path& folder);
  ~OtherStation();
  OtherStation(const OtherStation&) = delete;
  OtherStation& operator=(const OtherStation&) = delete;
  // Lets go and answers the process's exit code.
  int release();

 private:
  OtherStation() = default;
  // Starts the worker with `args` and the two signal files, and waits until it is ready.
  void start(std::vector<std::string> args);
  TempDir signals_;
  pid_t pid_ = -1;
};

}  // namespace kavrina::test::archive
