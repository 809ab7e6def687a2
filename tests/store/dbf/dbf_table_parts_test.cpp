// The parts a table is made of, each on a plain file: appended records gathered into one
// write land where record-by-record writes would; the read-ahead block gives the file's
// records and stays equal to it after a write; the lock set takes and gives the locks
// another handle of the file sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/lock_offsets.h"
#include "common/os_file.h"
#include "store/dbf/lock_set.h"
#include "store/dbf/pending_appends.h"
#include "store/dbf/read_ahead.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfHeader;

DbfHeader layout(std::uint16_t headerLength, std::uint16_t recordLength) {
  DbfHeader header;
  header.headerLength = headerLength;
  header.recordLength = recordLength;
  return header;
}

std::vector<char> recordOf(std::uint32_t recno, std::size_t length) {
  std::vector<char> record(length, static_cast<char>('a' + recno % 26));
  record[0] = ' ';
  return record;
}

std::string fileBytes(OsFile& file) {
  std::string bytes(static_cast<std::size_t>(file.size()), '\0');
  file.readAt(0, std::span<char>(bytes.data(), bytes.size()));
  return bytes;
}

OsFile openNew(const std::filesystem::path& path) {
  OsFile file;
  EXPECT_EQ(file.createNew(path), 0);
  return file;
}

TEST(DbfTableParts, GatheredAppendsLandWhereSingleWritesWould) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> recnos;
    std::uint16_t recordLength;
  };
  const std::vector<Case> cases = {
      {"one after another", {1, 2, 3, 4}, 10},
      {"a gap flushes the earlier ones", {1, 2, 5, 6, 3}, 10},
      {"a record written again", {1, 2, 2, 3}, 10},
      {"past a megabyte", std::vector<std::uint32_t>(), 4000},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.name);
    if (c.recnos.empty())
      for (std::uint32_t r = 1; r <= 600; ++r) c.recnos.push_back(r);
    TempDir dir;
    OsFile gathered = openNew(dir / "gathered");
    OsFile single = openNew(dir / "single");
    const DbfHeader header = layout(40, c.recordLength);
    store::PendingAppends pending;
    for (std::uint32_t recno : c.recnos) {
      const std::vector<char> record = recordOf(recno, c.recordLength);
      ASSERT_TRUE(pending.queue(gathered, header, recno, record));
      ASSERT_TRUE(single.writeAt(40 + std::uint64_t{recno - 1} * c.recordLength, record));
    }
    ASSERT_TRUE(pending.flush(gathered, header));
    EXPECT_TRUE(pending.empty());
    EXPECT_EQ(fileBytes(gathered), fileBytes(single));
  }
}

TEST(DbfTableParts, ReadAheadGivesTheFileAndFollowsItsWrites) {
  TempDir dir;
  OsFile file = openNew(dir / "t");
  const DbfHeader header = layout(33, 100);
  constexpr std::uint32_t kCount = 1000;  // more than one 64 KB block
  for (std::uint32_t r = 1; r <= kCount; ++r)
    ASSERT_TRUE(file.writeAt(33 + std::uint64_t{r - 1} * 100, recordOf(r, 100)));

  store::ReadAhead ahead;
  std::vector<char> out(100);
  EXPECT_FALSE(ahead.copyOut(1, out, 100)) << "nothing is read ahead before a fill";
  const std::int64_t read = ahead.fill(file, header, 1, kCount, out);
  ASSERT_GT(read, 1);
  ASSERT_LT(read, std::int64_t{kCount});
  EXPECT_EQ(out, recordOf(1, 100));
  // Inside the block every record is the file's; past it nothing is given.
  for (std::uint32_t r : {2u, static_cast<std::uint32_t>(read)}) {
    ASSERT_TRUE(ahead.copyOut(r, out, 100));
    EXPECT_EQ(out, recordOf(r, 100));
  }
  EXPECT_FALSE(ahead.copyOut(static_cast<std::uint32_t>(read) + 1, out, 100));
  // A fill stops at the last record given.
  EXPECT_EQ(ahead.fill(file, header, 10, 12, out), 3);
  EXPECT_FALSE(ahead.copyOut(13, out, 100));
  // A record written through the table is seen in the block.
  const std::vector<char> changed(100, 'z');
  ahead.update(11, changed);
  ASSERT_TRUE(ahead.copyOut(11, out, 100));
  EXPECT_EQ(out, changed);
  ahead.drop();
  EXPECT_FALSE(ahead.copyOut(11, out, 100));
  // Nothing whole past the end of the file.
  EXPECT_EQ(ahead.fill(file, header, kCount + 1, kCount + 5, out), 0);
}

TEST(DbfTableParts, LockSetHoldsWhatAnotherHandleIsRefused) {
  TempDir dir;
  OsFile mine = openNew(dir / "t");
  OsFile other;
  ASSERT_EQ(other.open(dir / "t", OsFile::Access::ReadWrite), 0);
  const auto recordBusy = [&](std::uint32_t recno) {
    return other.lockedElsewhere(locks::kRecordBase + recno, 1);
  };

  store::LockSet set;
  for (std::uint32_t recno : {3u, 5u, 8u}) {
    ASSERT_TRUE(store::LockSet::tryRecord(mine, recno));
    set.addRecord(recno);
  }
  EXPECT_TRUE(set.holdsRecord(5));
  EXPECT_FALSE(store::LockSet::tryRecord(other, 5)) << "a record held here is refused elsewhere";

  set.releaseRecord(mine, 5);
  set.releaseRecord(mine, 9);  // not held: nothing happens
  EXPECT_FALSE(set.holdsRecord(5));
  EXPECT_FALSE(recordBusy(5));
  EXPECT_TRUE(recordBusy(3));

  ASSERT_TRUE(store::LockSet::tryRecord(mine, 4));
  set.keepOnlyRecord(mine, 4);
  EXPECT_TRUE(recordBusy(4));
  EXPECT_FALSE(recordBusy(3));
  EXPECT_FALSE(recordBusy(8));
  EXPECT_FALSE(set.holdsRecord(8));

  set.releaseRecords(mine);
  EXPECT_FALSE(set.anyRecord());
  EXPECT_FALSE(recordBusy(4));

  ASSERT_TRUE(set.tryFile(mine));
  EXPECT_TRUE(set.holdsFile());
  EXPECT_TRUE(recordBusy(7)) << "the file lock covers every record";
  set.releaseFile(mine);
  EXPECT_FALSE(set.holdsFile());
  EXPECT_FALSE(recordBusy(7));

  ASSERT_TRUE(store::LockSet::takeAppend(mine));
  EXPECT_FALSE(store::LockSet::tryAppend(other));
  store::LockSet::releaseAppend(mine);
  EXPECT_TRUE(store::LockSet::tryAppend(other));
}

}  // namespace
}  // namespace kavrina::test
