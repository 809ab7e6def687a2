#include "durability/durability_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <random>
#include <stdexcept>

#include "commands/open_database.h"
#include "common/aside_file.h"
#include "common/date.h"
#include "common/fault_injection.h"
#include "depreciation/obracun.h"
#include "errors/error.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"

namespace kavrina::test::durability {

DurabilityFolder::DurabilityFolder()
    : work_(root_.path() / "work"),
      template_(root_.path() / "template"),
      previousCwd_(fs::current_path()) {
  fs::create_directories(work_);
  fs::create_directories(root_.path() / "tmp");
  ::setenv("TEMP", (root_.path() / "tmp").c_str(), 1);
  fs::current_path(work_);
  settings::useSettingsFolder(work_);
  newUserInterface();
}

DurabilityFolder::~DurabilityFolder() {
  fs::current_path(previousCwd_);
  ::unsetenv("TEMP");
}

void DurabilityFolder::newUserInterface() {
  ui_ = std::make_unique<ui::ScriptedUi>();
}

void DurabilityFolder::keepAsTemplate() {
  fs::remove_all(template_);
  fs::copy(work_, template_, fs::copy_options::recursive);
  templateFiles_ = files();
}

void DurabilityFolder::restoreTemplate() {
  for (const auto& entry : fs::directory_iterator(work_)) fs::remove_all(entry.path());
  fs::copy(template_, work_, fs::copy_options::recursive);
}

FolderFiles DurabilityFolder::files() const {
  FolderFiles out;
  for (const auto& entry : fs::recursive_directory_iterator(work_)) {
    if (!entry.is_regular_file() || isAsideFileName(entry.path().filename().string())) continue;
    out[fs::relative(entry.path(), work_).string()] = readFileBytes(entry.path());
  }
  return out;
}

std::vector<std::string> DurabilityFolder::asideFiles() const {
  std::vector<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(work_))
    if (isAsideFileName(entry.path().filename().string()))
      out.push_back(fs::relative(entry.path(), work_).string());
  return out;
}

Station::Station(ui::UserInterface* ui) {
  program.ui = ui;
  program.info.folder = fs::current_path();
  program.info.SW = "Kavrina";
  program.areas.setHideDeleted(true);
}

Station::~Station() {
  try {
    program.areas.closeAll();
  } catch (...) {
  }
}

void Station::open() {
  commands::DBOPENALL(program);
}

void writeRandomAssets(const fs::path& file, int count, std::uint32_t seed) {
  std::mt19937 random(seed);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<int> numbers(static_cast<std::size_t>(count));
  std::iota(numbers.begin(), numbers.end(), 1);
  std::shuffle(numbers.begin(), numbers.end(), random);
  auto table = store::DbfTable::open(file, {.shared = false});
  if (!table) throw std::runtime_error("MDOS cannot be opened");
  constexpr double kRates[] = {2.5, 10, 15, 20, 30};
  for (int number : numbers) {
    if (!table->append()) throw std::runtime_error("append refused");
    table->putString("InvBr", std::to_string(number));
    table->putString("Naziv", "Sredstvo " + std::to_string(number));
    const int year = pick(2012, 2025);
    table->putDate("DatumN", Date::fromYmd(year, pick(1, 12), pick(1, 28)));
    if (pick(0, 9) == 0)
      table->putDate("DatumO", Date::fromYmd(std::min(2025, year + pick(0, 6)), pick(1, 12), 15));
    const double base = pick(100'000, 900'000'000) / 100.0;
    table->putNumber("RAOsn", base);
    table->putNumber("PAOsn", base);
    table->putNumber("RAStopa", pick(1, 40) * 2.5);
    table->putNumber("RAtip", pick(1, 2));
    const int group = pick(1, 5);
    table->putNumber("PAgrupa", group);
    table->putNumber("PAStopa", kRates[group - 1]);
    table->putNumber("Kolicina", 1);
    if (pick(0, 19) == 0) table->deleteRecord();
  }
  table->close();
}

void calculate(store::Program& program, int year) {
  const auto result = depreciation::runObracun(
      program, {.year = year, .months = 12, .accounting = true, .tax = true},
      depreciation::TaxRules{});
  if (!result.done) throw std::runtime_error("the calculation found a table in use");
}

void armFailureAt(faults::Op kind, std::uint64_t nth) {
  const bool diskFull = kind == faults::Op::Write && nth % 2 == 0;
  faults::arm({.op = kind,
               .nth = nth,
               .effect = faults::Effect::Fail,
               .error = diskFull ? ENOSPC : EIO,
               .sticky = diskFull});
}

bool sameTable(const std::string& bytes, const std::string& expected) {
  if (bytes.size() != expected.size() || bytes.size() < 4) return false;
  return bytes[0] == expected[0] && bytes.compare(4, std::string::npos, expected, 4) == 0;
}

std::string indexProblem(const fs::path& dbf, const fs::path& ntx) {
  errors::HandlerSuspended quiet;
  try {
    auto table = store::DbfTable::open(dbf, {.shared = true, .readOnly = true});
    auto index = store::ntx::NtxFile::open(ntx, /*shared=*/true, /*readOnly=*/true);
    const store::ntx::TreeCheck check = store::ntx::checkTree(*index, false);
    if (!check.ok()) return check.problem;
    if (check.itemCount != table->recCount())
      return std::to_string(check.itemCount) + " keys for " + std::to_string(table->recCount()) +
             " records";
    return {};
  } catch (const errors::Error& e) {
    return e.what();
  }
}

bool runKilledAt(const std::function<void()>& work, int opKind, std::uint64_t nth) {
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    faults::arm(
        {.op = static_cast<faults::Op>(opKind), .nth = nth, .effect = faults::Effect::Kill});
    try {
      work();
    } catch (...) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return true;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return false;
  throw std::runtime_error("the child failed otherwise (status " + std::to_string(status) + ")");
}

}  // namespace kavrina::test::durability

namespace kavrina::test::durability {

HeldChild::HeldChild(const std::function<void()>& work, std::string renamedTo)
    : HeldChild(work, [renamedTo](faults::Op op, std::string_view name) {
        return op == faults::Op::Rename && name.ends_with(renamedTo);
      }) {}

HeldChild::HeldChild(const std::function<void()>& work,
                     std::function<bool(faults::Op, std::string_view name)> holdBefore) {
  if (::pipe(held_) != 0 || ::pipe(go_) != 0) throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::close(held_[0]);
    ::close(go_[1]);
    faults::setObserver(
        [&, held = false](faults::Op op, std::uint64_t, std::string_view name) mutable {
          if (held || !holdBefore(op, name)) return;
          held = true;
          char byte = 'h';
          if (::write(held_[1], &byte, 1) != 1) ::_exit(4);
          if (::read(go_[0], &byte, 1) != 1) ::_exit(5);
        });
    try {
      work();
    } catch (...) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  ::close(held_[1]);
  held_[1] = -1;
  ::close(go_[0]);
  go_[0] = -1;
}

HeldChild::~HeldChild() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  for (int fd : {held_[0], go_[1]})
    if (fd >= 0) ::close(fd);
}

bool HeldChild::waitUntilHeld() {
  char byte = 0;
  return ::read(held_[0], &byte, 1) == 1;
}

int HeldChild::releaseAndWait() {
  char byte = 'g';
  if (::write(go_[1], &byte, 1) != 1) {
    // The child ended before it was held: its status tells how.
  }
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0) {
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t startCli(const std::vector<std::string>& args, const fs::path& folder) {
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<std::string> all{KAVRINA_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(KAVRINA_CLI, argv.data());
    ::_exit(127);
  }
  return pid;
}

}  // namespace kavrina::test::durability
