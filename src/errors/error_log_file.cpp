#include "errors/error_log_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kavrina::errors {

bool ErrorLogFile::appendBytes(const std::string& bytes, bool create) {
  const int flags = O_WRONLY | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : O_APPEND);
  int fd = ::open(path_.c_str(), flags, 0666);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) ok = false;
  return ok;
}

bool ErrorLogFile::write(const std::string& text) {
  if (!appendBytes(text, !created_)) return false;
  created_ = true;
  return true;
}

bool ErrorLogFile::appendTail(const std::string& tail) {
  if (!created_) return false;
  return appendBytes("\n\r\n\r" + tail + "\n\r", false);
}

}  // namespace kavrina::errors
