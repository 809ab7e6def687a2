#include "store/archive/archive_target.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "common/text.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

// The value of XDG_DESKTOP_DIR in a user-dirs.dirs file: "$HOME/..." or an absolute path
// in double quotes. None when the file or the line is missing or malformed.
std::optional<fs::path> namedDesktop(const fs::path& file, const fs::path& home) {
  std::ifstream in(file);
  std::string line;
  constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
  while (std::getline(in, line)) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    std::string value = line.substr(start + kKey.size());
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
      value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::nullopt;
    value = value.substr(1, value.size() - 2);
    constexpr std::string_view kHome = "$HOME";
    if (value.compare(0, kHome.size(), kHome) == 0)
      return fs::path(home.string() + value.substr(kHome.size()));
    if (!value.empty() && value.front() == '/') return fs::path(value);
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::string archiveFileName(std::string_view programName, std::string_view version,
                            const std::tm& when) {
  std::string ver(version);
  for (char& c : ver)
    if (c == '.') c = '_';
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d", when.tm_year + 1900,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  return "Arhiva-" + std::string(programName) + "-" + ver + "-" + stamp + ".zip";
}

std::optional<fs::path> desktopFolder() {
  const char* homeText = std::getenv("HOME");
  if (homeText == nullptr || *homeText == '\0') return std::nullopt;
  const fs::path home(homeText);
  fs::path config = home / ".config";
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') config = xdg;
  const fs::path desktop = namedDesktop(config / "user-dirs.dirs", home).value_or(home / "Desktop");
  if (output::resolvedPath(desktop) == output::resolvedPath(home)) return std::nullopt;
  return desktop;
}

bool isOnDesktop(const fs::path& candidate) {
  if (text::upper(candidate.string()).find("DESKTOP") != std::string::npos) return true;
  const auto desktop = desktopFolder();
  return desktop && isInsideFolder(candidate, *desktop);
}

}  // namespace kavrina::store::archive
