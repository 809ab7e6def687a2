#include "store/archive/archive_move.h"

#include <cerrno>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/output_target.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

int moveArchive(const fs::path& from, const fs::path& to, bool replace,
                const std::function<void()>& between) {
  // A replacing rename would put the archive in place of whatever has the name; only a
  // regular file (or a link to one) may go.
  if (replace && output::checkTarget(to, {}) == output::Target::NotAFile) return EPERM;
  const int err =
      replace ? fileops::renameReplacing(from, to) : fileops::renameNotReplacing(from, to);
  if (err == 0) {
    // The archive is whole under its new name; flushing the folders only makes the name
    // outlive a power cut, and a failure there cannot bring the move back.
    fileops::syncFolder(fileops::folderOf(to));
    fileops::syncFolder(fileops::folderOf(from));
    return 0;
  }
  if (err != EXDEV) return err;
  // Across file systems: the copy is whole under its name before the original goes. Should
  // removing the original fail, the archive lies whole at both places, which loses nothing.
  if (int copied = copyFileAside(from, to, replace, between); copied != 0) return copied;
  fileops::removeFile(from);
  fileops::syncFolder(fileops::folderOf(from));
  return 0;
}

}  // namespace kavrina::store::archive
