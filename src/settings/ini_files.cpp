#include "settings/ini_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>
#include <utility>

#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include "common/aside_file.h"
#include "common/os_file.h"
#include "common/path_case.h"
#include "common/windows_1250.h"
#include "errors/error.h"
#include "errors/os_code.h"
#include "settings/ini_value.h"

namespace kavrina::settings {
namespace {

namespace fs = std::filesystem;

// How long a write waits for another station's write of the same file (each holds it only
// for one read, change and rename).
constexpr auto kLockWait = std::chrono::seconds(10);
constexpr auto kLockPause = std::chrono::milliseconds(2);

// The file's bytes; an empty text for a missing file, nothing when it exists but cannot
// be read (so that a write does not replace what it could not see).
std::optional<std::string> readWholeFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return std::string();
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

// The bytes of an open file, or nothing when it cannot be read.
std::optional<std::string> readOpenFile(OsFile& file) {
  std::string bytes;
  char block[8192];
  for (;;) {
    const ssize_t got = file.readAt(bytes.size(), block);
    if (got < 0) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(block, static_cast<std::size_t>(got));
  }
}

// The file a settings name stands for. A symbolic link there is one the user made on
// purpose (one settings file for several program folders): the file it leads to is the
// one to update, so that the link stays a link.
fs::path fileBehind(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target;
}

// A change of the parsed file; false when it cannot be made.
using IniChange = std::function<bool(CSimpleIniA&)>;

// Writes the changed file aside (with the old file's permissions) and renames it over the
// target: `replace` false when there was no file, and then EEXIST when another station
// created one meanwhile. Returns errno.
int publishSettings(const fs::path& target, const std::string& bytes, OsFile* old, bool replace) {
  AsideFile aside;
  if (int err = aside.create(target); err != 0) return err;
  struct stat st {};
  if (old != nullptr && ::fstat(old->fd(), &st) == 0)
    ::fchmod(aside.file().fd(), st.st_mode & 07777);
  if (!aside.file().writeAt(0, bytes)) return aside.file().lastError();
  return aside.publish(replace);
}

// Reads, changes and rewrites the settings file at `path` as one step against other
// stations: the file is held under a lock from the read to the rename, and a writer that
// waited for the lock finds the file renamed over meanwhile and reads that one instead. So
// two stations writing different keys at once both keep their change. Returns errno (0 when
// written; EBUSY when another writer kept the file too long, EINVAL for a file that cannot be
// parsed).
int rewriteSettings(const fs::path& path, const IniChange& change) {
  const fs::path target = fileBehind(path);
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  for (;;) {
    OsFile held;
    const int err = held.openShareLocked(target, OsFile::Access::ReadWrite, LockKind::Write);
    if (err == EBUSY) {
      if (std::chrono::steady_clock::now() >= deadline) return EBUSY;
      std::this_thread::sleep_for(kLockPause);
      continue;
    }
    if (err != 0 && err != ENOENT) return err;
    std::optional<std::string> bytes =
        err == ENOENT ? std::optional<std::string>(std::string()) : readOpenFile(held);
    if (!bytes) return held.lastError() ? held.lastError() : EIO;
    CSimpleIniA ini;
    ini.SetSpaces(false);
    if (!bytes->empty() && ini.LoadData(*bytes) < 0) return EINVAL;
    if (!change(ini)) return EINVAL;
    std::string out;
    if (ini.Save(out) < 0) return EIO;
    const int written = publishSettings(target, out, held.isOpen() ? &held : nullptr, err == 0);
    if (written == EEXIST && err == ENOENT) continue;  // created by another station: change that
    return written;
  }
}

std::string oneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

}  // namespace

IniFiles::IniFiles(std::filesystem::path folder, std::string mainName)
    : folder_(std::move(folder)), mainName_(std::move(mainName)) {}

std::filesystem::path IniFiles::pathOf(std::string_view file) const {
  std::string name(file.empty() ? std::string_view(mainName_) : file);
  for (char& c : name)
    if (c == '\\') c = '/';
  name += ".ini";
  return findNoCase(folder_, std::filesystem::path(name));
}

std::string IniFiles::readText(std::string_view section, std::string_view key,
                               std::string_view file) const {
  std::optional<std::string> bytes = readWholeFile(pathOf(file));
  if (!bytes || bytes->empty()) return {};
  CSimpleIniA ini;
  if (ini.LoadData(*bytes) < 0) return {};
  const char* value = ini.GetValue(std::string(section).c_str(), std::string(key).c_str());
  if (value == nullptr) return {};
  // The program writes UTF-8; a settings file a Windows program wrote (the companion file)
  // holds Windows-1250, which is no valid UTF-8 once it has a letter beyond ASCII.
  return win1250::isUtf8(value) ? std::string(value) : win1250::toUtf8(value);
}

bool IniFiles::writeText(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) const {
  const std::string sectionName(section), keyName(key), line = oneLine(value);
  return rewriteSettings(pathOf(file), [&](CSimpleIniA& ini) {
           return ini.SetValue(sectionName.c_str(), keyName.c_str(), line.c_str()) >= 0;
         }) == 0;
}

void IniFiles::writeTextOrFail(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) const {
  const std::string sectionName(section), keyName(key), line = oneLine(value);
  const fs::path path = pathOf(file);
  const int err = rewriteSettings(path, [&](CSimpleIniA& ini) {
    return ini.SetValue(sectionName.c_str(), keyName.c_str(), line.c_str()) >= 0;
  });
  if (err == 0) return;
  errors::Error e;
  e.GENCODE = errors::gen::kWrite;
  e.SUBSYSTEM = "INI";
  e.OSCODE = err == EINVAL ? 0 : errors::osCodeForPath(err, fileBehind(path));
  e.FILENAME = path.string();
  errors::fail(e);
}

bool IniFiles::rewriteKeeping(const std::vector<IniEntry>& entries,
                              const std::vector<std::string>& keptSections,
                              std::string_view file) const {
  const int err = rewriteSettings(pathOf(file), [&](CSimpleIniA& ini) {
    std::vector<IniEntry> kept;
    for (const std::string& section : keptSections) {
      CSimpleIniA::TNamesDepend keys;
      ini.GetAllKeys(section.c_str(), keys);
      keys.sort(CSimpleIniA::Entry::LoadOrder());
      for (const auto& k : keys) {
        const char* value = ini.GetValue(section.c_str(), k.pItem);
        kept.push_back({section, k.pItem, value ? value : ""});
      }
    }
    ini.Reset();
    auto put = [&](const IniEntry& e) {
      return ini.SetValue(e.section.c_str(), e.key.c_str(), oneLine(e.value).c_str()) >= 0;
    };
    return std::all_of(entries.begin(), entries.end(), put) &&
           std::all_of(kept.begin(), kept.end(), put);
  });
  return err == 0;
}

std::string IniFiles::read(std::string_view section, std::string_view key, std::string_view def,
                           std::string_view file) const {
  std::string text = readText(section, key, file);
  return text.empty() ? std::string(def) : text;
}

double IniFiles::read(std::string_view section, std::string_view key, double def,
                      std::string_view file) const {
  std::string text = readText(section, key, file);
  return text.empty() ? def : numberFromIni(text);
}

Date IniFiles::read(std::string_view section, std::string_view key, Date def,
                    std::string_view file) const {
  std::string text = readText(section, key, file);
  return text.empty() ? def : dateFromIni(text);
}

bool IniFiles::read(std::string_view section, std::string_view key, bool def,
                    std::string_view file) const {
  std::string text = readText(section, key, file);
  return text.empty() ? def : logicalFromIni(text);
}

bool IniFiles::write(std::string_view section, std::string_view key, double value,
                     std::string_view file) const {
  return writeText(section, key, numberToIni(value), file);
}

bool IniFiles::write(std::string_view section, std::string_view key, Date value,
                     std::string_view file) const {
  return writeText(section, key, dateToIni(value), file);
}

bool IniFiles::write(std::string_view section, std::string_view key, bool value,
                     std::string_view file) const {
  return writeText(section, key, logicalToIni(value), file);
}

namespace {
IniFiles& programFiles() {
  static IniFiles files{std::filesystem::path(".")};
  return files;
}
}  // namespace

const IniFiles& programSettings() {
  return programFiles();
}

void useSettingsFolder(std::filesystem::path folder) {
  programFiles() = IniFiles(std::move(folder));
}

}  // namespace kavrina::settings
