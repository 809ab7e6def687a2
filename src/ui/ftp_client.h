// The FTP client the online services talk through (the main window's `Ftp1`): connect and
// log in without blocking, change the server directory, send and receive whole files.
// The program uses the libcurl implementation (ui/ftp/); the core never sees libcurl.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kavrina::ui {

// Where the maker's server is and how to log in (section "Server" of the settings).
struct FtpEndpoint {
  std::string host;  // empty: no server; every operation fails at once
  int port = 21;
  std::string user;
  std::string password;
  // Explicit FTP over TLS (AUTH TLS) for commands and data, with the server's certificate
  // verified; a server that does not offer it is not connected to.
  bool tls = false;
  // Certificates to verify the server against instead of the system's (empty: the system's).
  std::string caFile;
};

// Why the last operation failed.
enum class FtpFailure {
  None,
  NotConnected,  // no server, not logged in, or the connection was given up
  Transfer,      // the server refused the file or the directory, or the connection broke
  Incomplete,    // fewer bytes arrived than the server announced
  Checksum,      // the file arrived whole but its SHA-256 is not the one expected
  LocalFile,     // the local file could not be read, written or put in place
};

// What a received file must satisfy before it takes its name.
struct ReceiveOptions {
  // SHA-256 of the file as 64 hexadecimal digits (either case); empty: not checked.
  std::string sha256;
  // The file is a program: it gets execute permission (rwxr-xr-x).
  bool executable = false;
};

class FtpClient {
 public:
  virtual ~FtpClient() = default;

  // The server the next Open() connects to.
  virtual void configure(const FtpEndpoint& endpoint) = 0;
  virtual const FtpEndpoint& endpoint() const = 0;

  // Starts connecting and logging in and returns at once (an earlier connection is closed
  // first). With no host configured, the attempt has failed before Open returns.
  virtual void Open() = 0;
  // True while the attempt that Open started is still under way. Each call lets the
  // attempt proceed and waits at most a few milliseconds, so a caller polls it in a loop
  // that also lets the window's events run.
  virtual bool Busy() = 0;
  // True when connected and logged in.
  virtual bool Active() const = 0;

  // Changes the server directory, relative to the current one (at first the directory the
  // login ended in). False, with the directory unchanged, when it does not exist.
  virtual bool ChangeDirectory(std::string_view name) = 0;
  // Uploads the local file into the current server directory under `remoteName`. True only
  // when the server confirmed the whole file.
  virtual bool SendFile(const std::filesystem::path& local, std::string_view remoteName) = 0;
  // Downloads `remoteName` of the current server directory into `local`. The bytes go to a
  // file beside `local` that takes its name only once the transfer ended successfully, the
  // size the server announced arrived and `options` are met; otherwise nothing is left
  // behind and an earlier file of that name is untouched.
  virtual bool ReceiveFile(std::string_view remoteName, const std::filesystem::path& local,
                           const ReceiveOptions& options = {}) = 0;
  // Disconnects; safe to call at any time, also while Busy().
  virtual void Close() = 0;

  // Why the last Open, ChangeDirectory, SendFile or ReceiveFile failed (None after success).
  virtual FtpFailure lastFailure() const = 0;
};

}  // namespace kavrina::ui
