// Publishing or dropping a table rewritten beside its file.
#include "store/dbf/rewrite_transaction.h"

#include "common/file_ops.h"

namespace kavrina::store {

void RewriteTransaction::begin(OsFile original, const std::filesystem::path& newPath,
                               const DbfHeader& header, std::uint32_t count) {
  original_ = std::move(original);
  newPath_ = newPath;
  savedHeader_ = header;
  savedCount_ = count;
}

void RewriteTransaction::beginBeside(const std::filesystem::path& newPath,
                                     const std::filesystem::path& newMemoPath) {
  newPath_ = newPath;
  newMemoPath_ = newMemoPath;
}

int RewriteTransaction::publishMemo(const std::filesystem::path& tablePath) {
  if (newMemoPath_.empty()) return 0;
  std::filesystem::path memoTarget = tablePath;
  memoTarget.replace_extension(".dbt");
  if (int err = fileops::renameReplacing(newMemoPath_, memoTarget); err != 0) return err;
  newMemoPath_.clear();
  return 0;
}

int RewriteTransaction::publish(const std::filesystem::path& tablePath) {
  if (int err = fileops::renameReplacing(newPath_, tablePath); err != 0) return err;
  // Renamed: the new file is the table now, whatever happens next.
  newPath_.clear();
  original_.close();
  return 0;
}

void RewriteTransaction::abandon(OsFile& file, DbtMemo& memo, DbfHeader& header,
                                 std::uint32_t& count) noexcept {
  file.close();
  fileops::removeFile(newPath_);
  newPath_.clear();
  if (!newMemoPath_.empty()) {
    memo.close();
    fileops::removeFile(newMemoPath_);
    newMemoPath_.clear();
  }
  file = std::move(original_);
  header = savedHeader_;
  count = savedCount_;
}

}  // namespace kavrina::store
