#include "common/aside_file.h"

#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <utility>
#include <vector>

#include "common/file_ops.h"

namespace kavrina {
namespace {

// Aside names: "." + the target's name + "." + 12 hex digits + ".tmp". Hidden in listings,
// and never matching the masks under which the program lists its tables.
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomDigits = 12;
constexpr int kNameAttempts = 20;
constexpr auto kStaleAge = std::chrono::minutes(1);

std::string randomDigits() {
  unsigned char bytes[kRandomDigits / 2] = {};
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    // No entropy source: the process id and the clock still make the name unlikely to clash,
    // and O_EXCL refuses a clash anyway.
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto mix =
        static_cast<unsigned long long>(now) ^ (static_cast<unsigned long long>(::getpid()) << 40);
    for (std::size_t i = 0; i < sizeof bytes; ++i)
      bytes[i] = static_cast<unsigned char>(mix >> (8 * i));
  }
  std::string out;
  char hex[3];
  for (unsigned char b : bytes) {
    std::snprintf(hex, sizeof hex, "%02x", b);
    out += hex;
  }
  return out;
}

}  // namespace

AsideFile::~AsideFile() {
  discard();
}

AsideFile::AsideFile(AsideFile&& other) noexcept
    : file_(std::move(other.file_)),
      path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      published_(other.published_) {
  other.path_.clear();
}

AsideFile& AsideFile::operator=(AsideFile&& other) noexcept {
  if (this != &other) {
    discard();
    file_ = std::move(other.file_);
    path_ = std::move(other.path_);
    target_ = std::move(other.target_);
    published_ = other.published_;
    other.path_.clear();
  }
  return *this;
}

int AsideFile::create(const std::filesystem::path& target) {
  discard();
  target_ = target;
  published_ = false;
  const std::filesystem::path folder = target.parent_path();
  int err = EEXIST;
  for (int attempt = 0; attempt < kNameAttempts && err == EEXIST; ++attempt) {
    path_ =
        folder / ("." + target.filename().string() + "." + randomDigits() + std::string(kSuffix));
    err = file_.createNew(path_);
  }
  if (err != 0) {
    path_.clear();
    return err;
  }
  if (file_.tryLock(locks::kShareMode, 1, LockKind::Write) != LockResult::Taken) {
    err = file_.lastError();
    discard();
    return err ? err : EBUSY;
  }
  return 0;
}

int AsideFile::publish(bool replace) {
  if (!file_.isOpen()) return EBADF;
  if (!file_.sync()) return file_.lastError();
  // Only the file written here takes the target's name: an aside name that someone swapped
  // for another file or a link meanwhile is refused, not renamed into place.
  if (!file_.isFileAt(path_)) return ESTALE;
  const int err = replace ? fileops::renameReplacing(path_, target_)
                          : fileops::renameNotReplacing(path_, target_);
  if (err != 0) return err;
  published_ = true;
  return fileops::syncFolder(fileops::folderOf(target_));
}

void AsideFile::discard() {
  if (!path_.empty() && !published_) fileops::removeFile(path_);
  file_.close();
  path_.clear();
}

OsFile AsideFile::release() {
  OsFile out = std::move(file_);
  path_.clear();
  return out;
}

int copyFileAside(const std::filesystem::path& from, const std::filesystem::path& to, bool replace,
                  const std::function<void()>& between) {
  OsFile source;
  if (int err = source.open(from, OsFile::Access::ReadOnly); err != 0) return err;
  const std::int64_t size = source.size();
  if (size < 0) return source.lastError();
  AsideFile copy;
  if (int err = copy.create(to); err != 0) return err;
  std::vector<char> block(1 << 20);
  std::uint64_t offset = 0;
  for (;;) {
    const ssize_t got = source.readAt(offset, block);
    if (got < 0) return source.lastError();
    if (got == 0) break;
    if (!copy.file().writeAt(offset,
                             std::span<const char>(block.data(), static_cast<std::size_t>(got))))
      return copy.file().lastError();
    offset += static_cast<std::uint64_t>(got);
    if (between) between();
  }
  if (copy.file().size() != size) return EIO;
  return copy.publish(replace);
}

bool isAsideFileName(std::string_view name) {
  return name.size() > 1 + kSuffix.size() + kRandomDigits + 1 && name.front() == '.' &&
         name.substr(name.size() - kSuffix.size()) == kSuffix;
}

int removeStaleAsideFiles(const std::filesystem::path& folder) {
  int removed = 0;
  std::error_code ec;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isAsideFileName(name)) continue;
    std::error_code timeError;
    const auto written = std::filesystem::last_write_time(it->path(), timeError);
    if (timeError || now - written < kStaleAge) continue;
    OsFile probe;
    if (probe.openShareLocked(it->path(), OsFile::Access::ReadWrite, LockKind::Write) != 0)
      continue;
    if (fileops::removeFile(it->path()) == 0) ++removed;
  }
  return removed;
}

}  // namespace kavrina
