// The FTP client the online services talk through (the main window's `Ftp1`): connect and
// log in without blocking, change the server directory, send and receive whole files.
// The program uses the libcurl implementation (ui/ftp/); the core never sees libcurl.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
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
  NotConnected,  // not logged in, or the connection was given up
  NoServer,      // no host is configured
  NoTls,         // TLS was asked for and the server does not offer it
  Transfer,      // the server refused the file or the directory, or the connection broke
  Incomplete,    // fewer bytes arrived than the server announced
  Unverified,    // the file's completeness was to be proven and the server gave no size
  Checksum,      // the file arrived whole but its SHA-256 is not the one expected
  LocalFile,     // the local file could not be read, written or put in place
  NoSpace,       // the local disk is full
  TimedOut,      // the operation's own limit or the client's time budget ran out
  Cancelled,     // the caller cancelled the operation, or the client was cancelled
};

// How far a download has come: the bytes received and the size the server announced
// (-1 while unknown). Answers false to cancel the download.
using ReceiveProgress = std::function<bool(std::uint64_t received, std::int64_t total)>;

// What a received file must satisfy before it takes its name.
struct ReceiveOptions {
  // SHA-256 of the file as 64 hexadecimal digits (either case); empty: not checked.
  std::string sha256{};
  // The file is a program: it gets execute permission (rwxr-xr-x).
  bool executable = false;
  // The file takes its name only when its completeness is proven: the server announced its
  // size or `sha256` is given (FtpFailure::Unverified otherwise).
  bool proofRequired = false;
  // The longest the whole download may take, whatever the server does (zero: no limit of
  // its own; the client's time budget still holds).
  std::chrono::milliseconds limit{0};
  // Called every few milliseconds while the download runs.
  ReceiveProgress progress{};
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

  // The time every later connection attempt, directory change and transfer may wait for the
  // server, all together; once it is used up they fail (FtpFailure::TimedOut). No value:
  // no budget.
  virtual void setTimeBudget(std::optional<std::chrono::milliseconds> budget) = 0;
  // Makes the operation under way fail at once and every later one too
  // (FtpFailure::Cancelled), for the rest of the client's life: the program is ending.
  virtual void cancel() = 0;
  virtual bool cancelled() const = 0;

  // Why the last Open, ChangeDirectory, SendFile or ReceiveFile failed (None after success).
  virtual FtpFailure lastFailure() const = 0;
};

}  // namespace kavrina::ui
