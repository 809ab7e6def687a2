#include "settings/ini_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include "settings/ini_value.h"
#include "common/path_case.h"

namespace kavrina::settings {
namespace {

// The file's bytes; an empty text for a missing file, nothing when it exists but cannot
// be read (so that a write does not replace what it could not see).
std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return std::string();
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes the bytes beside `path` and renames them into place.
bool replaceFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
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
  return value ? std::string(value) : std::string();
}

bool IniFiles::writeText(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) const {
  const std::filesystem::path path = pathOf(file);
  std::optional<std::string> bytes = readWholeFile(path);
  if (!bytes) return false;
  CSimpleIniA ini;
  ini.SetSpaces(false);
  if (!bytes->empty() && ini.LoadData(*bytes) < 0) return false;
  if (ini.SetValue(std::string(section).c_str(), std::string(key).c_str(), oneLine(value).c_str()) <
      0)
    return false;
  std::string out;
  if (ini.Save(out) < 0) return false;
  return replaceFile(path, out);
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
