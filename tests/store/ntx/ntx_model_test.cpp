// Random appends, key changes, deletions and seeks on an asset register with its val(InvBr)
// index, checked after each batch against a model and against a full check of the tree.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "ntx_test_util.h"
#include "store/ntx/ntx_key.h"
#include "support/test_seed.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
namespace ntx = store::ntx;

struct ModelRecord {
  long number = 0;
  bool deleted = false;
};

class NtxModelTest : public ::testing::TestWithParam<bool> {
 protected:
  fs::path dbf() const { return dir_ / "MDOS.dbf"; }
  fs::path index() const { return dir_ / "MDOS.ntx"; }

  static std::string keyOf(long number) { return ntx::encodeNumericKey(double(number), 30, 0); }

  // The table's records as the index must hold them: every record once, deleted ones too.
  std::multimap<std::string, std::uint32_t> expectedIndex() const {
    std::multimap<std::string, std::uint32_t> out;
    for (std::size_t i = 0; i < model_.size(); ++i)
      out.emplace(keyOf(model_[i].number), static_cast<std::uint32_t>(i + 1));
    return out;
  }

  void verify(store::DbfTable& t, const std::string& when) {
    ntx::TreeCheck check = ntx::checkTree(orderOf(t).file());
    ASSERT_TRUE(check.ok()) << when << ": " << check.problem;
    const auto expected = expectedIndex();
    ASSERT_EQ(check.entries.size(), expected.size()) << when;
    // Keys ascending is part of the check; here each record's key, exactly once.
    std::map<std::uint32_t, std::string> byRecord;
    for (const auto& [key, recno] : check.entries)
      ASSERT_TRUE(byRecord.emplace(recno, key).second) << when << ": record " << recno << " twice";
    for (const auto& [key, recno] : expected)
      ASSERT_EQ(byRecord[recno], key) << when << ": key of record " << recno;

    // The moves of the table show the live records in key order.
    std::vector<std::uint32_t> walked, live;
    for (t.goTop(); !t.eof(); t.skip(1)) walked.push_back(t.recNo());
    for (const auto& [key, recno] : expected)
      if (!model_[recno - 1].deleted) live.push_back(recno);
    ASSERT_EQ(walked, live) << when;
    std::vector<std::uint32_t> back;
    for (t.goBottom(); !t.eof() && !t.bof(); t.skip(-1)) back.push_back(t.recNo());
    std::reverse(back.begin(), back.end());
    if (!live.empty()) {
      ASSERT_EQ(back, live) << when << " (backwards)";
    }
  }

  void seekAndCheck(store::DbfTable& t, long number, const std::string& when) {
    const auto expected = expectedIndex();
    std::uint32_t first = 0;
    for (auto [it, end] = expected.equal_range(keyOf(number)); it != end; ++it)
      if (!model_[it->second - 1].deleted) {
        first = it->second;
        break;
      }
    const bool found = t.seek(double(number));
    ASSERT_EQ(found, first != 0) << when << ": seek " << number;
    if (found) {
      ASSERT_EQ(t.recNo(), first) << when << ": seek " << number;
    } else {
      ASSERT_TRUE(t.eof()) << when << ": failed seek " << number;
    }
  }

  TempDir dir_;
  std::vector<ModelRecord> model_;
};

TEST_P(NtxModelTest, RandomWorkMatchesTheModel) {
  const bool shared = GetParam();
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  auto t = mdosWithIndex(dbf(), index(), shared);
  t->setHideDeleted(true);
  auto number = [&] { return static_cast<long>(rng() % 1500) - (rng() % 10 == 0 ? 1600 : 0); };

  const int batches = 25, perBatch = 160;
  for (int batch = 0; batch < batches; ++batch) {
    const std::string when = "batch " + std::to_string(batch);
    for (int op = 0; op < perBatch; ++op) {
      const unsigned dice = rng() % 100;
      if (model_.empty() || dice < 45) {
        long n = number();
        ASSERT_TRUE(t->append(true));
        t->putString("InvBr", std::to_string(n));
        model_.push_back({n, false});
        if (rng() % 2) t->commit();
      } else if (dice < 75) {
        std::uint32_t r = static_cast<std::uint32_t>(rng() % model_.size()) + 1;
        long n = number();
        t->goTo(r);
        if (shared) {
          ASSERT_TRUE(t->lockRecord());
        }
        t->putString("InvBr", std::to_string(n));
        model_[r - 1].number = n;
        if (shared) t->unlock();
      } else if (dice < 88) {
        std::uint32_t r = static_cast<std::uint32_t>(rng() % model_.size()) + 1;
        t->goTo(r);
        if (shared) {
          ASSERT_TRUE(t->lockRecord());
        }
        const bool del = rng() % 3 != 0;
        if (del)
          t->deleteRecord();
        else
          t->recall();
        model_[r - 1].deleted = del;
        if (shared) t->unlock();
      } else {
        seekAndCheck(*t, number(), when);
      }
    }
    t->commit();
    verify(*t, when);
    if (batch % 8 == 7) {
      // The index read back from the file after a close carries the same tree.
      t->close();
      t = openTable(dbf(), shared);
      t->setHideDeleted(true);
      ASSERT_TRUE(ntx::attachIndex(*t, index()));
      verify(*t, when + " after reopening");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, NtxModelTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Shared" : "Exclusive"; });

}  // namespace
}  // namespace kavrina::test
