#include "store/dbf/path_case.h"

#include <strings.h>

#include <system_error>

namespace kavrina::store {

namespace fs = std::filesystem;

fs::path findCaseInsensitive(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path resolved = path.is_absolute() ? path.root_path() : fs::path();
  for (const fs::path& part : path.relative_path()) {
    fs::path exact = resolved / part;
    if (part == "." || part == ".." || fs::exists(exact, ec)) {
      resolved = exact;
      continue;
    }
    fs::path dir = resolved.empty() ? fs::path(".") : resolved;
    bool matched = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (strcasecmp(name.c_str(), part.string().c_str()) == 0) {
        resolved /= it->path().filename();
        matched = true;
        break;
      }
    }
    if (!matched) return path;
  }
  return resolved;
}

bool existsCaseInsensitive(const fs::path& path) {
  std::error_code ec;
  return fs::exists(findCaseInsensitive(path), ec);
}

}  // namespace kavrina::store
