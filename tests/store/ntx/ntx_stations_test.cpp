// Several real processes on one shared index: appends from four stations all land in the
// tree, a station that only reads notices the changed counter, and a station that cannot
// get the index lock raises the lock error instead of waiting forever.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <set>

#include "ntx_test_util.h"
#include "support/process.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
namespace ntx = store::ntx;

class NtxStations : public ::testing::Test {
 protected:
  void SetUp() override {
    auto t = mdosWithIndex(dbf(), index(), true);
    t->close();
  }
  std::string dbf() const { return (dir_ / "MDOS.dbf").string(); }
  std::string index() const { return (dir_ / "MDOS.ntx").string(); }
  std::string flag(const std::string& name) const { return (dir_ / name).string(); }

  static bool waitFor(const std::string& path) {
    for (int i = 0; i < 20000 && !fs::exists(path); ++i) ::usleep(1000);
    return fs::exists(path);
  }

  TempDir dir_;
};

TEST_F(NtxStations, FourAppendingStationsAndAReaderThatWroteNothing) {
  constexpr int kWriters = 4, kEach = 500;
  pid_t reader =
      startProcess(KAVRINA_NTX_WORKER, {"reader", dbf(), index(), flag("ready"), flag("go"),
                                        std::to_string(kWriters), std::to_string(kEach)});
  ASSERT_TRUE(waitFor(flag("ready"))) << "the reader never looked at the index";
  std::vector<pid_t> writers;
  for (int w = 1; w <= kWriters; ++w)
    writers.push_back(startProcess(
        KAVRINA_NTX_WORKER, {"append", dbf(), index(), std::to_string(w), std::to_string(kEach)}));
  for (pid_t pid : writers) EXPECT_EQ(waitProcess(pid), 0);
  writeFileBytes(flag("go"), "");
  EXPECT_EQ(waitProcess(reader), 0) << "the reader missed keys written by the others";

  // Every record exactly once, in order, each under its own key.
  auto t = openTable(dbf(), false);
  ASSERT_TRUE(ntx::attachIndex(*t, index()));
  ntx::TreeCheck check = ntx::checkTree(orderOf(*t).file());
  ASSERT_TRUE(check.ok()) << check.problem;
  ASSERT_EQ(check.entries.size(), static_cast<std::size_t>(kWriters * kEach));
  std::set<std::uint32_t> records;
  for (const auto& [key, recno] : check.entries) {
    EXPECT_TRUE(records.insert(recno).second) << "record " << recno << " twice";
    t->goTo(recno);
    EXPECT_EQ(ntx::encodeNumericKey(std::stod(t->getString("InvBr")), 30, 0), key);
  }
  EXPECT_EQ(records.size(), static_cast<std::size_t>(kWriters * kEach));
  EXPECT_EQ(*records.rbegin(), static_cast<std::uint32_t>(kWriters * kEach));
  // The shared header counted every key update.
  EXPECT_EQ(u16At(readFileBytes(index()), 2), 1 + kWriters * kEach);
}

TEST_F(NtxStations, LockHeldElsewhereGivesTheLockErrorAfterAThousandAttempts) {
  pid_t holder = startProcess(KAVRINA_NTX_WORKER, {"hold", index(), flag("held"), flag("free")});
  ASSERT_TRUE(waitFor(flag("held")));
  auto t = openTable(dbf(), true);
  ASSERT_TRUE(ntx::attachIndex(*t, index()));

  const auto start = std::chrono::steady_clock::now();
  errors::Error e = errorRaisedBy([&] { t->goTop(); });
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(e.GENCODE, errors::gen::kLock) << e.what();
  EXPECT_EQ(e.SUBCODE.value_or(-1), errors::sub::kIndexLock) << e.what();
  EXPECT_EQ(e.FILENAME, index());
  EXPECT_GE(waited, std::chrono::milliseconds(1000)) << "1000 attempts, 1 ms apart";

  // The handler may answer "retry": the attempts start again, and succeed once the other
  // station lets go.
  int asked = 0;
  auto previous = errors::setErrorHandler([&](errors::Error& err) {
    ++asked;
    EXPECT_EQ(err.GENCODE, errors::gen::kLock);
    writeFileBytes(flag("free"), "");
    return errors::ErrorAnswer::Retry;
  });
  EXPECT_NO_THROW(t->goTop());
  errors::setErrorHandler(previous);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(waitProcess(holder), 0);
  EXPECT_TRUE(t->eof()) << "the empty table, read under the lock";
}

}  // namespace
}  // namespace kavrina::test
