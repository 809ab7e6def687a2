// The FTP client on libcurl's multi interface: nothing in it blocks for longer than a few
// milliseconds, so the window's events run while it connects (the caller polls Busy) and
// while it transfers (it calls the pump it was given).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/ftp_client.h"

namespace kavrina::ui {

class CurlFtpClient final : public FtpClient {
 public:
  // `pump` lets pending window events run; it is called every few milliseconds while a
  // transfer or a directory change waits for the server (never from inside libcurl).
  explicit CurlFtpClient(std::function<void()> pump = {});
  ~CurlFtpClient() override;
  CurlFtpClient(const CurlFtpClient&) = delete;
  CurlFtpClient& operator=(const CurlFtpClient&) = delete;

  // A transfer, or an answer the server owes, that makes no progress for this long fails
  // (default 30 seconds), so a stalled server cannot hold a task for ever.
  void setStallLimit(std::chrono::seconds limit) { stallLimit_ = limit; }
  // The longest a connection attempt is kept going when nobody gives it up (the callers
  // give up after their own limit and Close()); default 120 seconds.
  void setConnectTimeout(std::chrono::seconds limit) { connectTimeout_ = limit; }

  void configure(const FtpEndpoint& endpoint) override { endpoint_ = endpoint; }
  const FtpEndpoint& endpoint() const override { return endpoint_; }
  void Open() override;
  bool Busy() override;
  bool Active() const override { return state_ == State::Active; }
  bool ChangeDirectory(std::string_view name) override;
  bool SendFile(const std::filesystem::path& local, std::string_view remoteName) override;
  bool ReceiveFile(std::string_view remoteName, const std::filesystem::path& local,
                   const ReceiveOptions& options = {}) override;
  void Close() override;
  FtpFailure lastFailure() const override { return failure_; }
  void setTimeBudget(std::optional<std::chrono::milliseconds> budget) override;
  void cancel() override { cancelled_ = true; }
  bool cancelled() const override { return cancelled_; }

  // libcurl's text for the last failure, for diagnostics.
  const std::string& lastErrorText() const { return errorText_; }

 private:
  enum class State { Closed, Connecting, Active, Failed };
  struct Handles;

  // The URL of `path` (already escaped, relative to the login directory) on the server.
  std::string url(const std::string& path) const;
  std::string escaped(std::string_view name) const;
  void setRequest(const std::string& path);
  // What makes a transfer give up before libcurl ends it.
  struct TransferWatch {
    std::optional<std::chrono::steady_clock::time_point> deadline;  // its own limit
    std::function<bool()> keepGoing;  // false: the caller cancelled it
  };
  // Adds the easy handle to the multi handle and drives it to its end, calling the pump
  // between steps. Answers libcurl's result code, or kGivenUp when the watch, the time
  // budget or a cancel ended it (the reason in `givenUp_`; the connection is then closed).
  int runTransfer(const TransferWatch& watch = {});
  static constexpr int kGivenUp = -1;
  // Takes the time since `since` off the budget; answers the reason to give up now
  // (Cancelled, TimedOut) or None.
  FtpFailure spend(std::chrono::steady_clock::time_point& since);
  // The failure libcurl's result `code` stands for, `otherwise` when it has no own meaning.
  FtpFailure failureOf(int code, FtpFailure otherwise) const;
  // One step of the request in progress: waits up to `waitMs` for the sockets, lets libcurl
  // work, and answers whether the request ended (its result in `result`).
  bool step(int waitMs, int& result);
  // Lets the connection attempt proceed (waiting up to `waitMs` for the sockets); answers
  // whether it is still under way.
  bool advanceConnect(int waitMs);
  bool fail(FtpFailure failure);
  // The connection attempt failed for `failure`: so do the operations until the next Open.
  void connectFailed(FtpFailure failure);
  // Why an operation finds no connection: the failed attempt's reason, or NotConnected.
  FtpFailure notActive() const;

  std::function<void()> pump_;
  FtpEndpoint endpoint_;
  std::chrono::seconds stallLimit_{30};
  std::chrono::seconds connectTimeout_{120};
  std::optional<std::chrono::steady_clock::duration> budget_;
  bool cancelled_ = false;
  FtpFailure givenUp_ = FtpFailure::None;
  FtpFailure connectFailure_ = FtpFailure::NotConnected;
  std::unique_ptr<Handles> handles_;
  State state_ = State::Closed;
  bool inRequest_ = false;
  std::string directory_;  // escaped segments, each followed by '/'
  FtpFailure failure_ = FtpFailure::None;
  std::string errorText_;
};

}  // namespace kavrina::ui
