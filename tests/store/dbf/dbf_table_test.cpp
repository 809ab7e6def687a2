// A table as a work area uses it: moves, fields, deletion, memo, locks, commit, zap, pack.
#include <gtest/gtest.h>

#include "dbf_test_util.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfTable;
namespace gen = errors::gen;
namespace sub = errors::sub;

class DbfTableTest : public ::testing::Test {
 protected:
  // A table of `n` records whose field Broj holds 1..n, deleted where `deleted(i)` says.
  std::unique_ptr<DbfTable> numbers(int n, const std::function<bool(int)>& deleted = {}) {
    auto t = makeTable(dir_ / "n.dbf", {{"Broj", 'N', 5, 0}, {"Ime", 'C', 10, 0}});
    for (int i = 1; i <= n; ++i) {
      t->append();
      t->putNumber("Broj", i);
      if (deleted && deleted(i)) t->deleteRecord();
    }
    t->commit();
    return t;
  }
  TempDir dir_;
};

TEST_F(DbfTableTest, MovesReachBothEndsWithTheirFlags) {
  auto t = numbers(3);
  t->goTop();
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_FALSE(t->bof());
  t->skip(-1);
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), 1u);
  t->goBottom();
  EXPECT_EQ(t->getNumber("Broj"), 3);
  t->skip();
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recNo(), 4u);
  EXPECT_EQ(t->getNumber("Broj"), 0) << "the phantom record reads empty";
  t->skip(-1);
  EXPECT_FALSE(t->eof());
  EXPECT_EQ(t->recNo(), 3u);
  t->goTo(2);
  EXPECT_EQ(t->getNumber("Broj"), 2);
  t->goTo(99);
  EXPECT_TRUE(t->eof());
}

TEST_F(DbfTableTest, EmptyTableIsAtBothEnds) {
  auto t = makeTable(dir_ / "e.dbf", {{"A", 'C', 1, 0}});
  t->goTop();
  EXPECT_TRUE(t->eof());
  EXPECT_TRUE(t->bof());
  t->goBottom();
  EXPECT_TRUE(t->eof());
}

TEST_F(DbfTableTest, HiddenDeletedRecordsArePassedByEveryMove) {
  auto t = numbers(6, [](int i) { return i == 1 || i == 3 || i == 6; });
  t->setHideDeleted(true);
  std::vector<int> seen;
  for (t->goTop(); !t->eof(); t->skip()) seen.push_back(static_cast<int>(t->getNumber("Broj")));
  EXPECT_EQ(seen, (std::vector<int>{2, 4, 5}));
  t->goBottom();
  EXPECT_EQ(t->getNumber("Broj"), 5);
  t->skip(-1);
  EXPECT_EQ(t->getNumber("Broj"), 4);
  t->skip(-1);
  EXPECT_EQ(t->getNumber("Broj"), 2);
  t->skip(-1);
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->getNumber("Broj"), 2);
  t->goTo(3);  // go to reaches a deleted record all the same
  EXPECT_TRUE(t->deleted());
  t->setHideDeleted(false);
  t->goTop();
  EXPECT_EQ(t->getNumber("Broj"), 1);
}

TEST_F(DbfTableTest, AllDeletedAndHiddenMeansEndOfFile) {
  auto t = numbers(3, [](int) { return true; });
  t->setHideDeleted(true);
  t->goTop();
  EXPECT_TRUE(t->eof());
  t->goBottom();
  EXPECT_TRUE(t->eof());
}

TEST_F(DbfTableTest, ScanSeesWritesMadeDuringTheScan) {
  auto t = numbers(2000);
  t->goTo(1500);
  t->putString("Ime", "promena");
  t->goTop();
  int count = 0;
  for (; !t->eof(); t->skip()) {
    ++count;
    if (t->recNo() == 1500) {
      EXPECT_EQ(t->getString("Ime"), "promena   ");
    }
    if (t->recNo() == 10) t->putString("Ime", "deset");  // inside the read-ahead block
  }
  EXPECT_EQ(count, 2000);
  t->goTo(10);
  EXPECT_EQ(t->getString("Ime"), "deset     ");
}

// getText is getString without the copy: the same text on every record, a letter outside
// ASCII converted, the phantom record's blanks, and a wrong field refused the same way.
TEST_F(DbfTableTest, TextViewsReadWhatGetStringReads) {
  auto t = numbers(4);
  const int ime = t->fieldIndex("Ime");
  const char* names[] = {"Ana", "Đorđe", "", "Žaklina Šo"};
  for (int i = 0; i < 4; ++i) {
    t->goTo(static_cast<std::uint32_t>(i + 1));
    t->putString(ime, names[i]);
  }
  t->commit();
  int seen = 0;
  for (t->goTop(); !t->eof(); t->skip(), ++seen) {
    const std::string copy = t->getString(ime);
    EXPECT_EQ(t->getText(ime), copy) << t->recNo();
    EXPECT_EQ(t->getText(ime).substr(0, std::string(names[seen]).size()), names[seen]);
  }
  EXPECT_EQ(seen, 4);
  EXPECT_EQ(t->getText(ime), std::string(10, ' ')) << "the phantom record";
  EXPECT_EQ(errorOf([&] { t->getText(7); }).GENCODE, errorOf([&] { t->getString(7); }).GENCODE);
}

TEST_F(DbfTableTest, FieldNamesAreFoundInAnyCase) {
  auto t = makeTable(dir_ / "m.dbf", store::schema::mdos());
  EXPECT_EQ(t->fieldIndex("invbr"), 0);
  EXPECT_EQ(t->fieldIndex("INVBR"), 0);
  EXPECT_EQ(t->fieldIndex("DuzKonta"), 17);
  EXPECT_EQ(t->fieldIndex("nema"), -1);
  EXPECT_EQ(errorOf([&] { t->getString("nema"); }).GENCODE, 14);
}

TEST_F(DbfTableTest, WrongTypeAndTooWideNumberAreRefused) {
  auto t = makeTable(dir_ / "m.dbf", store::schema::mdos());
  t->append();
  t->putNumber("RAOsn", 10.5);
  EXPECT_DRIVER_ERROR(t->putNumber("InvBr", 1), gen::kDataType, sub::kDataType);
  EXPECT_DRIVER_ERROR(t->putString("RAOsn", "1"), gen::kDataType, sub::kDataType);
  EXPECT_DRIVER_ERROR(t->putDate("Naziv", Date::fromYmd(2024, 1, 1)), gen::kDataType,
                      sub::kDataType);
  EXPECT_DRIVER_ERROR(t->putNumber("RAOsn", 1e12), gen::kDataWidth, sub::kDataWidth);
  EXPECT_EQ(t->getNumber("RAOsn"), 10.5) << "a refused value leaves the field as it was";
  EXPECT_EQ(errorOf([&] { t->putNumber("RAOsn", 1e12); }).OPERATION, "RAOSN");
}

TEST_F(DbfTableTest, MemoTextsAreWrittenAtTheNextFreeBlock) {
  auto t = makeTable(dir_ / "memo.dbf", {{"Id", 'N', 3, 0}, {"Tekst", 'M', 10, 0}});
  ASSERT_TRUE(t->hasMemo());
  t->append();
  t->putMemo("Tekst", std::string(600, 'a'));  // two blocks
  t->append();
  t->putMemo("Tekst", "kratko");
  t->append();  // no text: blanks
  t->close();
  std::string dbt = readFileBytes(dir_ / "memo.dbt");
  EXPECT_EQ(static_cast<unsigned char>(dbt[0]), 4u) << "next free block after blocks 1-2 and 3";
  EXPECT_EQ(dbt.size(), 4u * 512);
  EXPECT_EQ(dbt[512 + 600], 0x1A);
  auto again = openExclusive(dir_ / "memo.dbf");
  again->goTo(1);
  EXPECT_EQ(again->getMemo("Tekst"), std::string(600, 'a'));
  EXPECT_EQ(again->rawField(1), "         1");
  again->goTo(2);
  EXPECT_EQ(again->getMemo("Tekst"), "kratko");
  EXPECT_EQ(again->rawField(1), "         3");
  again->goTo(3);
  EXPECT_EQ(again->getMemo("Tekst"), "");
}

TEST_F(DbfTableTest, ExclusiveCommitCutsAfterTheLastRecordAndKeepsTheHeaderCount) {
  auto t = numbers(3);
  t->close();
  const std::size_t header = 32 + 2 * 32 + 2, record = 16;
  EXPECT_EQ(readFileBytes(dir_ / "n.dbf").size(), header + 3 * record + 1);
  // Junk after the records (an interrupted write) goes at the next exclusive commit.
  std::string bytes = readFileBytes(dir_ / "n.dbf");
  writeFileBytes(dir_ / "n.dbf", bytes + "garbage-garbage-garbage");
  auto again = openExclusive(dir_ / "n.dbf");
  EXPECT_EQ(again->recCount(), 3u) << "the header's count is the authority";
  again->goTo(2);
  again->putString("Ime", "x");
  again->commit();
  std::string after = readFileBytes(dir_ / "n.dbf");
  EXPECT_EQ(after.size(), header + 3 * record + 1);
  EXPECT_EQ(after.back(), 0x1A);
}

TEST_F(DbfTableTest, ZapAndPackNeedExclusiveUse) {
  numbers(5, [](int i) { return i % 2 == 0; })->close();
  auto shared = openShared(dir_ / "n.dbf");
  std::string before = readFileBytes(dir_ / "n.dbf");
  EXPECT_DRIVER_ERROR(shared->zap(), gen::kShared, sub::kShared);
  EXPECT_DRIVER_ERROR(shared->pack(), gen::kShared, sub::kShared);
  shared->close();
  EXPECT_EQ(readFileBytes(dir_ / "n.dbf"), before) << "a refused zap leaves the table unchanged";

  auto t = openExclusive(dir_ / "n.dbf");
  t->pack();
  EXPECT_EQ(t->recCount(), 3u);
  std::vector<int> kept;
  for (t->goTop(); !t->eof(); t->skip()) kept.push_back(static_cast<int>(t->getNumber("Broj")));
  EXPECT_EQ(kept, (std::vector<int>{1, 3, 5}));
  t->zap();
  EXPECT_EQ(t->recCount(), 0u);
  t->close();
  EXPECT_EQ(readFileBytes(dir_ / "n.dbf").size(), 32u + 2 * 32 + 2 + 1);
}

TEST_F(DbfTableTest, ReadOnlyTableRefusesWritesAndAppends) {
  numbers(1)->close();
  auto t = DbfTable::open(dir_ / "n.dbf", {.shared = true, .readOnly = true});
  ASSERT_TRUE(t);
  EXPECT_DRIVER_ERROR(t->putNumber("Broj", 2), gen::kReadOnly, sub::kReadOnly);
  EXPECT_DRIVER_ERROR(t->append(), gen::kReadOnly, sub::kReadOnly);
  EXPECT_DRIVER_ERROR(t->deleteRecord(), gen::kReadOnly, sub::kReadOnly);
}

TEST_F(DbfTableTest, SharedTableRefusesWritesToUnlockedRecords) {
  numbers(2)->close();
  auto t = openShared(dir_ / "n.dbf");
  t->goTo(1);
  EXPECT_DRIVER_ERROR(t->putNumber("Broj", 9), gen::kUnlocked, sub::kUnlocked);
  EXPECT_DRIVER_ERROR(t->deleteRecord(), gen::kUnlocked, sub::kUnlocked);
  ASSERT_TRUE(t->lockRecord());
  t->putNumber("Broj", 9);
  t->goTo(2);
  EXPECT_DRIVER_ERROR(t->putNumber("Broj", 9), gen::kUnlocked, sub::kUnlocked);
  ASSERT_TRUE(t->lockFile());
  t->putNumber("Broj", 8);  // the file lock covers every record
  t->unlock();
  t->commit();
  t->goTo(1);
  EXPECT_EQ(t->getNumber("Broj"), 9);
  t->goTo(2);
  EXPECT_EQ(t->getNumber("Broj"), 8);
}

TEST_F(DbfTableTest, RecordLockOfRecordFiveIsTheByteAfterOneBillionAndFive) {
  numbers(7)->close();
  auto t = openShared(dir_ / "n.dbf");
  OsFile probe;  // another descriptor, as another station sees the file
  ASSERT_EQ(probe.open(dir_ / "n.dbf", OsFile::Access::ReadWrite), 0);

  ASSERT_TRUE(t->lockRecord(5));
  EXPECT_TRUE(probe.lockedElsewhere(1'000'000'005, 1));
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'004, 1));
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'006, 1));
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'000, 1)) << "the append lock is separate";

  ASSERT_TRUE(t->lockRecord(6));  // the default lock gives up the others
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'005, 1));
  EXPECT_TRUE(probe.lockedElsewhere(1'000'000'006, 1));

  ASSERT_TRUE(t->lockFile());
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'000, 1));
  EXPECT_TRUE(probe.lockedElsewhere(1'000'000'001, 1));
  EXPECT_TRUE(probe.lockedElsewhere(1'999'999'999, 1)) << "record lock region up to 1,999,999,999";
  EXPECT_TRUE(probe.lockedElsewhere(2'000'000'001, 1)) << "the shared open's share-mode lock";
  t->unlock();
  EXPECT_FALSE(probe.lockedElsewhere(1'000'000'001, 1'000'000'000));
}

TEST_F(DbfTableTest, TwoAreasOnOneFileExcludeEachOther) {
  numbers(3)->close();
  auto a = openShared(dir_ / "n.dbf");
  auto b = openShared(dir_ / "n.dbf");
  ASSERT_TRUE(a->lockRecord(2));
  EXPECT_FALSE(b->lockRecord(2));
  EXPECT_FALSE(b->lockFile()) << "the file lock covers the locked record";
  EXPECT_TRUE(b->lockRecord(3));
  EXPECT_FALSE(b->lockRecord(0 + 4)) << "beyond the record count";
  a->unlock(2);
  EXPECT_TRUE(b->lockRecord(2));
}

TEST_F(DbfTableTest, SharedAppendsGetConsecutiveNumbersEachLocked) {
  numbers(2)->close();
  auto a = openShared(dir_ / "n.dbf");
  auto b = openShared(dir_ / "n.dbf");
  ASSERT_TRUE(a->append());
  ASSERT_TRUE(b->append());
  EXPECT_EQ(a->recNo(), 3u);
  EXPECT_EQ(b->recNo(), 4u);
  EXPECT_TRUE(a->holdsLock(3));
  EXPECT_TRUE(b->holdsLock(4));
  EXPECT_FALSE(a->lockRecord(4));
  a->putNumber("Broj", 30);
  b->putNumber("Broj", 40);
  a->unlock();
  a->commit();
  b->unlock();
  b->commit();
  EXPECT_EQ(a->recCount(), 4u) << "recounted from the file size";
  a->goTo(4);
  EXPECT_EQ(a->getNumber("Broj"), 40);
  a->close();
  b->close();
  auto c = openExclusive(dir_ / "n.dbf");
  EXPECT_EQ(c->recCount(), 4u);
}

TEST_F(DbfTableTest, LockTakenAfterAnotherAreaCommittedReadsTheRecordAfresh) {
  numbers(2)->close();
  auto reader = openShared(dir_ / "n.dbf");
  auto writer = openShared(dir_ / "n.dbf");
  reader->goTo(2);
  EXPECT_EQ(reader->getNumber("Broj"), 2);
  writer->goTo(2);
  ASSERT_TRUE(writer->lockRecord());
  writer->putNumber("Broj", 77);
  writer->unlock();
  writer->commit();
  ASSERT_TRUE(reader->lockRecord());
  EXPECT_EQ(reader->getNumber("Broj"), 77);
}

TEST_F(DbfTableTest, ASharedScanShowsEveryCommitMadeBeforeItReachesARecord) {
  numbers(600)->close();
  auto reader = openShared(dir_ / "n.dbf");
  auto writer = openShared(dir_ / "n.dbf");
  reader->goTop();
  while (reader->recNo() < 299) reader->skip();  // record 300 lies in the block read so far
  writer->goTo(300);
  ASSERT_TRUE(writer->lockRecord());
  writer->putNumber("Broj", 7777);
  writer->unlock();
  writer->commit();
  reader->skip();
  EXPECT_EQ(reader->getNumber("Broj"), 7777) << "no record is shown older than a commit";
}

TEST_F(DbfTableTest, ARewriteReplacesTheTableOnlyWhenPublished) {
  numbers(5)->close();
  const std::string before = readFileBytes(dir_ / "n.dbf");
  {
    auto t = openExclusive(dir_ / "n.dbf");
    t->beginRewrite();
    EXPECT_EQ(t->recCount(), 0u);
    t->append();
    t->putNumber("Broj", 42);
    t->commit();
    EXPECT_EQ(readFileBytes(dir_ / "n.dbf"), before) << "the old file stays whole meanwhile";
    EXPECT_DRIVER_ERROR(DbfTable::open(dir_ / "n.dbf", {.shared = true}), gen::kOpen,
                        sub::kOpenData);  // and out of every other station's reach
    t->close();                           // never published
  }
  EXPECT_EQ(readFileBytes(dir_ / "n.dbf"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            1)
      << "the new file is gone";
  auto t = openExclusive(dir_ / "n.dbf");
  t->beginRewrite();
  t->append();
  t->putNumber("Broj", 42);
  t->publishRewrite();
  EXPECT_EQ(t->recCount(), 1u);
  t->close();
  auto again = openExclusive(dir_ / "n.dbf");
  EXPECT_EQ(again->recCount(), 1u);
  again->goTop();
  EXPECT_EQ(again->getNumber("Broj"), 42);
}

TEST_F(DbfTableTest, OpenOfAMissingFileIsOpenErrorWithFileNotFound) {
  errors::Error e = errorOf([&] { DbfTable::open(dir_ / "nema.dbf", {}); });
  EXPECT_EQ(e.GENCODE, gen::kOpen);
  EXPECT_EQ(e.SUBCODE.value_or(0), sub::kOpenData);
  EXPECT_EQ(e.OSCODE, 2);
  EXPECT_TRUE(e.CANDEFAULT);
  EXPECT_EQ(errorOf([&] { DbfTable::open(dir_ / "nema" / "x.dbf", {}); }).OSCODE, 3);
}

TEST_F(DbfTableTest, ExistingFilesAreFoundInAnyCase) {
  numbers(1)->close();
  std::filesystem::rename(dir_ / "n.dbf", dir_ / "N.DBF");
  auto t = openShared(dir_ / "n.dbf");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->recCount(), 1u);
}

TEST_F(DbfTableTest, SoftFailureWhenTheHandlerAnswersDefault) {
  numbers(1)->close();
  auto holder = openExclusive(dir_ / "n.dbf");
  int seen = 0;
  auto previous = errors::setErrorHandler([&](errors::Error& e) {
    seen = e.GENCODE * 100 + e.OSCODE;
    return errors::ErrorAnswer::Default;
  });
  auto t = openShared(dir_ / "n.dbf");
  errors::setErrorHandler(previous);
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(seen, 21 * 100 + 32);
}

TEST_F(DbfTableTest, RetryAnswerTriesTheOpenAgain) {
  numbers(1)->close();
  auto holder = openExclusive(dir_ / "n.dbf");
  int attempts = 0;
  auto previous = errors::setErrorHandler([&](errors::Error&) {
    if (++attempts == 3) holder->close();
    return errors::ErrorAnswer::Retry;
  });
  auto t = openShared(dir_ / "n.dbf");
  errors::setErrorHandler(previous);
  EXPECT_NE(t, nullptr);
  EXPECT_EQ(attempts, 3);
}

}  // namespace
}  // namespace kavrina::test
