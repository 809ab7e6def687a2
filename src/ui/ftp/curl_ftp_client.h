// The FTP client on libcurl's multi interface: nothing in it blocks for longer than a few
// milliseconds, so the window's events run while it connects (the caller polls Busy) and
// while it transfers (it calls the pump it was given).
#pragma once

#include <chrono>
#include <functional>
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

  // libcurl's text for the last failure, for diagnostics.
  const std::string& lastErrorText() const { return errorText_; }

 private:
  enum class State { Closed, Connecting, Active, Failed };
  struct Handles;

  // The URL of `path` (already escaped, relative to the login directory) on the server.
  std::string url(const std::string& path) const;
  std::string escaped(std::string_view name) const;
  void setRequest(const std::string& path);
  // Adds the easy handle to the multi handle and drives it to its end, calling the pump
  // between steps. Answers libcurl's result code.
  int runTransfer();
  // One step of the request in progress: waits up to `waitMs` for the sockets, lets libcurl
  // work, and answers whether the request ended (its result in `result`).
  bool step(int waitMs, int& result);
  // Lets the connection attempt proceed (waiting up to `waitMs` for the sockets); answers
  // whether it is still under way.
  bool advanceConnect(int waitMs);
  bool fail(FtpFailure failure);

  std::function<void()> pump_;
  FtpEndpoint endpoint_;
  std::chrono::seconds stallLimit_{30};
  std::chrono::seconds connectTimeout_{120};
  std::unique_ptr<Handles> handles_;
  State state_ = State::Closed;
  bool inRequest_ = false;
  std::string directory_;  // escaped segments, each followed by '/'
  FtpFailure failure_ = FtpFailure::None;
  std::string errorText_;
};

}  // namespace kavrina::ui
