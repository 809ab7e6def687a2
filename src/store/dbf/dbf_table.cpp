// Opening, creating, committing and closing a table, and keeping its header current.
#include "store/dbf/dbf_table.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include "common/aside_file.h"
#include "common/clock.h"
#include "common/file_ops.h"
#include "common/path_case.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "errors/os_code.h"

namespace kavrina::store {

namespace fs = std::filesystem;
using errors::driverError;
namespace gen = errors::gen;
namespace sub = errors::sub;

namespace {

// OS code for a failed open: tell a missing folder from a missing file, and a read-only
// file or folder from one the system keeps from this user.
int openOsCode(const fs::path& path, int err) {
  return errors::osCodeForPath(err, path);
}

fs::path memoPathFor(const fs::path& tablePath) {
  fs::path memo = tablePath;
  memo.replace_extension(".dbt");
  return findCaseInsensitive(memo);
}

}  // namespace

void DbfTable::failIo(int gencode, int subcode, int err) {
  errors::fail(
      driverError(gencode, subcode, path_.string(), err ? errors::osCodeFromErrno(err) : 0));
}

namespace {

// OS code for a failed create: a busy share lock is the sharing violation.
int createOsCode(const fs::path& path, int err) {
  return err == EBUSY ? errors::os::kSharingViolation : openOsCode(path, err);
}

// Writes `bytes` as a new file under `path` by way of an aside file: replacing the file there
// (which the caller holds exclusively), or only when there is none (`replace` false: EEXIST
// when another station was first). Returns errno.
int publishBytes(const fs::path& path, const std::vector<char>& bytes, bool replace) {
  AsideFile aside;
  if (int err = aside.create(path); err != 0) return err;
  if (!aside.file().writeAt(0, bytes)) return aside.file().lastError();
  return aside.publish(replace);
}

}  // namespace

namespace {

// Reads the header of an open table file and checks it against the file's size. Raises the
// read error (23/1010) or the corruption error (32/1012) naming `name`, among them a record
// count that the file's size cannot hold.
void readCheckedHeader(OsFile& file, const std::string& name, DbfHeader& header) {
  const auto failRead = [&] {
    errors::fail(
        driverError(gen::kRead, sub::kRead, name, errors::osCodeFromErrno(file.lastError())));
  };
  // The fixed part says how much to read; the rest is checked before any use.
  std::array<char, dbf::kHeaderFixedSize> fixed{};
  ssize_t got = file.readAt(0, fixed);
  if (got < 0) failRead();
  const std::size_t toRead =
      headerLengthToRead(std::span<const char>(fixed.data(), static_cast<std::size_t>(got)));
  std::vector<char> headerBytes(std::max<std::size_t>(toRead, dbf::kHeaderFixedSize));
  got = file.readAt(0, headerBytes);
  if (got < 0) failRead();
  headerBytes.resize(static_cast<std::size_t>(got));
  std::string problem;
  if (!parseHeader(headerBytes, header, problem))
    errors::fail(driverError(gen::kCorruption, sub::kCorruption, name, 0, problem));

  const std::int64_t size = file.size();
  if (size < 0) failRead();
  const std::uint64_t recordsInFile =
      static_cast<std::uint64_t>(size) < header.headerLength
          ? 0
          : (static_cast<std::uint64_t>(size) - header.headerLength) / header.recordLength;
  if (header.recordCount > recordsInFile)
    errors::fail(driverError(gen::kCorruption, sub::kCorruption, name, 0,
                             "record count beyond the end of the file"));
}

}  // namespace

void DbfTable::checkExisting(const fs::path& requested) {
  const fs::path path = findCaseInsensitive(requested);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec))) return;  // no table: its open says so
  OsFile file;
  if (const int err = file.open(path, OsFile::Access::ReadOnly); err != 0)
    errors::fail(driverError(gen::kOpen, sub::kOpenData, path.string(), openOsCode(path, err)));
  DbfHeader header;
  readCheckedHeader(file, path.string(), header);
}

namespace {

std::vector<char> emptyTableBytes(const DbfHeader& header, const Clock& clock) {
  const Date today = clock.today();
  std::vector<char> bytes = encodeHeader(header, today.year(), today.month(), today.day());
  bytes.push_back(dbf::kEndOfFile);
  return bytes;
}

}  // namespace

bool DbfTable::create(const fs::path& requested, const Structure& structure, const Clock& clock) {
  const fs::path path = findCaseInsensitive(requested);
  std::string problem;
  DbfHeader header = headerForStructure(structure, problem);
  if (!problem.empty()) {
    errors::fail(driverError(gen::kCreate, sub::kCreateData, path.string(), 0, problem));
  }
  const std::vector<char> bytes = emptyTableBytes(header, clock);

  for (;;) {
    // The old file is held exclusively until the new one has taken its name.
    OsFile old;
    int err = old.openShareLocked(path, OsFile::Access::ReadWrite, LockKind::Write);
    if (err == 0 || err == ENOENT) {
      if (header.hasMemo()) {
        fs::path memo = path;
        memo.replace_extension(".dbt");
        if (!DbtMemo::create(findCaseInsensitive(memo))) return false;
      }
      err = publishBytes(path, bytes, err == 0);
      if (err == 0) return true;
      if (err == EEXIST) continue;  // created meanwhile by another station: replace that one
    }
    auto answer = errors::raise(
        driverError(gen::kCreate, sub::kCreateData, path.string(), createOsCode(path, err)));
    if (answer != errors::ErrorAnswer::Retry) return false;
  }
}

bool DbfTable::createIfMissing(const fs::path& requested, const Structure& structure,
                               const Clock& clock) {
  const fs::path path = findCaseInsensitive(requested);
  std::error_code ec;
  if (fs::exists(path, ec) || fs::is_symlink(path, ec)) {
    // A table that exists is never made anew: a damaged one is refused with its name.
    checkExisting(path);
    return true;
  }
  std::string problem;
  DbfHeader header = headerForStructure(structure, problem);
  if (!problem.empty()) {
    errors::fail(driverError(gen::kCreate, sub::kCreateData, path.string(), 0, problem));
  }
  if (header.hasMemo()) {
    fs::path memo = path;
    memo.replace_extension(".dbt");
    if (!DbtMemo::create(findCaseInsensitive(memo))) return false;
  }
  for (;;) {
    const int err = publishBytes(path, emptyTableBytes(header, clock), false);
    if (err == 0 || err == EEXIST) return true;
    auto answer = errors::raise(
        driverError(gen::kCreate, sub::kCreateData, path.string(), createOsCode(path, err)));
    if (answer != errors::ErrorAnswer::Retry) return false;
  }
}

std::unique_ptr<DbfTable> DbfTable::open(const fs::path& requested, OpenOptions options) {
  std::unique_ptr<DbfTable> table(new DbfTable());
  table->path_ = findCaseInsensitive(requested);
  table->shared_ = options.shared;
  table->readOnly_ = options.readOnly;
  if (options.clock != nullptr) table->clock_ = *options.clock;
  const std::string name = table->path_.string();
  errors::setNetworkError(false);

  for (;;) {
    // The share mode: a read lock for shared or read-only use, a write lock for exclusive.
    const LockKind kind = options.shared || options.readOnly ? LockKind::Read : LockKind::Write;
    const int err = table->file_.openShareLocked(
        table->path_, options.readOnly ? OsFile::Access::ReadOnly : OsFile::Access::ReadWrite,
        kind);
    if (err == 0) break;
    const int osCode = err == EBUSY ? errors::os::kSharingViolation : openOsCode(table->path_, err);
    auto answer = errors::raise(driverError(gen::kOpen, sub::kOpenData, name, osCode));
    if (answer != errors::ErrorAnswer::Retry) return nullptr;
  }

  readCheckedHeader(table->file_, name, table->header_);
  // Records past the header's count (left by a station that died in the middle of a change
  // of many records) are not part of the table.
  table->count_ = table->header_.recordCount;

  if (table->header_.hasMemo()) {
    OsFile::Access access = options.readOnly ? OsFile::Access::ReadOnly : OsFile::Access::ReadWrite;
    fs::path memoPath = memoPathFor(table->path_);
    if (!table->memo_.open(memoPath, access)) return nullptr;
    LockKind kind = options.shared || options.readOnly ? LockKind::Read : LockKind::Write;
    if (table->memo_.file().tryLock(locks::kShareMode, 1, kind) != LockResult::Taken) {
      auto answer = errors::raise(driverError(gen::kOpen, sub::kOpenMemo, memoPath.string(),
                                              errors::os::kSharingViolation));
      (void)answer;  // the table is unusable without its memo file: fail the open
      return nullptr;
    }
  }

  table->cursor_.reset(table->header_.recordLength);
  table->goTop();
  return table;
}

DbfTable::~DbfTable() {
  try {
    close();
  } catch (...) {
    // A destructor cannot report; close() explicitly to see failures.
  }
}

int DbfTable::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < header_.fields.size(); ++i)
    if (sameFieldName(header_.fields[i].def.name, name)) return static_cast<int>(i);
  return -1;
}

Structure DbfTable::structure() const {
  Structure s;
  for (const auto& f : header_.fields) s.push_back(f.def);
  return s;
}

std::uint64_t DbfTable::recordOffset(std::uint32_t recno) const {
  return header_.headerLength + static_cast<std::uint64_t>(recno - 1) * header_.recordLength;
}

std::uint32_t DbfTable::countFromFileSize() {
  std::int64_t size = file_.size();
  if (size < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  if (static_cast<std::uint64_t>(size) <= header_.headerLength) return 0;
  std::uint64_t n =
      (static_cast<std::uint64_t>(size) - header_.headerLength) / header_.recordLength;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(n, 0xFFFFFFFFu));
}

std::uint32_t DbfTable::countFromHeader() {
  std::array<char, 4> bytes{};
  const ssize_t got = file_.readAt(dbf::kOffRecordCount, bytes);
  if (got < 0) failIo(gen::kRead, sub::kRead, file_.lastError());
  if (got != static_cast<ssize_t>(bytes.size())) failIo(gen::kRead, sub::kRead);
  std::uint32_t count = 0;
  for (std::size_t i = bytes.size(); i-- > 0;)
    count = (count << 8) | static_cast<unsigned char>(bytes[i]);
  // Never a record the file does not hold whole.
  return std::min(count, countFromFileSize());
}

bool DbfTable::writeCount(std::uint32_t count) {
  std::array<char, 4> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  return file_.writeAt(dbf::kOffRecordCount, bytes);
}

void DbfTable::refreshCount() {
  if (shared_ && !batching()) count_ = std::max(count_, countFromHeader());
}

std::uint32_t DbfTable::recCount() {
  refreshCount();
  return count_;
}

void DbfTable::writeFixedHeader() {
  // The header never counts a record that is not yet in the file.
  flushPending();
  header_.version = memo_.isOpen() ? dbf::kVersionWithMemo : dbf::kVersionPlain;
  header_.recordCount = count_;
  const Date today = clock_.today();
  auto fixed = encodeFixedHeader(header_, today.year(), today.month(), today.day());
  if (!file_.writeAt(0, fixed)) failIo(gen::kWrite, sub::kWrite, file_.lastError());
}

void DbfTable::writeEndMarkAndCut() {
  flushPending();
  const std::uint64_t end =
      header_.headerLength + static_cast<std::uint64_t>(count_) * header_.recordLength;
  const char mark = dbf::kEndOfFile;
  if (!file_.writeAt(end, std::span<const char>(&mark, 1)) || !file_.truncate(end + 1))
    failIo(gen::kWrite, sub::kWrite, file_.lastError());
}

void DbfTable::syncFiles() {
  if (readOnly_) return;
  flushPending();
  if (file_.unflushed() && !file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  if (memo_.isOpen() && memo_.file().unflushed() && !memo_.file().sync())
    failIo(gen::kWrite, sub::kWrite, memo_.file().lastError());
}

void DbfTable::commit() {
  if (!file_.isOpen()) return;
  writeBack();
  if (fileChanged_ && !readOnly_) {
    if (shared_) {
      // Every shared append already counted its record in the header under the append lock.
      // The header is written again only under that lock: written without it, a count read
      // before another station's append could be written back after it, and the next
      // station would take that record's number again.
      if (LockSet::tryAppend(file_)) {
        count_ = std::max(count_, countFromHeader());
        writeFixedHeader();
        LockSet::releaseAppend(file_);
      }
    } else {
      writeEndMarkAndCut();
      writeFixedHeader();
    }
    fileChanged_ = false;
  }
  // The records reach the disk before the index entries that point at them.
  syncFiles();
  for (auto& order : orders_) order->commit();
  readAhead_.drop();
}

void DbfTable::close() {
  if (!file_.isOpen()) return;
  // A rewrite or a batch that was not published leaves the table as it was.
  abandonRewrite();
  abandonBatch();
  if (!file_.isOpen()) {  // a new table beside another that was never published
    for (auto& order : orders_) order->close();
    orders_.clear();
    memo_.close();
    return;
  }
  writeBack();
  if (shared_) {
    releaseRecordLocks();
    releaseFileLock();
  }
  if (fileChanged_ && !readOnly_) {
    if (shared_) {
      // As at a commit, the header only under the append lock; cutting the file is safe only
      // while no other station can be extending it: without the lock the file is left as it
      // is (every shared append ends it with 0x1A).
      if (LockSet::tryAppend(file_)) {
        count_ = std::max(count_, countFromHeader());
        writeFixedHeader();
        writeEndMarkAndCut();
        LockSet::releaseAppend(file_);
      }
    } else {
      writeEndMarkAndCut();
      writeFixedHeader();
    }
    fileChanged_ = false;
  }
  syncFiles();
  for (auto& order : orders_) order->close();
  orders_.clear();
  memo_.close();
  int err = file_.close();
  if (err != 0)
    errors::fail(
        driverError(gen::kClose, sub::kWrite, path_.string(), errors::osCodeFromErrno(err)));
}

void DbfTable::addOrder(std::unique_ptr<TableOrder> order) {
  orders_.push_back(std::move(order));
  orders_.back()->setSnapshot(readAhead_.snapshotScan());
  if (!cursor_.eof() && cursor_.recNo() > 0)
    orders_.back()->recordLoaded(cursor_.recNo(), recordBuffer());
}

void DbfTable::clearOrders() {
  writeBack();
  for (auto& order : orders_) order->close();
  orders_.clear();
}

}  // namespace kavrina::store
