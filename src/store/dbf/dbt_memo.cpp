#include "store/dbf/dbt_memo.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>
#include <vector>

#include "common/aside_file.h"
#include "errors/error.h"
#include "errors/os_code.h"

namespace kavrina::store {
namespace {

using errors::driverError;
namespace gen = errors::gen;
namespace sub = errors::sub;

// A memo text is never longer than the file that holds it; this bounds one read.
constexpr std::size_t kReadChunk = 64 * 1024;

std::array<char, dbt::kBlockSize> blockZero(std::uint32_t nextFree) {
  std::array<char, dbt::kBlockSize> b{};
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((nextFree >> (8 * i)) & 0xFF);
  return b;
}

}  // namespace

bool DbtMemo::create(const std::filesystem::path& path) {
  const auto zero = blockZero(1);
  for (;;) {
    // An existing memo file is held exclusively until the new one has taken its name.
    OsFile old;
    int err = old.openShareLocked(path, OsFile::Access::ReadWrite, LockKind::Write);
    if (err == 0 || err == ENOENT) {
      const bool replace = err == 0;
      AsideFile aside;
      err = aside.create(path);
      if (err == 0 && !aside.file().writeAt(0, zero)) err = aside.file().lastError();
      if (err == 0) err = aside.publish(replace);
      if (err == 0) return true;
      if (err == EEXIST) continue;
    }
    const int osCode =
        err == EBUSY ? errors::os::kSharingViolation : errors::osCodeForPath(err, path);
    auto answer = errors::raise(driverError(gen::kCreate, sub::kCreateMemo, path.string(), osCode));
    if (answer != errors::ErrorAnswer::Retry) return false;
  }
}

bool DbtMemo::open(const std::filesystem::path& path, OsFile::Access access) {
  path_ = path;
  for (;;) {
    int err = file_.open(path, access);
    if (err == 0) return true;
    auto answer = errors::raise(
        driverError(gen::kOpen, sub::kOpenMemo, path.string(), errors::osCodeForPath(err, path)));
    if (answer != errors::ErrorAnswer::Retry) return false;
  }
}

void DbtMemo::adopt(OsFile file, const std::filesystem::path& path) {
  file_ = std::move(file);
  path_ = path;
}

void DbtMemo::close() {
  file_.close();
}

std::uint32_t DbtMemo::readNextFree() {
  std::array<char, 4> b{};
  if (file_.readAt(0, b) != 4)
    errors::fail(driverError(gen::kCorruption, sub::kCorruption, path_.string()));
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << (8 * i);
  return v;
}

std::string DbtMemo::read(std::uint32_t block) {
  std::int64_t size = file_.size();
  std::uint64_t start = static_cast<std::uint64_t>(block) * dbt::kBlockSize;
  if (block == 0 || size < 0 || start >= static_cast<std::uint64_t>(size))
    errors::fail(driverError(gen::kRead, sub::kRead, path_.string()));
  std::string text;
  std::vector<char> chunk(kReadChunk);
  std::uint64_t at = start;
  while (at < static_cast<std::uint64_t>(size)) {
    ssize_t n = file_.readAt(at, chunk);
    if (n < 0)
      errors::fail(driverError(gen::kRead, sub::kRead, path_.string(),
                               errors::osCodeFromErrno(file_.lastError())));
    if (n == 0) break;
    auto end = std::find(chunk.begin(), chunk.begin() + n, dbt::kTextEnd);
    text.append(chunk.begin(), end);
    if (end != chunk.begin() + n) break;
    at += static_cast<std::uint64_t>(n);
  }
  return text;
}

std::uint32_t DbtMemo::append(std::string_view text) {
  std::uint32_t block = readNextFree();
  std::int64_t size = file_.size();
  if (block == 0 || size < 0)
    errors::fail(driverError(gen::kCorruption, sub::kCorruption, path_.string()));
  // Never write inside block 0, and never leave a hole before the file's end unaccounted.
  std::uint64_t blocksInFile =
      (static_cast<std::uint64_t>(size) + dbt::kBlockSize - 1) / dbt::kBlockSize;
  if (block < blocksInFile) block = static_cast<std::uint32_t>(blocksInFile);
  std::string data(text);
  data.push_back(dbt::kTextEnd);
  std::uint64_t blocks = (data.size() + dbt::kBlockSize - 1) / dbt::kBlockSize;
  data.resize(blocks * dbt::kBlockSize, 0);
  if (static_cast<std::uint64_t>(block) + blocks > 0xFFFFFFFFu)
    errors::fail(driverError(gen::kWrite, sub::kWrite, path_.string()));
  auto next = blockZero(static_cast<std::uint32_t>(block + blocks));
  if (!file_.writeAt(static_cast<std::uint64_t>(block) * dbt::kBlockSize, data) ||
      !file_.writeAt(0, std::span<const char>(next.data(), 4)))
    errors::fail(driverError(gen::kWrite, sub::kWrite, path_.string(),
                             errors::osCodeFromErrno(file_.lastError())));
  return block;
}

void DbtMemo::reset() {
  // Block 0 first: cut short after it, the file is a valid empty memo file.
  auto zero = blockZero(1);
  if (!file_.writeAt(0, zero) || !file_.truncate(dbt::kBlockSize))
    errors::fail(driverError(gen::kWrite, sub::kWrite, path_.string(),
                             errors::osCodeFromErrno(file_.lastError())));
}

}  // namespace kavrina::store
