#include "store/archive/get_files.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "common/aside_file.h"

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

// The entries of one folder: its regular files and its folders, symbolic links passed over
// (and named in `links` when they lead to a folder).
struct FolderEntries {
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::vector<std::string> links;
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
    if (fs::is_symlink(status)) {
      if (fs::is_directory(it->status(typeError)) && !typeError) out.links.push_back(name);
    } else if (fs::is_directory(status)) {
      out.folders.push_back(std::move(name));
    } else if (fs::is_regular_file(status))
      out.files.push_back(std::move(name));
  }
  std::sort(out.links.begin(), out.links.end());
  std::sort(out.files.begin(), out.files.end());
  return out;
}

// Whether a folder of the program folder's top is one the program itself reads its data
// from: "DBF", "NTX" or a company's folder (three digits).
bool dataFolderName(const std::string& name) {
  const std::string lowered = [&] {
    std::string out = name;
    for (char& c : out) c = lower(c);
    return out;
  }();
  if (lowered == "dbf" || lowered == "ntx") return true;
  return name.size() == 3 && std::all_of(name.begin(), name.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c));
         });
}

// Whether `inner` is `outer` or lies below it (both canonical).
bool within(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin();
  for (auto o = outer.begin(); o != outer.end(); ++o, ++i)
    if (i == inner.end() || *i != *o) return false;
  return true;
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

LinkedFolders linkedFolders(const fs::path& folder) {
  LinkedFolders out;
  std::error_code ec;
  const fs::path home = fs::canonical(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return out;
  std::vector<fs::path> reached;
  for (const std::string& name : readFolder(folder).links) {
    std::error_code linkError;
    const fs::path target = fs::canonical(folder / name, linkError);
    // A data folder reached through a link is taken once, and only when it is neither the
    // program folder, nor inside it, nor above it (each would list files twice or for ever).
    const bool taken =
        dataFolderName(name) && !linkError && !within(target, home) && !within(home, target) &&
        std::none_of(reached.begin(), reached.end(),
                     [&](const fs::path& r) { return within(target, r) || within(r, target); });
    if (taken) {
      reached.push_back(target);
      out.followed.push_back(name);
    } else if (dataFolderName(name)) {
      out.refused.push_back(name);
    }
  }
  return out;
}

std::vector<std::string> followedLinks(const fs::path& folder) {
  return linkedFolders(folder).followed;
}

std::vector<fs::path> GETFILES(const fs::path& folder, std::string_view mask,
                               ui::UserInterface* events) {
  // 1-2. Every folder below `folder`, at any depth (the list grows while it is walked), each
  // read once: its files are kept for steps 4-5.
  struct Walked {
    fs::path path;
    std::vector<std::string> files;
  };
  FolderEntries top = readFolder(folder);
  std::vector<Walked> folders;
  for (const std::string& name : top.folders) folders.push_back({folder / name, {}});
  for (const std::string& name : followedLinks(folder)) folders.push_back({folder / name, {}});
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (events != nullptr) events->processEvents();
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
