#include "archive_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "common/aside_file.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "store/rec_lock.h"
#include "store/schema.h"
#include "support/process.h"

namespace kavrina::test::archive {

std::optional<fs::path> ScriptedSaveDialog::execute(const ui::SaveDialogSettings& settings) {
  shown_.push_back(settings);
  if (onShow_) onShow_(shown_.size());
  if (answers_.empty()) throw std::logic_error("the save dialog was shown once more than scripted");
  std::optional<fs::path> answer = answers_.front();
  answers_.pop_front();
  return answer;
}

ArchiveFolder::ArchiveFolder(const fs::path& base) : dir_(base), previousCwd_(fs::current_path()) {
  if (const char* temp = std::getenv("TEMP")) previousTemp_ = temp;
  fs::current_path(dir_.path());
  ::setenv("TEMP", temp_.path().c_str(), 1);
  settings::useSettingsFolder(dir_.path());
  program_.info.folder = dir_.path();
  program_.areas.setHideDeleted(true);
  program_.ui = &ui_;
}

ArchiveFolder::~ArchiveFolder() {
  program_.areas.closeAll();
  fs::current_path(previousCwd_);
  if (previousTemp_.empty())
    ::unsetenv("TEMP");
  else
    ::setenv("TEMP", previousTemp_.c_str(), 1);
}

void ArchiveFolder::start() {
  program_.CSIFRAFIRME = "000";
  program_.CSUBDIRFIRME.clear();
  store::DBOPENALL(program_);
}

namespace {

void addAsset(store::Program& program, const std::string& invBr, double amount) {
  ASSERT_TRUE(store::writeRecord(program, "MDOS", true, [&](store::DbfTable& t) {
    t.putString("InvBr", invBr);
    t.putString("Naziv", "Sredstvo " + invBr);
    t.putDate("DatumN", Date::fromYmd(2020, 3, 15));
    t.putNumber("RAOsn", amount);
    t.putNumber("PAOsn", amount);
  }));
}

}  // namespace

void ArchiveFolder::makeTwoCompanies() {
  start();
  for (const char* invBr : {"1", "2", "10"}) addAsset(program_, invBr, 1200.5);
  ASSERT_TRUE(store::writeRecord(program_, "Firme", true, [](store::DbfTable& t) {
    t.putString("Sifra", "001");
    t.putString("Naziv", "Klijent d.o.o.");
    t.putString("Mesto", "Novi Sad");
  }));
  program_.CSIFRAFIRME = "001";
  program_.CSUBDIRFIRME = store::companyPrefix("001");
  store::DBOPENALL(program_);
  for (const char* invBr : {"7", "8"}) addAsset(program_, invBr, 99.9);
  const fs::path result = store::dataPath(program_, "A202412R.dbf");
  ASSERT_TRUE(store::DbfTable::create(result, store::schema::resultRa()));
  ASSERT_TRUE(store::openWorkingTable(program_, result, "BazaRA"));
  ASSERT_TRUE(store::openWorkingTable(program_, store::dataPath(program_, "MDNG.dbf"), "MDNG"));
  program_.areas.closeAll();
  program_.CSIFRAFIRME = "000";
  program_.CSUBDIRFIRME.clear();
}

FolderFiles ArchiveFolder::files(bool hidden) const {
  FolderFiles out;
  for (auto it = fs::recursive_directory_iterator(path()); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().filename().string();
    if (!hidden && name.front() == '.') {
      if (it->is_directory()) it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file())
      out[it->path().lexically_relative(path()).generic_string()] = readFileBytes(it->path());
  }
  return out;
}

std::vector<std::string> ArchiveFolder::indexFiles() const {
  std::vector<std::string> out;
  for (const auto& [name, bytes] : files(true))
    if (name.size() > 4 && name.substr(name.size() - 4) == ".ntx") out.push_back(name);
  return out;
}

std::vector<std::string> ArchiveFolder::asideFiles(const fs::path& folder) {
  std::vector<std::string> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    if (isAsideFileName(it->path().filename().string())) out.push_back(it->path().string());
  return out;
}

SmallFileSystem::SmallFileSystem() {
  mounted_ = runCommand("mount -t tmpfs -o size=64k tmpfs '" + dir_.path().string() + "'") == 0;
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) runCommand("umount '" + dir_.path().string() + "'");
}

bool onOtherFileSystem(const fs::path& a, const fs::path& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev != sb.st_dev;
}

int runCommand(const std::string& command, std::string* output) {
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
  const int status = ::pclose(pipe);
  if (output != nullptr) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::string quoted(const fs::path& path) {
  std::string out = "'";
  for (char c : path.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::vector<std::string> zipNames(const fs::path& zip) {
  std::string listing;
  if (runCommand("unzip -Z1 " + quoted(zip), &listing) != 0)
    throw std::runtime_error("unzip cannot list " + zip.string() + ": " + listing);
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < listing.size()) {
    const std::size_t end = listing.find('\n', start);
    names.push_back(listing.substr(start, end - start));
    start = end == std::string::npos ? listing.size() : end + 1;
  }
  return names;
}

bool zipTestPasses(const fs::path& zip) {
  return runCommand("unzip -tqq " + quoted(zip)) == 0;
}

FolderFiles unzipped(const fs::path& zip) {
  TempDir into;
  std::string output;
  if (runCommand("unzip -qq " + quoted(zip) + " -d " + quoted(into.path()), &output) != 0)
    throw std::runtime_error("unzip failed on " + zip.string() + ": " + output);
  FolderFiles out;
  for (const auto& entry : fs::recursive_directory_iterator(into.path()))
    if (entry.is_regular_file())
      out[entry.path().lexically_relative(into.path()).generic_string()] =
          readFileBytes(entry.path());
  return out;
}

std::unique_ptr<OtherStation> OtherStation::holding(const fs::path& file, bool exclusive) {
  std::unique_ptr<OtherStation> station(new OtherStation());
  station->start({"hold", fs::absolute(file).string(), exclusive ? "exclusive" : "shared"});
  return station;
}

std::unique_ptr<OtherStation> OtherStation::running(const fs::path& folder) {
  std::unique_ptr<OtherStation> station(new OtherStation());
  station->start({"open", fs::absolute(folder).string()});
  return station;
}

void OtherStation::start(std::vector<std::string> args) {
  const fs::path ready = signals_.path() / "ready";
  args.push_back(ready.string());
  args.push_back((signals_.path() / "release").string());
  pid_ = startProcess(KAVRINA_STATION_WORKER, args);
  for (int i = 0; i < 30000 && !fs::exists(ready); ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      forgetChild(pid_);
      pid_ = -1;
      throw std::runtime_error("the other station ended before it was ready");
    }
    ::usleep(1000);
  }
  if (!fs::exists(ready)) throw std::runtime_error("the other station did not get ready");
}

int OtherStation::release() {
  if (pid_ < 0) return -1;
  writeFileBytes(signals_.path() / "release", "");
  const int code = waitProcess(pid_);
  pid_ = -1;
  return code;
}

OtherStation::~OtherStation() {
  release();
}

}  // namespace kavrina::test::archive
