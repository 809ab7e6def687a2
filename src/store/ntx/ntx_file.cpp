#include "store/ntx/ntx_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/path_case.h"
#include "errors/error.h"
#include "errors/os_code.h"

namespace kavrina::store::ntx {

namespace fs = std::filesystem;
namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

namespace {

// Decoded pages kept per open index (about 40 MB with the largest keys).
constexpr std::size_t kCachePages = 32768;
// Bytes read at once while block reads are on.
constexpr std::size_t kBlockReadBytes = 256 * 1024;

std::uint64_t roundUpToPage(std::uint64_t size) {
  return (size + kPageSize - 1) / kPageSize * kPageSize;
}

int osCodeFor(const fs::path& path, int err) {
  return errors::osCodeForPath(err, path);
}

}  // namespace

[[noreturn]] void NtxFile::corrupt(const std::string& problem) const {
  errors::fail(driverError(gen::kCorruption, sub::kCorruption, path_.string(), 0, problem));
}

[[noreturn]] void NtxFile::failIo(int gencode, int subcode, int err) const {
  errors::fail(
      driverError(gencode, subcode, path_.string(), err ? errors::osCodeFromErrno(err) : 0));
}

std::unique_ptr<NtxFile> NtxFile::create(const fs::path& requested, NtxHeader header, bool shared) {
  for (;;) {
    std::unique_ptr<NtxFile> f = createAside(requested, header, shared);
    if (!f) return nullptr;
    f->finishBuild(kPageSize, 2 * kPageSize);
    if (f->file_.isOpen()) return f;
    // Another station created the index meanwhile: replace that one (the loop holds it first).
  }
}

std::unique_ptr<NtxFile> NtxFile::createAside(const fs::path& requested, NtxHeader header,
                                              bool shared) {
  const fs::path path = findCaseInsensitive(requested);
  header.live.counter = 1;
  header.live.root = kPageSize;
  header.live.freePage = 0;

  for (;;) {
    std::unique_ptr<NtxFile> f(new NtxFile());
    f->path_ = path;
    f->shared_ = shared;
    f->header_ = header;
    // An existing index is held exclusively until the new one has taken its name.
    int err = f->heldOriginal_.openShareLocked(path, OsFile::Access::ReadWrite, LockKind::Write);
    if (err == 0 || err == ENOENT) {
      f->replaceOnPublish_ = err == 0;
      err = f->startAside();
      if (err == 0) {
        NtxPage root(kPageSize, header.geometry.keySize);
        std::array<char, kPageSize> bytes{};
        root.encode(header.geometry, bytes.data());
        if (f->file_.writeAt(kPageSize, bytes)) {
          f->fileEnd_ = f->sizeSeen_ = 2 * kPageSize;
          return f;
        }
        err = f->file_.lastError();
      }
    }
    // Another station has the index open: like a table open that meets a sharing conflict,
    // this may fail softly, and the caller tells the user.
    const errors::Error e =
        err == EBUSY
            ? driverError(gen::kOpen, kSubOpenIndex, path.string(), errors::os::kSharingViolation)
            : driverError(gen::kCreate, kSubCreateIndex, path.string(), osCodeFor(path, err));
    if (errors::raise(e) != errors::ErrorAnswer::Retry) return nullptr;
  }
}

int NtxFile::startAside() {
  AsideFile aside;
  if (int err = aside.create(path_); err != 0) return err;
  const auto head = encodeHeader(header_);
  if (!aside.file().writeAt(0, head)) return aside.file().lastError();
  asidePath_ = aside.path();
  if (file_.isOpen()) heldOriginal_ = std::move(file_);
  file_ = aside.release();
  dropCache();
  return 0;
}

void NtxFile::discardAside() noexcept {
  if (!building()) return;
  file_.close();
  fileops::removeFile(asidePath_);
  asidePath_.clear();
  file_ = std::move(heldOriginal_);
}

bool NtxFile::publish() {
  if (!building()) return true;
  writeLiveHeader();
  if (!file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  const int err = replaceOnPublish_ ? fileops::renameReplacing(asidePath_, path_)
                                    : fileops::renameNotReplacing(asidePath_, path_);
  if (err == EEXIST) {
    discardAside();
    file_.close();
    return false;
  }
  if (err != 0) failIo(gen::kWrite, sub::kWrite, err);
  asidePath_.clear();
  heldOriginal_.close();
  if (int e = fileops::syncFolder(fileops::folderOf(path_)); e != 0)
    failIo(gen::kWrite, sub::kWrite, e);
  // The aside file was held exclusively; a shared index is now open to the other stations.
  if (shared_ && file_.tryLock(locks::kShareMode, 1, LockKind::Read) != LockResult::Taken)
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
  return true;
}

std::unique_ptr<NtxFile> NtxFile::open(const fs::path& requested, bool shared, bool readOnly) {
  std::unique_ptr<NtxFile> f(new NtxFile());
  f->path_ = findCaseInsensitive(requested);
  f->shared_ = shared;
  f->readOnly_ = readOnly;
  for (;;) {
    const LockKind kind = shared || readOnly ? LockKind::Read : LockKind::Write;
    const int err = f->file_.openShareLocked(
        f->path_, readOnly ? OsFile::Access::ReadOnly : OsFile::Access::ReadWrite, kind);
    if (err == 0) break;
    const int osCode = err == EBUSY ? errors::os::kSharingViolation : osCodeFor(f->path_, err);
    auto answer = errors::raise(driverError(gen::kOpen, kSubOpenIndex, f->path_.string(), osCode));
    if (answer != errors::ErrorAnswer::Retry) return nullptr;
  }

  std::array<char, kPageSize> page{};
  ssize_t got = f->file_.readAt(0, page);
  if (got < 0) f->failIo(gen::kRead, sub::kRead, f->file_.lastError());
  if (static_cast<std::size_t>(got) < kPageSize) f->corrupt("index file shorter than its header");
  std::string problem;
  if (!parseHeader(page, f->header_, problem)) f->corrupt(problem);
  const std::uint64_t size = f->currentFileSize();
  f->fileEnd_ = roundUpToPage(size);
  f->sizeSeen_ = size;
  f->checkLiveHeader(f->header_.live, size);
  return f;
}

NtxFile::~NtxFile() {
  try {
    close();
  } catch (...) {
    // A destructor cannot report; close() explicitly to see failures.
  }
}

std::uint64_t NtxFile::currentFileSize() {
  std::int64_t size = file_.size();
  if (size < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  return static_cast<std::uint64_t>(size);
}

void NtxFile::checkLiveHeader(const LiveHeader& live, std::uint64_t fileSize) const {
  if (live.signature != header_.live.signature) corrupt("index signature changed");
  if (!isPageOffset(live.root, fileSize)) corrupt("root page offset outside the file");
  if (live.freePage != 0 && !isPageOffset(live.freePage, fileSize))
    corrupt("free page offset outside the file");
}

void NtxFile::dropCache() {
  ++generation_;
}

void NtxFile::remember(std::shared_ptr<const NtxPage> page) {
  // As many slots as the file has pages (a power of two), up to the limit; a grown file
  // gets a larger cache, starting empty.
  const std::size_t pages = static_cast<std::size_t>(fileEnd_ / kPageSize);
  const std::size_t wanted = std::min(kCachePages, std::bit_ceil(std::max<std::size_t>(pages, 64)));
  if (cache_.size() < wanted) {
    cache_.assign(wanted, Slot{});
    ++generation_;
  }
  Slot& slot = cache_[page->offset() / kPageSize % cache_.size()];
  slot.page = std::move(page);
  slot.generation = generation_;
}

void NtxFile::refreshLiveHeader() {
  std::array<char, kLiveHeaderSize> bytes{};
  ssize_t got = file_.readAt(0, bytes);
  if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  if (static_cast<std::size_t>(got) < bytes.size()) corrupt("index header cut short");
  LiveHeader live = decodeLiveHeader(bytes);
  const std::uint64_t size = currentFileSize();
  // The counter is only 16 bits: a changed root, free list or file size also means that
  // someone else worked on the tree, even if the counter came round to the same value.
  if (live.counter != header_.live.counter || live.root != header_.live.root ||
      live.freePage != header_.live.freePage || size != sizeSeen_) {
    dropCache();
    fileEnd_ = roundUpToPage(size);
    sizeSeen_ = size;
  }
  checkLiveHeader(live, size);
  header_.live = live;
}

void NtxFile::lock() {
  if (depth_ > 0) {
    ++depth_;
    return;
  }
  if (!shared_) {
    depth_ = 1;
    return;
  }
  const LockKind kind = readOnly_ ? LockKind::Read : LockKind::Write;
  for (;;) {
    const LockResult result = file_.waitForLock(locks::kIndex, 1, kind);
    if (result == LockResult::Taken) break;
    const int err = file_.lastError();
    const bool systemError = result == LockResult::Failed;
    errors::Error e = driverError(gen::kLock, systemError ? sub::kIndexLockOs : sub::kIndexLock,
                                  path_.string(), systemError ? errors::osCodeFromErrno(err) : 0);
    if (errors::raise(e) != errors::ErrorAnswer::Retry) throw e;
  }
  depth_ = 1;
  try {
    refreshLiveHeader();
  } catch (...) {
    depth_ = 0;
    file_.unlock(locks::kIndex, 1);
    throw;
  }
}

void NtxFile::unlock() {
  if (depth_ == 0) return;
  if (--depth_ == 0 && shared_) file_.unlock(locks::kIndex, 1);
}

void NtxFile::setRoot(std::uint32_t offset) {
  header_.live.root = offset;
}

std::shared_ptr<const NtxPage> NtxFile::page(std::uint32_t offset) {
  if (!cache_.empty()) {
    const Slot& slot = cache_[offset / kPageSize % cache_.size()];
    if (slot.generation == generation_ && slot.page && slot.page->offset() == offset)
      return slot.page;
  }
  if (!isPageOffset(offset, fileEnd_))
    corrupt("page offset " + std::to_string(offset) + " outside the file");
  std::array<char, kPageSize> bytes{};
  if (blockReads_) {
    const bool inBlock = blockGeneration_ == generation_ && offset >= blockStart_ &&
                         offset + kPageSize <= blockStart_ + block_.size();
    if (!inBlock) {
      block_.resize(std::min<std::uint64_t>(kBlockReadBytes, fileEnd_ - offset));
      const ssize_t got = file_.readAt(offset, block_);
      if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
      block_.resize(static_cast<std::size_t>(got) / kPageSize * kPageSize);
      blockStart_ = offset;
      blockGeneration_ = generation_;
      if (block_.empty()) corrupt("page at " + std::to_string(offset) + " cut short");
    }
    std::memcpy(bytes.data(), block_.data() + (offset - blockStart_), kPageSize);
  } else {
    const ssize_t got = file_.readAt(offset, bytes);
    if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
    if (static_cast<std::size_t>(got) < kPageSize)
      corrupt("page at " + std::to_string(offset) + " cut short");
  }
  auto decoded = std::make_shared<NtxPage>();
  std::string problem;
  if (!NtxPage::decode(bytes, header_.geometry, offset, *decoded, problem)) corrupt(problem);
  remember(decoded);
  return decoded;
}

void NtxFile::setBlockReads(bool on) {
  blockReads_ = on;
  block_.clear();
  block_.shrink_to_fit();
}

void NtxFile::store(const NtxPage& page) {
  block_.clear();
  std::array<char, kPageSize> bytes{};
  page.encode(header_.geometry, bytes.data());
  if (!file_.writeAt(page.offset(), bytes)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  const std::uint64_t end = static_cast<std::uint64_t>(page.offset()) + kPageSize;
  if (end > sizeSeen_) sizeSeen_ = end;
  if (end > fileEnd_) fileEnd_ = end;
  remember(std::make_shared<const NtxPage>(page));
}

std::uint32_t NtxFile::allocate() {
  const std::uint32_t head = header_.live.freePage;
  if (head != 0) {
    auto p = page(head);
    const std::uint32_t next = p->child(0);
    if (p->count() != 0 || next == head || (next != 0 && !isPageOffset(next, fileEnd_)))
      corrupt("free page list damaged at " + std::to_string(head));
    header_.live.freePage = next;
    return head;
  }
  if (fileEnd_ + kPageSize > std::numeric_limits<std::uint32_t>::max())
    failIo(gen::kWrite, sub::kWrite, EFBIG);
  const auto offset = static_cast<std::uint32_t>(fileEnd_);
  fileEnd_ += kPageSize;
  return offset;
}

void NtxFile::release(std::uint32_t offset) {
  NtxPage freed(offset, header_.geometry.keySize);
  freed.makeFree(header_.live.freePage);
  store(freed);
  header_.live.freePage = offset;
}

void NtxFile::writeLiveHeader() {
  auto bytes = encodeLiveHeader(header_.live);
  if (!file_.writeAt(0, bytes)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  headerDirty_ = false;
}

void NtxFile::keyUpdated() {
  if (shared_) {
    ++header_.live.counter;
    writeLiveHeader();
  } else {
    headerDirty_ = true;
  }
}

void NtxFile::commit() {
  if (!file_.isOpen() || readOnly_ || building()) return;
  if (headerDirty_) writeLiveHeader();
  // Flushed like its table, right after it.
  if (file_.unflushed() && !file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
}

void NtxFile::close() {
  // A new file that was not published leaves the index as it was.
  discardAside();
  if (!file_.isOpen()) return;
  commit();
  if (depth_ > 0 && shared_) file_.unlock(locks::kIndex, 1);
  depth_ = 0;
  cache_.clear();
  cache_.shrink_to_fit();
  int err = file_.close();
  if (err != 0) failIo(gen::kClose, sub::kWrite, err);
}

void NtxFile::resetPages() {
  dropCache();
  // Aside when no other station has the index open: the old tree stays whole until the new
  // one replaces it. A shared index in use is rebuilt in place, under the index lock that
  // every station takes before it reads a page.
  if (!building() && !readOnly_ &&
      (!shared_ || file_.tryLock(locks::kShareMode, 1, LockKind::Write) == LockResult::Taken)) {
    replaceOnPublish_ = true;
    if (int err = startAside(); err != 0) {
      if (shared_) file_.tryLock(locks::kShareMode, 1, LockKind::Read);
      failIo(gen::kWrite, sub::kWrite, err);
    }
    // The index lock is held on the old file (see lock()); the new file gets its own.
    if (depth_ > 0 && shared_ &&
        file_.tryLock(locks::kIndex, 1, LockKind::Write) != LockResult::Taken)
      failIo(gen::kWrite, sub::kWrite, file_.lastError());
  }
  if (!file_.truncate(kPageSize)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  fileEnd_ = sizeSeen_ = kPageSize;
  header_.live.freePage = 0;
}

void NtxFile::writePages(std::uint64_t offset, std::span<const char> bytes) {
  block_.clear();
  if (!file_.writeAt(offset, bytes)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  const std::uint64_t end = offset + bytes.size();
  if (end > sizeSeen_) sizeSeen_ = end;
  if (end > fileEnd_) fileEnd_ = roundUpToPage(end);
}

void NtxFile::finishBuild(std::uint32_t root, std::uint64_t fileEnd) {
  header_.live.root = root;
  header_.live.freePage = 0;
  fileEnd_ = fileEnd;
  if (building()) {
    publish();
    return;
  }
  // Rebuilt in place: the other stations learn of it from the counter.
  if (shared_) ++header_.live.counter;
  writeLiveHeader();
}

}  // namespace kavrina::store::ntx
