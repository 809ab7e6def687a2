// Several real processes on one table: appends that lose nothing, share modes that
// exclude each other, and committed changes seen by the next lock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <thread>

#include "dbf_test_util.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

const store::Structure kLog = {{"Writer", 'N', 2, 0}, {"Seq", 'N', 6, 0}, {"Pad", 'C', 20, 0}};

class DbfStations : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store::DbfTable::create(file(), kLog)); }
  std::string file() const { return (dir_ / "log.dbf").string(); }

  // Starts a worker that holds the table open in `mode` until released.
  pid_t hold(const std::string& mode) {
    pid_t pid = startProcess(KAVRINA_DBF_WORKER, {"hold", file(), mode, ready(), release()});
    for (int i = 0; i < 10000 && !std::filesystem::exists(ready()); ++i) ::usleep(1000);
    EXPECT_TRUE(std::filesystem::exists(ready())) << "the holder never opened the table";
    return pid;
  }
  void letGo(pid_t pid) {
    writeFileBytes(release(), "");
    EXPECT_EQ(waitProcess(pid), 0);
    std::filesystem::remove(ready());
    std::filesystem::remove(release());
  }
  std::string ready() const { return (dir_ / "ready").string(); }
  std::string release() const { return (dir_ / "release").string(); }

  TempDir dir_;
};

TEST_F(DbfStations, FourProcessesAppendingLoseNoRecord) {
  constexpr int kWriters = 4, kEach = 500;
  std::vector<pid_t> pids;
  for (int w = 1; w <= kWriters; ++w)
    pids.push_back(startProcess(KAVRINA_DBF_WORKER,
                                {"append", file(), std::to_string(w), std::to_string(kEach)}));
  for (pid_t pid : pids) EXPECT_EQ(waitProcess(pid), 0);

  std::string bytes = readFileBytes(file());
  const std::size_t header = 32 + 3 * 32 + 2, record = 1 + 2 + 6 + 20;
  const std::uint32_t headerCount = static_cast<unsigned char>(bytes[4]) |
                                    static_cast<unsigned char>(bytes[5]) << 8 |
                                    static_cast<unsigned char>(bytes[6]) << 16;
  EXPECT_EQ(headerCount, (bytes.size() - header) / record)
      << "header count equals the count from the size";
  EXPECT_EQ(headerCount, static_cast<std::uint32_t>(kWriters * kEach));
  EXPECT_EQ(bytes.back(), 0x1A);

  auto t = openExclusive(file());
  std::set<std::pair<int, int>> seen;
  for (t->goTop(); !t->eof(); t->skip()) {
    auto key = std::make_pair(static_cast<int>(t->getNumber("Writer")),
                              static_cast<int>(t->getNumber("Seq")));
    EXPECT_TRUE(seen.insert(key).second) << "record " << key.first << "/" << key.second << " twice";
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kWriters * kEach));
  for (int w = 1; w <= kWriters; ++w)
    for (int s = 1; s <= kEach; ++s)
      EXPECT_TRUE(seen.count({w, s})) << w << "/" << s << " is missing";
}

TEST_F(DbfStations, ExclusiveHolderRefusesEveryOtherOpen) {
  pid_t holder = hold("exclusive");
  errors::Error shared = errorOf([&] { openShared(file()); });
  EXPECT_EQ(shared.GENCODE, errors::gen::kOpen);
  EXPECT_EQ(shared.OSCODE, errors::os::kSharingViolation);
  EXPECT_EQ(shared.SUBCODE.value_or(0), errors::sub::kOpenData);
  EXPECT_EQ(errorOf([&] { openExclusive(file()); }).OSCODE, errors::os::kSharingViolation);
  letGo(holder);
  EXPECT_NE(openShared(file()), nullptr) << "free again once the holder closed";
}

TEST_F(DbfStations, SharedHolderRefusesAnExclusiveOpenButNotASharedOne) {
  pid_t holder = hold("shared");
  errors::Error exclusive = errorOf([&] { openExclusive(file()); });
  EXPECT_EQ(exclusive.GENCODE, errors::gen::kOpen);
  EXPECT_EQ(exclusive.OSCODE, errors::os::kSharingViolation);
  EXPECT_NE(openShared(file()), nullptr);
  letGo(holder);
}

TEST_F(DbfStations, OurExclusiveOpenRefusesOtherProcesses) {
  auto mine = openExclusive(file());
  EXPECT_EQ(runProcess(KAVRINA_DBF_WORKER, {"tryopen", file(), "shared"}), 3);
  EXPECT_EQ(runProcess(KAVRINA_DBF_WORKER, {"tryopen", file(), "exclusive"}), 3);
  mine->close();
  EXPECT_EQ(runProcess(KAVRINA_DBF_WORKER, {"tryopen", file(), "exclusive"}), 0);
}

TEST_F(DbfStations, CommittedChangeIsSeenAfterTakingTheLock) {
  {
    auto t = openExclusive(file());
    t->append();
    t->putNumber("Seq", 1);
  }
  auto mine = openShared(file());
  mine->goTo(1);
  EXPECT_EQ(mine->getNumber("Seq"), 1);
  ASSERT_EQ(runProcess(KAVRINA_DBF_WORKER, {"write", file(), "1", "4242"}), 0);
  ASSERT_TRUE(mine->lockRecord());
  EXPECT_EQ(mine->getNumber("Seq"), 4242);
}

TEST_F(DbfStations, RecordLockedByAnotherProcessCannotBeLocked) {
  {
    auto t = openExclusive(file());
    t->append();
  }
  auto mine = openShared(file());
  mine->goTo(1);
  ASSERT_TRUE(mine->lockRecord());
  EXPECT_EQ(runProcess(KAVRINA_DBF_WORKER, {"write", file(), "1", "5"}), 6);
  mine->unlock();
  EXPECT_EQ(runProcess(KAVRINA_DBF_WORKER, {"write", file(), "1", "5"}), 0);
}

}  // namespace
}  // namespace kavrina::test
