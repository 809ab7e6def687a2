#include "store/archive/archive_move.h"

#include <cerrno>
#include <cstdint>
#include <span>
#include <vector>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/os_file.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlockBytes = 1 << 20;

int copyAcross(const fs::path& from, const fs::path& to, bool replace,
               const std::function<void()>& between) {
  OsFile source;
  if (int err = source.open(from, OsFile::Access::ReadOnly); err != 0) return err;
  const std::int64_t size = source.size();
  if (size < 0) return source.lastError();
  AsideFile copy;
  if (int err = copy.create(to); err != 0) return err;
  std::vector<char> block(kCopyBlockBytes);
  std::uint64_t offset = 0;
  for (;;) {
    const ssize_t got = source.readAt(offset, block);
    if (got < 0) return source.lastError();
    if (got == 0) break;
    if (!copy.file().writeAt(offset,
                             std::span<const char>(block.data(), static_cast<std::size_t>(got))))
      return copy.file().lastError();
    offset += static_cast<std::uint64_t>(got);
    if (between) between();
  }
  // Flushed and measured before it takes the name: a short copy never replaces anything.
  if (!copy.file().sync()) return copy.file().lastError();
  if (copy.file().size() != size) return EIO;
  // Once the copy has its name it is whole there; a folder that could not be flushed after
  // the rename does not make the move undone.
  if (int err = copy.publish(replace); err != 0 && !copy.published()) return err;
  // The copy is in place: the original goes. Should that fail, the archive lies whole at
  // both places, which loses nothing.
  source.close();
  fileops::removeFile(from);
  fileops::syncFolder(fileops::folderOf(from));
  return 0;
}

}  // namespace

int moveArchive(const fs::path& from, const fs::path& to, bool replace,
                const std::function<void()>& between) {
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
  return copyAcross(from, to, replace, between);
}

}  // namespace kavrina::store::archive
