#include "errors/program_info.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

namespace kavrina::errors {

namespace fs = std::filesystem;

fs::path executableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec && exe.has_parent_path()) return exe.parent_path();
  return {};
}

bool isInstalledProgram(const fs::path& exeFolder) {
  if (exeFolder.empty()) return false;
  if (::access(exeFolder.c_str(), W_OK) != 0) return true;
  std::error_code ec;
  return exeFolder.filename() == "bin" &&
         fs::is_regular_file(exeFolder.parent_path() / "share" / "applications" / "kavrina.desktop",
                             ec);
}

fs::path userDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/')
    return fs::path(xdg) / "kavrina";
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".local" / "share" / "kavrina";
  return {};
}

fs::path locateProgramFolder() {
  if (const char* home = std::getenv("KAVRINA_HOME"); home != nullptr && *home != '\0')
    return fs::absolute(home);
  const fs::path exe = executableFolder();
  if (isInstalledProgram(exe))
    if (fs::path data = userDataFolder(); !data.empty()) return data;
  if (!exe.empty()) return exe;
  std::error_code ec;
  return fs::current_path(ec);
}

std::string programInfoText(const ProgramInfo& info) {
  return info.SW + " " + info.VER + " (" + info.DATVER +
         ")\nPodaci programa: " + info.folder.string();
}

std::string currentDateTimeText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[80];  // room for any int values the format could be given
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace kavrina::errors
