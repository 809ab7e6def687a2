#include "ftp_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <vector>

namespace kavrina::test {

namespace {

// Binds a TCP socket to 127.0.0.1 at a free port; answers the socket and sets `port`.
int boundSocket(int& port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(s);
    throw std::runtime_error("bind");
  }
  socklen_t length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return s;
}

}  // namespace

FtpServer::FtpServer(const std::filesystem::path& root, FtpServerOptions options) {
  std::vector<std::string> args = {"/usr/bin/python3", KAVRINA_FTP_SERVER, "--root",
                                   root.string(),      "--user",           kFtpUser,
                                   "--password",       kFtpPassword};
  if (options.cutAfter >= 0) {
    args.push_back("--cut-after");
    args.push_back(std::to_string(options.cutAfter));
  }
  if (options.lie) args.push_back("--lie");
  auto number = [&args](const char* flag, long value) {
    if (value < 0) return;
    args.push_back(flag);
    args.push_back(std::to_string(value));
  };
  if (options.trickle > 0) number("--trickle", options.trickle);
  number("--stall-after", options.stallAfter);
  number("--size", options.announcedSize);
  if (options.refuseSize) args.push_back("--refuse-size");
  if (options.tls) {
    certificate_ = root.parent_path() / "server-certificate.pem";
    args.push_back("--tls");
    args.push_back(certificate_.string());
  }
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::dup2(out[1], 1);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  // The first line is "PORT <n>" once the server listens.
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    char buffer[128];
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got <= 0) break;
    line.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(out[0]);
  if (line.rfind("PORT ", 0) != 0) {
    stop();
    throw std::runtime_error("the test FTP server did not start: " + line);
  }
  port_ = std::stoi(line.substr(5));
}

FtpServer::~FtpServer() {
  stop();
}

void FtpServer::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

StalledServer::StalledServer() {
  socket_ = boundSocket(port_);
  ::listen(socket_, 16);
}

StalledServer::~StalledServer() {
  ::close(socket_);
}

int closedPort() {
  int port = 0;
  ::close(boundSocket(port));
  return port;
}

}  // namespace kavrina::test
