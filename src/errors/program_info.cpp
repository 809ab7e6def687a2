#include "errors/program_info.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

namespace kavrina::errors {

std::filesystem::path locateProgramFolder() {
  if (const char* home = std::getenv("KAVRINA_HOME"); home != nullptr && *home != '\0')
    return std::filesystem::absolute(home);
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && exe.has_parent_path()) return exe.parent_path();
  return std::filesystem::current_path(ec);
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
