#include "durability/durability_folder.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <random>
#include <stdexcept>

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
  use_.reset();
  fs::current_path(previousCwd_);
  ::unsetenv("TEMP");
}

void DurabilityFolder::newUserInterface() {
  use_.reset();
  ui_ = std::make_unique<ui::ScriptedUi>();
  use_ = std::make_unique<ui::ScopedUserInterface>(*ui_);
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

Station::Station() {
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
  store::DBOPENALL(program);
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

std::uint32_t testSeed() {
  if (const char* text = std::getenv("KAVRINA_TEST_SEED"); text && *text)
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
  return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() &
                                    0x7fffffff);
}

}  // namespace kavrina::test::durability
