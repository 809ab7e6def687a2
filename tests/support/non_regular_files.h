// Things at a file's name that are not regular files, for the tests of where an output may
// go: a named pipe and a device node.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

namespace kavrina::test {

// A named pipe at `path`; false when it cannot be made.
inline bool makeNamedPipe(const std::filesystem::path& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

// A character device node like /dev/null, made in `folder` when the test may make one (as
// root, which the CI is): a program at fault then replaces a node of the test's own, never
// the system's. Otherwise /dev/null itself, which a test that is not root cannot replace;
// empty for root without the right to make nodes.
inline std::filesystem::path deviceNodeIn(const std::filesystem::path& folder) {
  const std::filesystem::path own = folder / "null-device";
  if (::mknod(own.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) return own;
  if (::geteuid() == 0) return {};
  return "/dev/null";
}

// Whether `path` (not followed) is still a character device / a named pipe.
inline bool isDeviceNode(const std::filesystem::path& path) {
  return std::filesystem::is_character_file(std::filesystem::symlink_status(path));
}
inline bool isNamedPipe(const std::filesystem::path& path) {
  return std::filesystem::is_fifo(std::filesystem::symlink_status(path));
}

}  // namespace kavrina::test
