// Rewriting a whole table beside the old file, and the two whole-table operations built on
// it or next to it: zap and pack.
#include <array>
#include <cerrno>

#include "common/aside_file.h"
#include "common/clock.h"
#include "common/file_ops.h"
#include "errors/error.h"
#include "errors/os_code.h"
#include "store/dbf/dbf_table.h"

namespace kavrina::store {

namespace gen = errors::gen;
namespace sub = errors::sub;
using errors::driverError;

namespace {

// The fixed header and descriptors of an empty table with this header's layout.
std::vector<char> emptyHeaderBytes(const DbfHeader& header, const Clock& clock) {
  DbfHeader empty = header;
  empty.recordCount = 0;
  const Date today = clock.today();
  std::vector<char> bytes = encodeHeader(empty, today.year(), today.month(), today.day());
  bytes.push_back(dbf::kEndOfFile);
  return bytes;
}

}  // namespace

void DbfTable::beginRewrite() {
  if (shared_) errors::fail(driverError(gen::kShared, sub::kShared, path_.string()));
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  if (rewriting()) return;
  writeBack();
  flushPending();  // they belong to the old file
  AsideFile aside;
  int err = aside.create(path_);
  if (err == 0 && !aside.file().writeAt(0, emptyHeaderBytes(header_, clock_)))
    err = aside.file().lastError();
  if (err != 0) {
    aside.discard();
    failIo(gen::kCreate, sub::kCreateData, err);
  }
  // From here on the table is the new file; the old one stays open (and held) until the
  // rename. The aside object gives up its name: this table removes the file if need be.
  rewrite_.begin(std::move(file_), aside.path(), header_, count_);
  file_ = aside.release();
  count_ = 0;
  header_.recordCount = 0;
  fileChanged_ = true;
  readAhead_.drop();
  positionAtEof();
  cursor_.setBof(true);
}

std::unique_ptr<DbfTable> DbfTable::createBeside(const std::filesystem::path& target,
                                                 const Structure& structure, const Clock& clock) {
  std::unique_ptr<DbfTable> table(new DbfTable());
  table->clock_ = clock;
  table->path_ = target;
  table->shared_ = false;
  std::string problem;
  table->header_ = headerForStructure(structure, problem);
  if (!problem.empty())
    errors::fail(driverError(gen::kCreate, sub::kCreateData, target.string(), 0, problem));
  AsideFile aside;
  int err = aside.create(target);
  if (err == 0 && !aside.file().writeAt(0, emptyHeaderBytes(table->header_, table->clock_)))
    err = aside.file().lastError();
  if (err != 0) table->failIo(gen::kCreate, sub::kCreateData, err);
  std::filesystem::path newMemoPath;
  if (table->header_.hasMemo()) {
    std::filesystem::path memoTarget = target;
    memoTarget.replace_extension(".dbt");
    AsideFile memo;
    int memoErr = memo.create(memoTarget);
    std::array<char, dbt::kBlockSize> zero{};
    zero[0] = 1;  // next free block
    if (memoErr == 0 && !memo.file().writeAt(0, zero)) memoErr = memo.file().lastError();
    if (memoErr != 0)
      errors::fail(driverError(gen::kCreate, sub::kCreateMemo, memoTarget.string(),
                               errors::osCodeFromErrno(memoErr)));
    newMemoPath = memo.path();
    table->memo_.adopt(memo.release(), memoTarget);
  }
  table->rewrite_.beginBeside(aside.path(), newMemoPath);
  table->file_ = aside.release();
  table->fileChanged_ = true;
  table->cursor_.reset(table->header_.recordLength);
  table->positionAtEof();
  return table;
}

void DbfTable::publishRewrite() {
  if (!rewriting()) return;
  writeBack();
  writeEndMarkAndCut();
  writeFixedHeader();
  if (!file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  if (rewrite_.hasNewMemo()) {
    // The new memo file goes first: the old table never refers into it, while the new table
    // must find its memo file in place the moment it has its name.
    if (!memo_.file().sync()) failIo(gen::kWrite, sub::kWrite, memo_.file().lastError());
    if (int err = rewrite_.publishMemo(path_); err != 0) failIo(gen::kWrite, sub::kWrite, err);
  }
  if (int err = rewrite_.publish(path_); err != 0) failIo(gen::kWrite, sub::kWrite, err);
  fileChanged_ = false;
  if (int err = fileops::syncFolder(fileops::folderOf(path_)); err != 0)
    failIo(gen::kWrite, sub::kWrite, err);
  for (auto& order : orders_) order->tableRewritten();
  goTop();
}

void DbfTable::abandonRewrite() noexcept {
  if (!rewriting()) return;
  pending_.clear();  // records of the dropped file
  rewrite_.abandon(file_, memo_, header_, count_);
  cursor_.settle();
  fileChanged_ = false;
  readAhead_.drop();
  positionAtEof();
}

void DbfTable::zap() {
  if (shared_) errors::fail(driverError(gen::kShared, sub::kShared, path_.string()));
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  cursor_.settle();
  pending_.clear();  // emptied before they were written
  count_ = 0;
  fileChanged_ = true;
  readAhead_.drop();
  if (memo_.isOpen()) memo_.reset();
  // The header says 0 records before the file is cut: stopped in between, the file is an
  // empty table with stray bytes after it, never a header promising records that are gone.
  writeFixedHeader();
  writeEndMarkAndCut();
  for (auto& order : orders_) order->tableRewritten();
  positionAtEof();
  cursor_.setBof(true);
}

void DbfTable::pack() {
  if (shared_) errors::fail(driverError(gen::kShared, sub::kShared, path_.string()));
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  writeBack();
  const std::uint32_t oldCount = count_;
  const std::uint64_t headerLength = header_.headerLength;
  const std::size_t length = header_.recordLength;
  beginRewrite();
  // The live records go over into the new file in record order, as whole records.
  std::vector<char> record(length);
  std::uint32_t kept = 0;
  for (std::uint32_t recno = 1; recno <= oldCount; ++recno) {
    const std::uint64_t offset = headerLength + static_cast<std::uint64_t>(recno - 1) * length;
    const ssize_t got = rewrite_.original().readAt(offset, record);
    if (got < 0) failIo(gen::kRead, sub::kRead, rewrite_.original().lastError());
    if (static_cast<std::size_t>(got) != length) failIo(gen::kRead, sub::kRead);
    if (record[0] == dbf::kDeletedFlag) continue;
    queueRecord(++kept, record);
  }
  count_ = kept;
  publishRewrite();
}

}  // namespace kavrina::store
