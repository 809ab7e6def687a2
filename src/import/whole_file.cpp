// Reading a named file whole, within bounds, through one descriptor.
#include "import/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kavrina::import {
namespace {

// Closes the descriptor when the read ends, however it ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

WholeFileFault readWholeFile(const std::string& file, std::uint64_t maxBytes, std::string& bytes) {
  // Opened without waiting on a pipe or a device nobody writes to; the kind is checked on
  // what was opened, not on the name.
  const Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (in.fd() < 0) return WholeFileFault::Unreadable;
  struct stat about {};
  if (::fstat(in.fd(), &about) != 0) return WholeFileFault::Unreadable;
  if (S_ISDIR(about.st_mode)) return WholeFileFault::Folder;
  if (!S_ISREG(about.st_mode)) return WholeFileFault::NotRegular;
  const auto size = static_cast<std::uint64_t>(about.st_size);
  if (size > maxBytes) return WholeFileFault::TooBig;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n =
        ::pread(in.fd(), bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return WholeFileFault::Unreadable;
    if (n == 0) break;  // cut meanwhile
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return WholeFileFault::None;
}

}  // namespace kavrina::import
