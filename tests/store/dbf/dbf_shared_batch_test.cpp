// A batch of appends on a shared table: other handles see the table without any of its
// records until it is published, with all of them after; a batch given up, and the bytes a
// killed batch left past the header's count, are no part of the table.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "common/fault_injection.h"
#include "dbf_test_util.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfTable;

const store::Structure kStructure{{"Broj", 'N', 5, 0}, {"Ime", 'C', 10, 0}};

class SharedBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    auto t = makeTable(path_, kStructure);
    for (int i = 1; i <= 3; ++i) {
      t->append();
      t->putNumber("Broj", i);
    }
    t->close();
  }

  // Appends records numbered from..to in a batch of `t`, unpublished.
  static void batchOf(DbfTable& t, int from, int to) {
    ASSERT_TRUE(t.beginBatch());
    for (int i = from; i <= to; ++i) {
      ASSERT_TRUE(t.append());
      t.putNumber("Broj", i);
    }
  }

  static std::vector<int> numbersOf(DbfTable& t) {
    std::vector<int> seen;
    for (t.goTop(); !t.eof(); t.skip()) seen.push_back(static_cast<int>(t.getNumber("Broj")));
    return seen;
  }

  TempDir dir_;
  std::filesystem::path path_ = dir_ / "n.dbf";
};

TEST_F(SharedBatch, OtherHandlesSeeNoneOfItsRecordsUntilItIsPublishedThenAll) {
  auto writer = openShared(path_);
  auto reader = openShared(path_);
  batchOf(*writer, 4, 300);
  EXPECT_EQ(reader->recCount(), 3u);
  EXPECT_EQ(numbersOf(*reader), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(reader->lockRecord(4)) << "past the count there is no record to lock";
  writer->publishBatch();
  EXPECT_EQ(reader->recCount(), 300u);
  EXPECT_EQ(numbersOf(*reader).back(), 300);
  writer->close();
  reader->close();
  EXPECT_EQ(openExclusive(path_)->recCount(), 300u);
}

TEST_F(SharedBatch, AnotherStationsAppendWaitsForTheBatchAndFollowsIt) {
  auto importer = openShared(path_);
  auto form = openShared(path_);
  batchOf(*importer, 4, 10);
  errors::HandlerSuspended thrown;
  EXPECT_THROW(form->append(), errors::Error) << "the append lock is the batch's";
  importer->publishBatch();
  ASSERT_TRUE(form->append());
  EXPECT_EQ(form->recNo(), 11u);
}

// A failed write at any point of the publication, and a batch given up before it: the
// table as it was, and a new batch after it ends as one that never failed.
TEST_F(SharedBatch, AFailedPublicationLeavesTheTableAsItWas) {
  // The publication writes the records, the end mark and the header, flushing twice.
  for (const auto& [op, count] :
       {std::pair{faults::Op::Write, 3}, std::pair{faults::Op::Flush, 2}}) {
    for (std::uint64_t nth = 1; nth <= static_cast<std::uint64_t>(count); ++nth) {
      SCOPED_TRACE(std::to_string(static_cast<int>(op)) + " " + std::to_string(nth));
      SetUp();
      {
        auto t = openShared(path_);
        batchOf(*t, 4, 50);
        faults::arm({.op = op, .nth = nth, .effect = faults::Effect::Fail, .error = EIO});
        EXPECT_THROW(t->publishBatch(), errors::Error);
        faults::disarm();
        t->abandonBatch();
        EXPECT_EQ(numbersOf(*openShared(path_)), (std::vector<int>{1, 2, 3}));
        batchOf(*t, 4, 6);
        t->publishBatch();
        t->close();
      }
      auto check = openExclusive(path_);
      EXPECT_EQ(numbersOf(*check), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    }
  }
}

TEST_F(SharedBatch, BytesPastTheCountAreNoRecordAndTheNextAppendTakesTheirPlace) {
  // What a station killed in the middle of a batch leaves: records past the count.
  constexpr std::size_t kFirstRecord = 32 + 2 * 32 + 2;
  constexpr std::size_t kRecordLength = 16;
  std::string leftOver;
  for (int i = 4; i <= 40; ++i) {
    const std::string number = std::to_string(i);
    leftOver += " " + std::string(5 - number.size(), ' ') + number + std::string(10, ' ');
  }
  {
    std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(kFirstRecord + 3 * kRecordLength));
    file.write(leftOver.data(), static_cast<std::streamsize>(leftOver.size()));
  }
  auto t = openShared(path_);
  EXPECT_EQ(numbersOf(*t), (std::vector<int>{1, 2, 3}));
  ASSERT_TRUE(t->append());
  t->putNumber("Broj", 99);
  t->unlock();
  t->close();
  auto check = openExclusive(path_);
  EXPECT_EQ(numbersOf(*check), (std::vector<int>{1, 2, 3, 99}));
  EXPECT_EQ(std::filesystem::file_size(path_), kFirstRecord + 4 * kRecordLength + 1)
      << "the last close cut what lay past the count";
}

}  // namespace
}  // namespace kavrina::test
