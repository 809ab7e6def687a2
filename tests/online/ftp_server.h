// Servers for the online tests, all on 127.0.0.1 at free ports: the real FTP server
// (pyftpdlib, started and stopped with the object), a server that accepts connections and
// never answers, and a port where nothing listens.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace kavrina::test {

inline constexpr const char* kFtpUser = "kavrina";
inline constexpr const char* kFtpPassword = "lozinka12345";

struct FtpServerOptions {
  long cutAfter = -1;       // a download's data connection closed after this many bytes
  bool lie = false;         // ... and the transfer then reported complete (226) instead of 426
  bool tls = false;         // explicit FTP over TLS required, self-signed certificate
  long trickle = 0;         // downloads sent at about this many bytes a second (0: at once)
  long stallAfter = -1;     // a download falls silent after this many bytes, kept open
  bool refuseSize = false;  // SIZE refused: the client learns no size
  long announcedSize = -1;  // SIZE answers this whatever the file's size
};

class FtpServer {
 public:
  // Serves `root` (its "incoming" folder takes uploads) for kFtpUser / kFtpPassword.
  // Throws when the server does not start.
  explicit FtpServer(const std::filesystem::path& root, FtpServerOptions options = {});
  ~FtpServer();
  FtpServer(const FtpServer&) = delete;
  FtpServer& operator=(const FtpServer&) = delete;

  int port() const { return port_; }
  // With tls: the server's certificate (PEM), to verify it against.
  const std::filesystem::path& certificate() const { return certificate_; }
  void stop();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::filesystem::path certificate_;
};

// Listens and never accepts: connections complete, and no greeting ever comes.
class StalledServer {
 public:
  StalledServer();
  ~StalledServer();
  StalledServer(const StalledServer&) = delete;
  StalledServer& operator=(const StalledServer&) = delete;
  int port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};

// A port of 127.0.0.1 where nothing listens (connections are refused).
int closedPort();

}  // namespace kavrina::test
