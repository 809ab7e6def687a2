// A file written beside the one it is to replace, in the same folder and under a name of its
// own, that takes the real name by a rename only once it is complete and flushed: until then
// every reader sees the old file whole, and a kill leaves at most a stray aside file, which
// the next start removes. The aside file is held exclusively (its share-mode lock) from its
// creation on, so that a stray one is told from one still being written.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "common/os_file.h"

namespace kavrina {

class AsideFile {
 public:
  AsideFile() = default;
  ~AsideFile();
  AsideFile(AsideFile&& other) noexcept;
  AsideFile& operator=(AsideFile&& other) noexcept;
  AsideFile(const AsideFile&) = delete;
  AsideFile& operator=(const AsideFile&) = delete;

  // Creates an empty aside file for `target` (in the target's folder) and holds it
  // exclusively. Returns errno.
  int create(const std::filesystem::path& target);

  OsFile& file() { return file_; }
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& target() const { return target_; }
  bool isOpen() const { return file_.isOpen(); }
  bool published() const { return published_; }

  // Flushes the file, gives it the target's name and flushes the folder. ESTALE, and nothing
  // renamed, when the aside name no longer refers to this file. With `replace` an existing
  // target is replaced; without it an existing target is left alone and EEXIST
  // returned (the aside file stays, for discard()). The handle stays open on the file,
  // which is now the target. Returns errno.
  int publish(bool replace);
  // Removes the aside file unless it was published, and closes the handle.
  void discard();
  // After publish(): hands over the open handle of the file now under the target's name.
  OsFile release();

 private:
  OsFile file_;
  std::filesystem::path path_;
  std::filesystem::path target_;
  bool published_ = false;
};

// Copies the file `from` to `to` by way of an aside file: `to` is the old file or the whole
// copy, never a part (the copy must hold as many bytes as `from` before it is flushed and
// takes the name; EIO otherwise). Replaces an existing `to` only with `replace` (EEXIST
// otherwise). `between` is called after each block copied (to let window events run).
// Returns errno.
int copyFileAside(const std::filesystem::path& from, const std::filesystem::path& to,
                  bool replace = true, const std::function<void()>& between = {});

// Whether a file name is that of an aside file (such files belong to no table or index).
bool isAsideFileName(std::string_view fileName);

// Removes the aside files that a process ended in the middle of its work left in `folder`:
// those that no one holds and that are older than a minute. Returns how many went.
int removeStaleAsideFiles(const std::filesystem::path& folder);

}  // namespace kavrina
