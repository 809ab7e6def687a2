// The B-tree over the file with synthetic keys: random inserts and removals against a model,
// bottom-up builds of every awkward size, steps in both directions, and the free list.
#include "store/ntx/ntx_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "store/ntx/ntx_builder.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"
#include "support/temp_dir.h"
#include "support/test_seed.h"

namespace kavrina::store::ntx {
namespace {

using Entry = std::pair<std::string, std::uint32_t>;

class NtxTreeTest : public ::testing::TestWithParam<std::size_t> {
 protected:
  std::unique_ptr<NtxFile> newFile(std::size_t keySize) {
    NtxHeader header;
    header.geometry = geometryForKeySize(keySize);
    header.expression = "Kljuc";
    auto f = NtxFile::create(dir_ / "t.ntx", header, false);
    EXPECT_TRUE(f);
    return f;
  }

  // A key of `size` bytes from a small number, so that equal keys are common.
  static std::string key(std::size_t size, unsigned value) {
    std::string digits = std::to_string(value);
    std::string k(size, '0');
    k.replace(size - std::min(size, digits.size()), std::min(size, digits.size()),
              digits.substr(digits.size() - std::min(size, digits.size())));
    return k;
  }

  static void expectMatches(NtxFile& f, const std::multiset<Entry>& model, const std::string& why) {
    TreeCheck check = checkTree(f);
    ASSERT_TRUE(check.ok()) << why << ": " << check.problem;
    std::vector<Entry> expected(model.begin(), model.end());
    ASSERT_EQ(check.entries, expected) << why;
  }

  test::TempDir dir_;
};

TEST_P(NtxTreeTest, RandomInsertsAndRemovalsKeepAValidTree) {
  const std::size_t keySize = GetParam();
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  auto f = newFile(keySize);
  NtxTree tree(*f);
  std::multiset<Entry> model;
  std::uint32_t nextRecno = 1;
  const unsigned keyRange = keySize == 1 ? 10 : 700;
  for (int round = 0; round < 30; ++round) {
    // Grow in the first rounds, then shrink, with a mix in each.
    const bool growing = round < 18;
    for (int op = 0; op < 150; ++op) {
      if (model.empty() || (rng() % 100) < (growing ? 75u : 25u)) {
        Entry e{key(keySize, rng() % keyRange), nextRecno++};
        tree.insert(e.first, e.second);
        model.insert(e);
      } else {
        auto it = model.begin();
        std::advance(it, rng() % model.size());
        ASSERT_TRUE(tree.remove(it->first, it->second));
        model.erase(it);
      }
    }
    expectMatches(*f, model, "round " + std::to_string(round));
  }
  // A removal of what is not there changes nothing.
  EXPECT_FALSE(tree.remove(key(keySize, 1), nextRecno + 5));
  expectMatches(*f, model, "after a missing removal");
}

TEST_P(NtxTreeTest, StepsWalkEveryItemBothWays) {
  const std::size_t keySize = GetParam();
  auto f = newFile(keySize);
  NtxTree tree(*f);
  std::multiset<Entry> model;
  std::mt19937 rng(7);
  for (std::uint32_t r = 1; r <= 900; ++r) {
    Entry e{key(keySize, rng() % 300), r};
    tree.insert(e.first, e.second);
    model.insert(e);
  }
  std::vector<Entry> order(model.begin(), model.end());
  std::vector<std::uint32_t> forward, backward;
  std::uint32_t at = tree.first();
  for (std::size_t i = 0; at != 0 && i <= order.size(); ++i) {
    forward.push_back(at);
    at = tree.next(order[i].first, order[i].second);
  }
  at = tree.last();
  for (std::size_t i = order.size(); at != 0 && i > 0; --i) {
    backward.push_back(at);
    at = tree.previous(order[i - 1].first, order[i - 1].second);
  }
  ASSERT_EQ(forward.size(), order.size());
  ASSERT_EQ(backward.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(forward[i], order[i].second);
    EXPECT_EQ(backward[order.size() - 1 - i], order[i].second);
  }
  // Seeks find the first of equal keys; a step from an item not in the tree goes to the
  // neighbours of its place.
  for (unsigned v : {0u, 5u, 150u, 299u, 300u}) {
    auto it = model.lower_bound({key(keySize, v), 0});
    bool present = it != model.end() && it->first == key(keySize, v);
    EXPECT_EQ(tree.seekFirst(key(keySize, v)), present ? it->second : 0u) << v;
    EXPECT_EQ(tree.next(key(keySize, v), 0), it == model.end() ? 0u : it->second) << v;
  }
}

TEST_P(NtxTreeTest, BottomUpBuildOfEveryAwkwardSize) {
  const std::size_t keySize = GetParam();
  const std::size_t maxItems = geometryForKeySize(keySize).maxItems;
  auto f = newFile(keySize);
  for (std::size_t n :
       {std::size_t{0}, std::size_t{1}, maxItems, maxItems + 1, 2 * maxItems + 1,
        (maxItems + 1) * (maxItems + 1) - 1, (maxItems + 1) * (maxItems + 1), std::size_t{5000}}) {
    KeyList list;
    list.keySize = keySize;
    std::multiset<Entry> model;
    std::mt19937 rng(static_cast<unsigned>(n));
    for (std::uint32_t r = 1; r <= n; ++r) {
      std::string k = key(keySize, rng() % 2000);
      list.keys.insert(list.keys.end(), k.begin(), k.end());
      list.recnos.push_back(r);
      model.insert({k, r});
    }
    sortKeys(list);
    buildTree(*f, list);
    std::string why = std::to_string(n) + " keys";
    expectMatches(*f, model, why);
    // Every page but the root at least half full: the tree stays balanced under updates.
    TreeCheck check = checkTree(*f);
    EXPECT_EQ(check.freePages, 0u) << why;
    if (n > maxItems) {
      EXPECT_LE(check.pages * (maxItems / 2), n + maxItems) << why;
    }
    // Updates go on from the built tree.
    NtxTree tree(*f);
    for (std::uint32_t r = 1; r <= std::min<std::size_t>(n, 200); r += 3) {
      auto it =
          std::find_if(model.begin(), model.end(), [&](const Entry& e) { return e.second == r; });
      ASSERT_TRUE(tree.remove(it->first, r)) << why;
      model.erase(it);
    }
    tree.insert(key(keySize, 7), 999999);
    model.insert({key(keySize, 7), 999999});
    expectMatches(*f, model, why + " then updated");
  }
}

TEST_P(NtxTreeTest, EmptiedPagesAreReused) {
  const std::size_t keySize = GetParam();
  auto f = newFile(keySize);
  NtxTree tree(*f);
  for (std::uint32_t r = 1; r <= 2000; ++r) tree.insert(key(keySize, r), r);
  f->commit();
  const auto grownSize = std::filesystem::file_size(dir_ / "t.ntx");
  for (std::uint32_t r = 1; r <= 2000; ++r) ASSERT_TRUE(tree.remove(key(keySize, r), r));
  TreeCheck empty = checkTree(*f);
  ASSERT_TRUE(empty.ok()) << empty.problem;
  EXPECT_TRUE(empty.entries.empty());
  EXPECT_EQ(empty.pages, 1u);
  EXPECT_EQ(empty.pages + empty.freePages, grownSize / kPageSize - 1);
  // Growing again takes the free pages before the file grows.
  for (std::uint32_t r = 1; r <= 2000; ++r) tree.insert(key(keySize, r), r);
  f->commit();
  EXPECT_EQ(std::filesystem::file_size(dir_ / "t.ntx"), grownSize);
  EXPECT_TRUE(checkTree(*f).ok());
}

// Keys that share a prefix, differ in any byte (inside the first eight after it or beyond
// them), repeat, and come with record numbers in no order: the sort gives the order of the
// whole key, then of the record number.
TEST(NtxSort, OrdersByTheWholeKeyThenTheRecordNumber) {
  const std::uint32_t seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  for (std::size_t keySize : {1u, 5u, 8u, 9u, 12u, 30u}) {
    KeyList list;
    list.keySize = keySize;
    std::vector<Entry> model;
    for (std::uint32_t i = 0; i < 3000; ++i) {
      std::string k(keySize, 'A');
      for (int changes = rng() % 3; changes >= 0; --changes)
        k[rng() % keySize] = static_cast<char>("AB 9\xff"[rng() % 5]);
      const std::uint32_t recno = rng() % 100000 + 1;
      list.keys.insert(list.keys.end(), k.begin(), k.end());
      list.recnos.push_back(recno);
      model.push_back({k, recno});
    }
    sortKeys(list);
    std::sort(model.begin(), model.end(), [](const Entry& a, const Entry& b) {
      const int c = std::memcmp(a.first.data(), b.first.data(), a.first.size());
      return c != 0 ? c < 0 : a.second < b.second;
    });
    for (std::size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(std::string(list.key(i), keySize), model[i].first)
          << "key size " << keySize << " at " << i << " (seed " << seed << ")";
      ASSERT_EQ(list.recnos[i], model[i].second) << "key size " << keySize << " at " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(KeySizes, NtxTreeTest, ::testing::Values(1, 3, 30, 256),
                         [](const auto& info) { return "key" + std::to_string(info.param); });

}  // namespace
}  // namespace kavrina::store::ntx
