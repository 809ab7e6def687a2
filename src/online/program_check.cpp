#include "online/program_check.h"

#include <elf.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "common/os_file.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

// What tells one kind of ELF program from another: class, byte order, type and machine.
struct ElfKind {
  unsigned char elfClass = 0;
  unsigned char byteOrder = 0;
  std::uint16_t type = 0;
  std::uint16_t machine = 0;
  bool operator==(const ElfKind&) const = default;
};

std::optional<ElfKind> elfKind(const fs::path& path) {
  OsFile file;
  if (file.open(path, OsFile::Access::ReadOnly) != 0) return std::nullopt;
  // e_ident, e_type and e_machine lie at the same offsets in both classes.
  unsigned char header[EI_NIDENT + 4] = {};
  if (file.readAt(0, {reinterpret_cast<char*>(header), sizeof header}) !=
      static_cast<ssize_t>(sizeof header))
    return std::nullopt;
  if (std::memcmp(header, ELFMAG, SELFMAG) != 0) return std::nullopt;
  ElfKind kind{header[EI_CLASS], header[EI_DATA]};
  const bool little = kind.byteOrder == ELFDATA2LSB;
  auto half = [&](int at) {
    return static_cast<std::uint16_t>(little ? header[at] | header[at + 1] << 8
                                             : header[at] << 8 | header[at + 1]);
  };
  kind.type = half(EI_NIDENT);
  kind.machine = half(EI_NIDENT + 2);
  if (kind.type != ET_EXEC && kind.type != ET_DYN) return std::nullopt;
  return kind;
}

}  // namespace

bool sameKindOfProgram(const fs::path& candidate, const fs::path& reference) {
  const auto mine = elfKind(reference);
  const auto theirs = elfKind(candidate);
  return mine && theirs && theirs->elfClass == mine->elfClass &&
         theirs->byteOrder == mine->byteOrder && theirs->machine == mine->machine;
}

bool answersVersion(const fs::path& candidate, std::chrono::milliseconds limit) {
  // Everything the child needs is made before the fork: it may only exec or end.
  const std::string program = candidate.string();
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--version"),
                        nullptr};
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return false;
  }
  if (child == 0) {
    // The child: no input, its output into the pipe, errors dropped; its own group, so that
    // whatever it starts is ended with it.
    ::setpgid(0, 0);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(out[1], 1);
    ::dup2(null, 2);
    ::execv(program.c_str(), argv);
    // Not started: the forked child ends with _exit, leaving the program's state (a copy)
    // untouched.
    ::_exit(127);
  }
  ::close(out[1]);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::size_t answered = 0;
  bool open = true;
  while (open) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd wait{out[0], POLLIN, 0};
    if (::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 100))) < 0 &&
        errno != EINTR)
      break;
    if (wait.revents == 0) continue;
    char buffer[256];
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got > 0)
      answered += static_cast<std::size_t>(got);
    else if (got == 0 || errno != EINTR)
      open = false;
  }
  ::close(out[0]);
  int status = 0;
  pid_t ended = 0;
  while (open || (ended = ::waitpid(child, &status, WNOHANG)) == 0) {
    if (open || std::chrono::steady_clock::now() >= deadline) {
      ::kill(-child, SIGKILL);
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return false;
    }
    ::usleep(10'000);
  }
  return ended == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && answered > 0;
}

ProgramCheck checkProgram(const fs::path& candidate, const fs::path& reference,
                          std::chrono::milliseconds limit) {
  if (!sameKindOfProgram(candidate, reference)) return ProgramCheck::NotAProgram;
  if (!answersVersion(candidate, limit)) return ProgramCheck::DoesNotRun;
  return ProgramCheck::Fit;
}

}  // namespace kavrina::online
