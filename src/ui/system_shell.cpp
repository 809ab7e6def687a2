#include "ui/system_shell.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace kavrina::ui {

namespace {

// Marks every descriptor from 3 on close-on-exec, so that the started program holds no file
// (and no lock) of this one. Async-signal-safe: runs between fork and exec.
void closeOnExecFrom3() {
  if (::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
  const long limit = ::sysconf(_SC_OPEN_MAX);
  const int last = limit > 0 && limit < 65536 ? static_cast<int>(limit) : 65536;
  for (int fd = 3; fd < last; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

int startDetached(const std::vector<std::string>& args) {
  if (args.empty()) return EINVAL;
  // Everything the children need is prepared before fork: after it only async-signal-safe
  // calls are allowed (the program has other threads).
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const bool searchPath = args[0].find('/') == std::string::npos;
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  // The grandchild reports a failed exec through this pipe; a successful exec closes it.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    const int err = errno;
    if (devNull >= 0) ::close(devNull);
    return err;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    const int err = errno;
    ::close(report[0]);
    ::close(report[1]);
    if (devNull >= 0) ::close(devNull);
    return err;
  }
  if (child == 0) {
    // The forked children end with _exit: they hold a copy of the program's state (its
    // tables, its buffers), which must neither unwind nor be flushed a second time.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild < 0) {
      const int err = errno;
      (void)!::write(report[1], &err, sizeof err);
      ::_exit(1);
    }
    if (grandchild == 0) {
      if (devNull >= 0) ::dup2(devNull, 0);
      closeOnExecFrom3();
      if (searchPath)
        ::execvp(argv[0], argv.data());
      else
        ::execv(argv[0], argv.data());
      const int err = errno;
      (void)!::write(report[1], &err, sizeof err);
      ::_exit(127);
    }
    ::_exit(0);
  }
  ::close(report[1]);
  if (devNull >= 0) ::close(devNull);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t got;
  while ((got = ::read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
  }
  ::close(report[0]);
  return got == static_cast<ssize_t>(sizeof err) ? (err != 0 ? err : ECHILD) : 0;
}

bool SystemShell::openDocument(const std::filesystem::path& document) {
  return startDetached({opener_, document.string()}) == 0;
}

bool SystemShell::startProgram(const std::filesystem::path& program) {
  // A bare name would be looked up in PATH; the program meant is the file of that name.
  const std::filesystem::path path =
      program.has_parent_path() ? program : std::filesystem::path(".") / program;
  return startDetached({path.string()}) == 0;
}

}  // namespace kavrina::ui
