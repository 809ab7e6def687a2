// Reading an import's CSV file whole, within bounds.
#include "import/csv_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

std::string unreadable(const std::string& file) {
  return "Fajl " + file + " ne moze da se procita.";
}

}  // namespace

std::string readCsvFile(const std::string& file, std::string& bytes) {
  // Opened without waiting on a pipe or a device nobody writes to; the kind is checked on
  // what was opened, not on the name.
  const Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (in.fd() < 0) return unreadable(file);
  struct stat about {};
  if (::fstat(in.fd(), &about) != 0) return unreadable(file);
  if (S_ISDIR(about.st_mode)) return "Zadat je folder " + file + ", a ne CSV fajl.";
  if (!S_ISREG(about.st_mode))
    return "Fajl " + file +
           " nije obican fajl sa podacima (uredjaj, cev ili slicno); uvozi se "
           "samo CSV fajl.";
  const auto size = static_cast<std::uint64_t>(about.st_size);
  if (size > kMaxCsvBytes)
    return "Fajl " + file + " je veci od " + std::to_string(kMaxCsvBytes / (1024 * 1024)) +
           " MB, sto nijedan registar ne dostize; nista nije uvezeno.";
  bytes.assign(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n =
        ::pread(in.fd(), bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return unreadable(file);
    if (n == 0) break;  // cut meanwhile
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return {};
}

}  // namespace kavrina::import
