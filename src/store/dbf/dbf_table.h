// One open DBF table as a work area sees it: the file (and memo file) with its share mode,
// its header and record count, and the attached orders. Follows the header, commit, lock
// and append rules of FORMAT.md, so that several processes can share the file. The rest is
// kept by parts it is made of, each in its own file: the current record and its buffer
// (RecordCursor), the read-ahead of a scan (ReadAhead), appended records waiting to be
// written together (PendingAppends), a change of many appends published at once
// (AppendBatch), the locks this area holds (LockSet) and a rewrite beside the file
// (RewriteTransaction). This class is their one interface and decides when each acts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/date.h"
#include "common/os_file.h"
#include "store/dbf/append_batch.h"
#include "store/dbf/dbf_header.h"
#include "store/dbf/dbt_memo.h"
#include "store/dbf/lock_set.h"
#include "store/dbf/pending_appends.h"
#include "store/dbf/read_ahead.h"
#include "store/dbf/record_cursor.h"
#include "store/dbf/rewrite_transaction.h"
#include "store/dbf/table_order.h"

namespace kavrina::store {

namespace locks = ::kavrina::locks;

struct OpenOptions {
  bool shared = true;
  bool readOnly = false;
  // The clock whose date stamps the header's last update (the session's); none: the
  // system's. Must outlive the table.
  const Clock* clock = nullptr;
};

class DbfTable {
 public:
  // Creates an empty table with the structure (and its memo file when it has a memo
  // field), replacing an existing file once it holds that file exclusively. The new file is
  // written aside and renamed, so the name shows the old table or the whole new one, never
  // a part. Raises the create error (OS code 32 while another station has the file open);
  // returns false when the handler lets it fail. The header is stamped with `clock`'s date.
  static bool create(const std::filesystem::path& path, const Structure& structure,
                     const Clock& clock = Clock());
  // Creates the table only when no file has its name, safely while other stations may be
  // creating it at the same moment (the first complete file wins, the others are dropped).
  // A file under the name is never replaced, whatever it holds: it is checked as
  // checkExisting() does. Raises the create error; false when the handler lets it fail.
  static bool createIfMissing(const std::filesystem::path& path, const Structure& structure,
                              const Clock& clock = Clock());
  // Checks, without opening it as a table (no share mode: another station may hold it), that
  // the file under `path` is a table this driver can open: a whole header that fits the file,
  // and a record count the file's size holds. Raises the open error (21/1001) when it cannot
  // be read, the corruption error (32/1012) naming the file when it is damaged. A folder
  // under the name is left to the open, which refuses it.
  static void checkExisting(const std::filesystem::path& path);

  // Opens an existing table (the name is found in any case). Raises the open error
  // (21/1001, OS code 32 when another holder's share mode refuses it), the corruption
  // error (32/1012) for a header that is not a usable table, the read error (23/1010).
  // Returns nullptr when the handler lets the open fail softly.
  static std::unique_ptr<DbfTable> open(const std::filesystem::path& path, OpenOptions options);

  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // Writes back, releases every lock, brings header and end mark up to date, flushes and
  // closes. Safe to call twice.
  void close();

  const std::filesystem::path& path() const { return path_; }
  bool isShared() const { return shared_; }
  bool isReadOnly() const { return readOnly_; }
  bool hasMemo() const { return memo_.isOpen(); }

  // --- Structure
  const std::vector<FieldLayout>& fields() const { return header_.fields; }
  std::size_t fieldCount() const { return header_.fields.size(); }
  // Index of the field with this name in any case, or -1.
  int fieldIndex(std::string_view name) const;
  Structure structure() const;
  std::size_t recordLength() const { return header_.recordLength; }
  std::size_t headerLength() const { return header_.headerLength; }

  // --- Position
  std::uint32_t recNo() const { return cursor_.recNo(); }
  // The record count: the header's for an exclusive table; for a shared one recounted
  // from the file size.
  std::uint32_t recCount();
  bool eof() const { return cursor_.eof(); }
  bool bof() const { return cursor_.bof(); }
  bool found() const { return cursor_.found(); }
  bool deleted();

  void goTo(std::uint32_t recno);
  void goTop();
  void goBottom();
  void skip(std::int64_t count = 1);
  // Through the controlling order: positions on the first record whose key equals the
  // value; on failure the table is at end of file. Returns found().
  bool seek(const SeekValue& value);
  // A shared table read in one pass from top to bottom (a list, a report) may read its
  // records ahead in blocks: each record then shows the file as it was when its block was
  // read, a moment during the pass rather than the moment it is reached. Off by default: a
  // shared table reads each record when it moves to it.
  // Index moves then come from entries read ahead in the same way.
  void setSnapshotScan(bool on) {
    readAhead_.setSnapshotScan(on);
    readAhead_.drop();
    for (auto& order : orders_) order->setSnapshot(on);
  }
  bool snapshotScan() const { return readAhead_.snapshotScan(); }
  // A snapshot scan for the life of the object, the table's setting as it was afterwards.
  class SnapshotScan {
   public:
    explicit SnapshotScan(DbfTable& table) : table_(table), was_(table.snapshotScan()) {
      table_.setSnapshotScan(true);
    }
    ~SnapshotScan() { table_.setSnapshotScan(was_); }
    SnapshotScan(const SnapshotScan&) = delete;
    SnapshotScan& operator=(const SnapshotScan&) = delete;

   private:
    DbfTable& table_;
    bool was_;
  };
  // With `hide` set, moves pass over records marked deleted.
  void setHideDeleted(bool hide) { hideDeleted_ = hide; }
  bool hideDeleted() const { return hideDeleted_; }

  // --- Fields (index from fieldIndex, or the name). Reads of the phantom record at end of
  // file give empty values. rawField gives the stored bytes (text in Windows-1250);
  // getString, getText and getMemo give program text (UTF-8). getText is getString without
  // a copy: its view holds until the next call on the table, for a reader that trims,
  // compares or formats the text rather than keeping it.
  std::string_view rawField(int index) {
    // The hot path of every read: two tests, the record fetch and the error out of line.
    if (!cursor_.valid()) ensureBuffer();
    if (static_cast<std::size_t>(index) >= header_.fields.size()) fieldAt(index);
    const FieldLayout& f = header_.fields[static_cast<std::size_t>(index)];
    return std::string_view(cursor_.record().data() + f.offset,
                            static_cast<std::size_t>(f.def.width));
  }
  std::string getString(int index);
  std::string_view getText(int index);
  double getNumber(int index);
  Date getDate(int index);
  bool getLogical(int index);
  std::string getMemo(int index);

  std::string getString(std::string_view name) { return getString(requireField(name)); }
  double getNumber(std::string_view name) { return getNumber(requireField(name)); }
  Date getDate(std::string_view name) { return getDate(requireField(name)); }
  bool getLogical(std::string_view name) { return getLogical(requireField(name)); }
  std::string getMemo(std::string_view name) { return getMemo(requireField(name)); }

  // Character and memo texts are program text (UTF-8), stored as Windows-1250 and cut to
  // the field's width by letters. Writes raise the data type error (33) for a value of
  // another type than the field's or a text with a letter Windows-1250 cannot hold (the
  // field is left as it was), the data width error (34) for a number that does not fit, the
  // not-locked error (38) on an unlocked record of a shared table and the read-only error (39).
  void putString(int index, std::string_view text);
  void putNumber(int index, double value);
  void putDate(int index, Date date);
  void putLogical(int index, bool value);
  void putMemo(int index, std::string_view text);

  void putString(std::string_view name, std::string_view text) {
    putString(requireField(name), text);
  }
  void putNumber(std::string_view name, double value) { putNumber(requireField(name), value); }
  void putDate(std::string_view name, Date date) { putDate(requireField(name), date); }
  void putLogical(std::string_view name, bool value) { putLogical(requireField(name), value); }
  void putMemo(std::string_view name, std::string_view text) { putMemo(requireField(name), text); }

  void deleteRecord();
  void recall();

  // The current record's bytes (deletion flag first), as the orders evaluate keys on them.
  std::span<const char> recordBuffer();
  // Reads record `recno` into `out` straight from the file without moving (index builds).
  void readRecordAt(std::uint32_t recno, std::vector<char>& out);

  // --- Records and locks
  // Appends a blank record and makes it current (and, when shared, locked). Raises the
  // read-only error; on a shared table raises the append-lock error (40) when the append
  // lock or the new record's lock cannot be had, and returns false when the handler lets
  // it fail (it may answer retry).
  bool append(bool releaseOtherLocks = true);
  // Locks the given record (0: the current one), giving up this area's other locks.
  bool lockRecord(std::uint32_t recno = 0);
  bool lockFile();
  // Releases one record lock (when held) or, with 0, all of them (or else the file lock).
  void unlock(std::uint32_t recno = 0);
  bool holdsLock(std::uint32_t recno) const;
  bool holdsFileLock() const { return locks_.holdsFile(); }
  void commit();
  // Exclusive tables only: raise the shared error (37) otherwise. Zap empties the table in
  // place (its header says 0 records before the file is cut); pack is a rewrite (below).
  void zap();
  void pack();

  // --- Rewriting the whole table (exclusive tables only; the shared error otherwise).
  // beginRewrite() starts an empty table of the same structure in a file beside this one;
  // appends, writes and moves then act on it (in record order; the orders are brought up
  // to date once, at the end), while the old file stays whole under its name.
  // publishRewrite() commits and flushes the new file, renames it over the old one and
  // rebuilds the orders; a table closed or destroyed before that drops the new file and
  // is as it was. Raises the table's errors.
  void beginRewrite();
  void publishRewrite();
  bool rewriting() const { return rewrite_.active(); }
  // A rewrite with another structure (the structure upgrade): an empty table with
  // `structure` in a file beside `target` (and a memo file beside the target's when the
  // structure has a memo field), open exclusively as a rewrite of `target`, which the caller
  // holds meanwhile: publishRewrite() renames it over the target. Raises the create error.
  static std::unique_ptr<DbfTable> createBeside(const std::filesystem::path& target,
                                                const Structure& structure,
                                                const Clock& clock = Clock());

  // --- One change of many appended records (an import) that other stations see whole or
  // not at all. beginBatch() takes the append lock (waiting like an append; the append-lock
  // error 40 when another station keeps it, false when the handler lets it fail) and keeps
  // it; appends then need no record lock and are written past the header's count, where no
  // station reads them, and the orders do not learn them yet. publishBatch() puts the end
  // mark after them, flushes, advances the header's count once, flushes again, and only then
  // gives the orders their keys and commits them. A batch abandoned (an error, close(), the
  // destructor) before its count was written cuts the file back to the count: the table is
  // as it was. Raises the table's errors.
  bool beginBatch();
  void publishBatch();
  bool batching() const { return batch_.running(); }
  // Gives a batch up as above (nothing when none is running or it was published).
  void abandonBatch() noexcept;

  // --- Orders. The first one controls the moves.
  void addOrder(std::unique_ptr<TableOrder> order);
  void clearOrders();
  TableOrder* controllingOrder() {
    return orders_.empty() || rewriting() ? nullptr : orders_.front().get();
  }

 private:
  DbfTable() = default;

  int requireField(std::string_view name) const;
  const FieldLayout& fieldAt(int index) const;
  std::span<char> fieldBytes(int index);

  std::uint32_t countFromFileSize();
  // The record count in the file's header (never beyond the records the file holds whole).
  std::uint32_t countFromHeader();
  // Writes `count` into the header's count field alone; false on failure (lastError()).
  bool writeCount(std::uint32_t count);
  // The orders learn the keys of records first..last, already in the table.
  void addKeysOf(std::uint32_t first, std::uint32_t last);
  void refreshCount();
  std::uint64_t recordOffset(std::uint32_t recno) const;

  void writeBack();
  // Whether appended records wait in pending_ to be written together: only in an exclusive
  // table (no other station counts its records) whose orders are not kept record by record
  // (an index entry may point only at a record already in the file).
  // A batch (beginBatch) gathers its records the same way: no other station reads past the
  // header's count.
  bool batchesAppends() const {
    return batch_.running() || (!shared_ && (rewriting() || orders_.empty()));
  }
  // Writes the waiting appended records with one call. Raises the write error (the records
  // keep waiting).
  void flushPending();
  // Adds a whole record, number `recno`, to the waiting ones (written at once when it does
  // not follow them, or when a megabyte has gathered).
  void queueRecord(std::uint32_t recno, std::span<const char> record);
  void loadRecord(std::uint32_t recno, bool sequential);
  void readRecordInto(std::uint32_t recno, std::span<char> out, bool sequential);
  void positionAtEof();
  void ensureBuffer();
  // From the record just loaded, pass over deleted records in the direction given.
  void skipHidden(bool forward);
  std::uint32_t nextRecord(std::uint32_t from);
  std::uint32_t previousRecord(std::uint32_t from);

  // Checks a write of the field (its type, the lock, read-only) and loads the record;
  // returns the field's layout.
  const FieldLayout& prepareWrite(int index, char expectedType);
  [[noreturn]] void failUnstorable(int index);
  void checkWritable();

  void releaseRecordLocks() { locks_.releaseRecords(file_); }
  void releaseFileLock() { locks_.releaseFile(file_); }
  void writeFixedHeader();
  void writeEndMarkAndCut();
  // Flushes what was written to the table and its memo file since the last flush.
  void syncFiles();
  void abandonRewrite() noexcept;

  [[noreturn]] void failIo(int gencode, int subcode, int err = 0);

  std::filesystem::path path_;
  OsFile file_;
  DbtMemo memo_;
  bool shared_ = true;
  Clock clock_;  // stamps the header's last update
  bool readOnly_ = false;
  bool hideDeleted_ = false;
  DbfHeader header_;
  std::uint32_t count_ = 0;

  bool fileChanged_ = false;

  RecordCursor cursor_;
  LockSet locks_;
  // Used by an exclusive table, and by a shared one only in a snapshot scan.
  ReadAhead readAhead_;
  // Only an exclusive table's appends wait, or a batch's (see batchesAppends).
  PendingAppends pending_;
  AppendBatch batch_;
  RewriteTransaction rewrite_;

  std::vector<std::unique_ptr<TableOrder>> orders_;
};

}  // namespace kavrina::store
