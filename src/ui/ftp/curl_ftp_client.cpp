#include "ui/ftp/curl_ftp_client.h"

#include <curl/curl.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <mutex>

#include "common/aside_file.h"
#include "common/os_file.h"
#include "ui/ftp/sha256.h"

namespace kavrina::ui {

namespace {

// How long one step waits for the sockets before the pump runs again.
constexpr int kPollMs = 15;

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A host name or address as the settings may give it; anything that could change the
// meaning of the URL (a '/', an '@', blanks) is refused.
bool validHost(const std::string& host) {
  if (host.empty()) return false;
  for (char c : host) {
    const auto u = static_cast<unsigned char>(c);
    if (!(std::isalnum(u) || c == '.' || c == '-' || c == '_' || c == ':')) return false;
  }
  return true;
}

struct Download {
  AsideFile* aside = nullptr;
  Sha256* hash = nullptr;
  std::uint64_t written = 0;
  bool writeFailed = false;
  int writeError = 0;
};

// A full disk (or a used-up quota) is told from other local failures.
FtpFailure localFailure(int error) {
  return error == ENOSPC || error == EDQUOT ? FtpFailure::NoSpace : FtpFailure::LocalFile;
}

size_t writeBody(char* data, size_t size, size_t count, void* user) {
  auto* d = static_cast<Download*>(user);
  const size_t n = size * count;
  if (!d->aside->file().writeAt(d->written, {data, n})) {
    d->writeFailed = true;
    d->writeError = d->aside->file().lastError();
    return n == 0 ? 1 : 0;  // anything but n ends the transfer with a write error
  }
  d->hash->update({data, n});
  d->written += n;
  return n;
}

struct Upload {
  OsFile* file = nullptr;
  std::uint64_t offset = 0;
  bool readFailed = false;
};

size_t readBody(char* buffer, size_t size, size_t count, void* user) {
  auto* u = static_cast<Upload*>(user);
  const ssize_t got = u->file->readAt(u->offset, {buffer, size * count});
  if (got < 0) {
    u->readFailed = true;
    return CURL_READFUNC_ABORT;
  }
  u->offset += static_cast<std::uint64_t>(got);
  return static_cast<size_t>(got);
}

// A single file name on the server: no folder part, nothing that names another directory.
bool plainRemoteName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\\r\n") == std::string_view::npos;
}

}  // namespace

struct CurlFtpClient::Handles {
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  char error[CURL_ERROR_SIZE] = {};
};

CurlFtpClient::CurlFtpClient(std::function<void()> pump) : pump_(std::move(pump)) {
  initialiseCurlOnce();
}

CurlFtpClient::~CurlFtpClient() {
  Close();
}

bool CurlFtpClient::fail(FtpFailure failure) {
  failure_ = failure;
  if (handles_) errorText_ = handles_->error;
  return false;
}

std::string CurlFtpClient::escaped(std::string_view name) const {
  char* out = curl_easy_escape(handles_->easy, name.data(), static_cast<int>(name.size()));
  std::string text = out != nullptr ? out : "";
  curl_free(out);
  return text;
}

std::string CurlFtpClient::url(const std::string& path) const {
  const std::string host =
      endpoint_.host.find(':') != std::string::npos ? "[" + endpoint_.host + "]" : endpoint_.host;
  return "ftp://" + host + ":" + std::to_string(endpoint_.port) + "/" + path;
}

void CurlFtpClient::setRequest(const std::string& path) {
  CURL* easy = handles_->easy;
  handles_->error[0] = '\0';
  curl_easy_setopt(easy, CURLOPT_URL, url(path).c_str());
  curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 0L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, nullptr);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, nullptr);
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, nullptr);
  curl_easy_setopt(easy, CURLOPT_READDATA, nullptr);
  curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(-1));
}

void CurlFtpClient::connectFailed(FtpFailure failure) {
  state_ = State::Failed;
  failure_ = failure;
  connectFailure_ = failure;
}

FtpFailure CurlFtpClient::notActive() const {
  return state_ == State::Failed ? connectFailure_ : FtpFailure::NotConnected;
}

void CurlFtpClient::setTimeBudget(std::optional<std::chrono::milliseconds> budget) {
  budget_.reset();
  if (budget) budget_ = *budget;
}

FtpFailure CurlFtpClient::spend(std::chrono::steady_clock::time_point& since) {
  const auto now = std::chrono::steady_clock::now();
  if (budget_) *budget_ -= now - since;
  since = now;
  if (cancelled_) return FtpFailure::Cancelled;
  if (budget_ && budget_->count() <= 0) return FtpFailure::TimedOut;
  return FtpFailure::None;
}

FtpFailure CurlFtpClient::failureOf(int code, FtpFailure otherwise) const {
  if (code == CURLE_USE_SSL_FAILED) return FtpFailure::NoTls;
  return otherwise;
}

void CurlFtpClient::Open() {
  Close();
  failure_ = FtpFailure::None;
  errorText_.clear();
  FtpFailure refused = FtpFailure::None;
  if (cancelled_)
    refused = FtpFailure::Cancelled;
  else if (budget_ && budget_->count() <= 0)
    refused = FtpFailure::TimedOut;
  else if (endpoint_.host.empty())
    refused = FtpFailure::NoServer;
  else if (!validHost(endpoint_.host))
    refused = FtpFailure::NotConnected;
  if (refused != FtpFailure::None) {
    connectFailed(refused);
    return;
  }
  handles_ = std::make_unique<Handles>();
  handles_->multi = curl_multi_init();
  handles_->easy = curl_easy_init();
  if (handles_->multi == nullptr || handles_->easy == nullptr) {
    Close();
    connectFailed(FtpFailure::NotConnected);
    return;
  }
  CURL* easy = handles_->easy;
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handles_->error);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_USERNAME, endpoint_.user.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, endpoint_.password.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(connectTimeout_.count()));
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(stallLimit_.count()));
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(stallLimit_.count()));
  curl_easy_setopt(easy, CURLOPT_TCP_KEEPALIVE, 1L);
  if (endpoint_.tls) {
    curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!endpoint_.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, endpoint_.caFile.c_str());
  }
  // The login alone: the root of the login directory, nothing transferred.
  setRequest("");
  curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  curl_multi_add_handle(handles_->multi, easy);
  inRequest_ = true;
  state_ = State::Connecting;
  advanceConnect(0);
}

bool CurlFtpClient::step(int waitMs, int& result) {
  auto done = [&] {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(handles_->multi, &left)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == handles_->easy) {
        result = message->data.result;
        curl_multi_remove_handle(handles_->multi, handles_->easy);
        inRequest_ = false;
        return true;
      }
    }
    return false;
  };
  int running = 0;
  curl_multi_perform(handles_->multi, &running);
  if (done()) return true;
  if (waitMs > 0) curl_multi_poll(handles_->multi, nullptr, 0, waitMs, nullptr);
  curl_multi_perform(handles_->multi, &running);
  return done();
}

bool CurlFtpClient::Busy() {
  return advanceConnect(kPollMs);
}

bool CurlFtpClient::advanceConnect(int waitMs) {
  if (state_ != State::Connecting) return false;
  auto since = std::chrono::steady_clock::now();
  int result = CURLE_OK;
  const bool ended = step(waitMs, result);
  const FtpFailure givenUp = spend(since);
  if (ended) {
    if (result == CURLE_OK) {
      state_ = State::Active;
    } else {
      errorText_ = handles_->error;
      connectFailed(failureOf(result, FtpFailure::NotConnected));
    }
  } else if (givenUp != FtpFailure::None) {
    Close();
    connectFailed(givenUp);
  }
  return state_ == State::Connecting;
}

int CurlFtpClient::runTransfer(const TransferWatch& watch) {
  curl_multi_add_handle(handles_->multi, handles_->easy);
  inRequest_ = true;
  auto since = std::chrono::steady_clock::now();
  for (;;) {
    int result = CURLE_OK;
    if (step(kPollMs, result)) return result;
    FtpFailure reason = spend(since);
    if (reason == FtpFailure::None && pump_) {
      pump_();
      reason = spend(since);
    }
    if (reason == FtpFailure::None && watch.deadline &&
        std::chrono::steady_clock::now() >= *watch.deadline)
      reason = FtpFailure::TimedOut;
    if (reason == FtpFailure::None && watch.keepGoing && !watch.keepGoing())
      reason = FtpFailure::Cancelled;
    if (reason != FtpFailure::None) {
      // The server may still be sending: the connection goes with the transfer.
      givenUp_ = reason;
      Close();
      return kGivenUp;
    }
  }
}

bool CurlFtpClient::ChangeDirectory(std::string_view name) {
  if (cancelled_) return fail(FtpFailure::Cancelled);
  if (state_ != State::Active) return fail(notActive());
  if (inRequest_) return fail(FtpFailure::Transfer);
  std::string target = directory_;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    const std::string_view segment = name.substr(start, end - start);
    if (!segment.empty()) {
      if (segment == "." || segment == "..") return fail(FtpFailure::Transfer);
      target += escaped(segment) + "/";
    }
    start = end + 1;
  }
  setRequest(target);
  curl_easy_setopt(handles_->easy, CURLOPT_NOBODY, 1L);
  const int result = runTransfer();
  if (result == kGivenUp) return fail(givenUp_);
  if (result != CURLE_OK) return fail(FtpFailure::Transfer);
  directory_ = target;
  failure_ = FtpFailure::None;
  return true;
}

bool CurlFtpClient::SendFile(const std::filesystem::path& local, std::string_view remoteName) {
  if (cancelled_) return fail(FtpFailure::Cancelled);
  if (state_ != State::Active) return fail(notActive());
  if (inRequest_ || !plainRemoteName(remoteName)) return fail(FtpFailure::Transfer);
  OsFile file;
  if (file.open(local, OsFile::Access::ReadOnly) != 0) return fail(FtpFailure::LocalFile);
  const std::int64_t size = file.size();
  if (size < 0) return fail(FtpFailure::LocalFile);
  Upload upload{&file};
  setRequest(directory_ + escaped(remoteName));
  CURL* easy = handles_->easy;
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, readBody);
  curl_easy_setopt(easy, CURLOPT_READDATA, &upload);
  const int result = runTransfer();
  if (upload.readFailed) return fail(FtpFailure::LocalFile);
  if (result == kGivenUp) return fail(givenUp_);
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 0L);
  if (result != CURLE_OK) return fail(FtpFailure::Transfer);
  curl_off_t sent = -1;
  curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &sent);
  if (sent != size || upload.offset != static_cast<std::uint64_t>(size))
    return fail(FtpFailure::Incomplete);
  failure_ = FtpFailure::None;
  return true;
}

bool CurlFtpClient::ReceiveFile(std::string_view remoteName, const std::filesystem::path& local,
                                const ReceiveOptions& options) {
  if (cancelled_) return fail(FtpFailure::Cancelled);
  if (state_ != State::Active) return fail(notActive());
  if (inRequest_ || !plainRemoteName(remoteName)) return fail(FtpFailure::Transfer);
  AsideFile aside;
  if (const int error = aside.create(local); error != 0) return fail(localFailure(error));
  Sha256 hash;
  Download download{&aside, &hash};
  setRequest(directory_ + escaped(remoteName));
  CURL* easy = handles_->easy;
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, writeBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &download);
  TransferWatch watch;
  if (options.limit.count() > 0) watch.deadline = std::chrono::steady_clock::now() + options.limit;
  if (options.progress)
    watch.keepGoing = [&] {
      curl_off_t total = -1;
      curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
      return options.progress(download.written, static_cast<std::int64_t>(total));
    };
  const int result = runTransfer(watch);
  if (download.writeFailed) return fail(localFailure(download.writeError));
  if (result == kGivenUp) return fail(givenUp_);
  if (result == CURLE_PARTIAL_FILE) return fail(FtpFailure::Incomplete);
  if (result != CURLE_OK) return fail(FtpFailure::Transfer);
  curl_off_t announced = -1;
  curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  if (announced >= 0 && static_cast<std::uint64_t>(announced) != download.written)
    return fail(FtpFailure::Incomplete);
  if (!options.sha256.empty()) {
    std::string expected = options.sha256;
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (hash.hexDigest() != expected) return fail(FtpFailure::Checksum);
  } else if (options.proofRequired && announced < 0) {
    return fail(FtpFailure::Unverified);
  }
  if (options.executable && ::fchmod(aside.file().fd(), 0755) != 0)
    return fail(FtpFailure::LocalFile);
  if (const int error = aside.publish(true); error != 0) return fail(localFailure(error));
  failure_ = FtpFailure::None;
  return true;
}

void CurlFtpClient::Close() {
  if (handles_) {
    if (inRequest_) curl_multi_remove_handle(handles_->multi, handles_->easy);
    // Closes the cached connection (QUIT to a server that is logged in).
    if (handles_->multi != nullptr) curl_multi_cleanup(handles_->multi);
    if (handles_->easy != nullptr) curl_easy_cleanup(handles_->easy);
    handles_.reset();
  }
  inRequest_ = false;
  state_ = State::Closed;
  directory_.clear();
}

}  // namespace kavrina::ui
