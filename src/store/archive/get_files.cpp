#include "store/archive/get_files.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "common/aside_file.h"
#include "ui/current_ui.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Whether the entry is to be left out whatever the mask: hidden names and aside files.
bool leftOut(const std::string& name) {
  return name.empty() || name.front() == '.' || isAsideFileName(name);
}

// The entries of one folder: its regular files and its folders, symbolic links passed over.
struct FolderEntries {
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

FolderEntries readFolder(const fs::path& folder) {
  FolderEntries out;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (leftOut(name)) continue;
    std::error_code typeError;
    const fs::file_status status = it->symlink_status(typeError);
    if (typeError) continue;
    if (fs::is_directory(status))
      out.folders.push_back(std::move(name));
    else if (fs::is_regular_file(status))
      out.files.push_back(std::move(name));
  }
  std::sort(out.files.begin(), out.files.end());
  return out;
}

void letEventsRun() {
  if (ui::hasCurrent()) ui::current().processEvents();
}

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*" || mask == "*") return true;
  // Iterative wildcard match with one point to return to after the last "*".
  std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || lower(mask[m]) == lower(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::vector<fs::path> GETFILES(const fs::path& folder, std::string_view mask) {
  // 1-2. Every folder below `folder`, at any depth (the list grows while it is walked), each
  // read once: its files are kept for steps 4-5.
  struct Walked {
    fs::path path;
    std::vector<std::string> files;
  };
  FolderEntries top = readFolder(folder);
  std::vector<Walked> folders;
  for (const std::string& name : top.folders) folders.push_back({folder / name, {}});
  for (std::size_t i = 0; i < folders.size(); ++i) {
    letEventsRun();
    const fs::path path = folders[i].path;
    FolderEntries entries = readFolder(path);
    folders[i].files = std::move(entries.files);
    for (const std::string& name : entries.folders) folders.push_back({path / name, {}});
  }
  // 3. In ascending order of their paths.
  std::sort(folders.begin(), folders.end(),
            [](const Walked& a, const Walked& b) { return a.path.native() < b.path.native(); });

  // 4-6. The files of `folder`, then those of each folder in that order.
  std::vector<fs::path> result;
  auto addFiles = [&](const fs::path& from, const std::vector<std::string>& files) {
    for (const std::string& name : files)
      if (matchesMask(name, mask)) result.push_back(from / name);
  };
  addFiles(folder, top.files);
  for (const Walked& d : folders) addFiles(d.path, d.files);
  return result;
}

}  // namespace kavrina::store::archive
