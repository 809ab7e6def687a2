#include "common/path_case.h"

#include <string>
#include <system_error>

namespace kavrina {
namespace {

bool equalNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::filesystem::path findNoCase(const std::filesystem::path& folder,
                                 const std::filesystem::path& relative) {
  std::filesystem::path result = folder;
  bool matching = true;
  for (const auto& part : relative) {
    if (part.empty() || part == ".") continue;
    std::error_code ec;
    if (matching && !std::filesystem::exists(result / part, ec)) {
      matching = false;
      const std::string wanted = part.string();
      const std::filesystem::path listed = result.empty() ? std::filesystem::path(".") : result;
      for (std::filesystem::directory_iterator it(listed, ec), end; !ec && it != end;
           it.increment(ec)) {
        const auto name = it->path().filename();
        if (equalNoCase(name.string(), wanted)) {
          result /= name;
          matching = true;
          break;
        }
      }
      if (matching) continue;
    }
    result /= part;
  }
  return result;
}

std::filesystem::path findCaseInsensitive(const std::filesystem::path& path) {
  if (path.is_absolute()) return findNoCase(path.root_path(), path.relative_path());
  return findNoCase({}, path);
}

bool existsCaseInsensitive(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(findCaseInsensitive(path), ec);
}

}  // namespace kavrina
