// Record locking with REC_LOCK and the record-writing rule.
#include "store/rec_lock.h"

#include <gtest/gtest.h>

#include <thread>

#include "errors/error.h"
#include "errors/network_error.h"
#include "program_folder.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "support/process.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;

class RecordLocking : public ::testing::Test {
 protected:
  void SetUp() override {
    store::DBOPENALL(program_);
    ASSERT_TRUE(store::writeRecord(program_, "MDOS", true,
                                   [](store::DbfTable& t) { t.putString("InvBr", "1"); }));
  }
  ProgramFolder folder_;
  store::Program& program_ = folder_.program();
};

TEST_F(RecordLocking, WaitsUntilAnotherProcessUnlocksTheRecord) {
  const std::string ready = (folder_.path() / "ready").string(),
                    release = (folder_.path() / "release").string();
  pid_t other =
      startProcess(KAVRINA_DBF_WORKER,
                   {"lockhold", (folder_.path() / "DBF/MDOS.dbf").string(), "1", ready, release});
  for (int i = 0; i < 10000 && !fs::exists(ready); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(fs::exists(ready));

  // The other station lets go only after this station has tried for a while.
  constexpr int kPassesBeforeRelease = 50;
  folder_.ui().setOnProcessEvents([&](int pass) {
    if (pass == kPassesBeforeRelease) writeFileBytes(release, "");
  });
  store::DbfTable& mdos = program_.areas["MDOS"];
  mdos.goTop();
  EXPECT_TRUE(store::REC_LOCK(program_, 0, "MDOS"));
  EXPECT_GE(folder_.ui().processEventsCount(), kPassesBeforeRelease)
      << "window events ran while waiting";
  EXPECT_TRUE(mdos.holdsLock(1));
  EXPECT_EQ(waitProcess(other), 0);
}

TEST_F(RecordLocking, BoundedWaitGivesUpAfterItsAttempts) {
  store::DbfTable& mdos = program_.areas["MDOS"];
  mdos.goTop();
  auto other = store::DbfTable::open("DBF/MDOS.dbf", {.shared = true});
  ASSERT_TRUE(other->lockRecord(1));
  EXPECT_FALSE(store::REC_LOCK(program_, 2, "MDOS"));
  EXPECT_EQ(folder_.ui().processEventsCount(), 4) << "a wait of 2 allows four more attempts";
}

TEST_F(RecordLocking, WritingARecordStoresItForEveryStation) {
  ASSERT_TRUE(store::writeRecord(program_, "MDOS", true, [](store::DbfTable& t) {
    t.putString("InvBr", "2");
    t.putString("Naziv", "Sto");
  }));
  auto other = store::DbfTable::open("DBF/MDOS.dbf", {.shared = true, .readOnly = true});
  EXPECT_EQ(other->recCount(), 2u);
  other->goTo(2);
  EXPECT_EQ(other->getString("Naziv").substr(0, 3), "Sto");
  EXPECT_FALSE(program_.areas["MDOS"].holdsLock(2)) << "unlocked after writing";
}

TEST_F(RecordLocking, AFailedAppendWritesNothingIntoTheCurrentRecord) {
  store::DbfTable& mdos = program_.areas["MDOS"];
  mdos.goTop();
  const std::string before = readFileBytes("DBF/MDOS.dbf");
  // Another station keeps the append lock; the handler lets the append fail softly.
  OsFile other;
  ASSERT_EQ(other.open("DBF/MDOS.dbf", OsFile::Access::ReadWrite), 0);
  ASSERT_EQ(other.tryLock(store::locks::kAppend, 1, LockKind::Write), LockResult::Taken);
  auto previous =
      errors::setErrorHandler([](errors::Error&) { return errors::ErrorAnswer::Default; });
  bool written = store::writeRecord(program_, "MDOS", true,
                                    [](store::DbfTable& t) { t.putString("Naziv", "Greska"); });
  errors::setErrorHandler(previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(readFileBytes("DBF/MDOS.dbf"), before);
  mdos.goTo(1);
  EXPECT_EQ(mdos.getString("Naziv"), std::string(30, ' '));
}

}  // namespace
}  // namespace kavrina::test
