// Rewriting a whole table beside the old file, and the two whole-table operations built on
// it or next to it: zap and pack.
#include <array>
#include <cerrno>

#include "common/aside_file.h"
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
std::vector<char> emptyHeaderBytes(const DbfHeader& header) {
  DbfHeader empty = header;
  empty.recordCount = 0;
  const Date today = Date::today();
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
  if (err == 0 && !aside.file().writeAt(0, emptyHeaderBytes(header_)))
    err = aside.file().lastError();
  if (err != 0) {
    aside.discard();
    failIo(gen::kCreate, sub::kCreateData, err);
  }
  rewritePath_ = aside.path();
  rewriteSavedHeader_ = header_;
  rewriteSavedCount_ = count_;
  // From here on the table is the new file; the old one stays open (and held) until the
  // rename. The aside object gives up its name: this table removes the file if need be.
  rewriteOriginal_ = std::move(file_);
  file_ = aside.release();
  count_ = 0;
  header_.recordCount = 0;
  fileChanged_ = true;
  dropReadCache();
  positionAtEof();
  bof_ = true;
}

std::unique_ptr<DbfTable> DbfTable::createBeside(const std::filesystem::path& target,
                                                 const Structure& structure) {
  std::unique_ptr<DbfTable> table(new DbfTable());
  table->path_ = target;
  table->shared_ = false;
  std::string problem;
  table->header_ = headerForStructure(structure, problem);
  if (!problem.empty())
    errors::fail(driverError(gen::kCreate, sub::kCreateData, target.string(), 0, problem));
  AsideFile aside;
  int err = aside.create(target);
  if (err == 0 && !aside.file().writeAt(0, emptyHeaderBytes(table->header_)))
    err = aside.file().lastError();
  if (err != 0) table->failIo(gen::kCreate, sub::kCreateData, err);
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
    table->rewriteMemoPath_ = memo.path();
    table->memo_.adopt(memo.release(), memoTarget);
  }
  table->rewritePath_ = aside.path();
  table->file_ = aside.release();
  table->fileChanged_ = true;
  table->buffer_.assign(table->header_.recordLength, ' ');
  table->positionAtEof();
  return table;
}

void DbfTable::publishRewrite() {
  if (!rewriting()) return;
  writeBack();
  writeEndMarkAndCut();
  writeFixedHeader();
  if (!file_.sync()) failIo(gen::kWrite, sub::kWrite, file_.lastError());
  if (!rewriteMemoPath_.empty()) {
    // The new memo file goes first: the old table never refers into it, while the new table
    // must find its memo file in place the moment it has its name.
    if (!memo_.file().sync()) failIo(gen::kWrite, sub::kWrite, memo_.file().lastError());
    std::filesystem::path memoTarget = path_;
    memoTarget.replace_extension(".dbt");
    if (int err = fileops::renameReplacing(rewriteMemoPath_, memoTarget); err != 0)
      failIo(gen::kWrite, sub::kWrite, err);
    rewriteMemoPath_.clear();
  }
  if (int err = fileops::renameReplacing(rewritePath_, path_); err != 0)
    failIo(gen::kWrite, sub::kWrite, err);
  // Renamed: the new file is the table now, whatever happens next.
  rewritePath_.clear();
  rewriteOriginal_.close();
  fileChanged_ = false;
  if (int err = fileops::syncFolder(fileops::folderOf(path_)); err != 0)
    failIo(gen::kWrite, sub::kWrite, err);
  for (auto& order : orders_) order->tableRewritten();
  goTop();
}

void DbfTable::abandonRewrite() noexcept {
  if (!rewriting()) return;
  pending_.clear();  // records of the dropped file
  file_.close();
  fileops::removeFile(rewritePath_);
  rewritePath_.clear();
  if (!rewriteMemoPath_.empty()) {
    memo_.close();
    fileops::removeFile(rewriteMemoPath_);
    rewriteMemoPath_.clear();
  }
  file_ = std::move(rewriteOriginal_);
  header_ = rewriteSavedHeader_;
  count_ = rewriteSavedCount_;
  hot_ = false;
  newRecord_ = false;
  fileChanged_ = false;
  dropReadCache();
  positionAtEof();
}

void DbfTable::zap() {
  if (shared_) errors::fail(driverError(gen::kShared, sub::kShared, path_.string()));
  if (readOnly_) errors::fail(driverError(gen::kReadOnly, sub::kReadOnly, path_.string()));
  hot_ = false;
  newRecord_ = false;
  pending_.clear();  // emptied before they were written
  count_ = 0;
  fileChanged_ = true;
  dropReadCache();
  if (memo_.isOpen()) memo_.reset();
  // The header says 0 records before the file is cut: stopped in between, the file is an
  // empty table with stray bytes after it, never a header promising records that are gone.
  writeFixedHeader();
  writeEndMarkAndCut();
  for (auto& order : orders_) order->tableRewritten();
  positionAtEof();
  bof_ = true;
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
    const ssize_t got = rewriteOriginal_.readAt(offset, record);
    if (got < 0) failIo(gen::kRead, sub::kRead, rewriteOriginal_.lastError());
    if (static_cast<std::size_t>(got) != length) failIo(gen::kRead, sub::kRead);
    if (record[0] == dbf::kDeletedFlag) continue;
    queueRecord(++kept, record);
  }
  count_ = kept;
  publishRewrite();
}

}  // namespace kavrina::store
