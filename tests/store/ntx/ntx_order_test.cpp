// An index on a table: the header it is created with, the order of moves, seeks, key
// maintenance on writes, hidden deleted records, attach and the header writes of each mode.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>

#include "ntx_test_util.h"
#include "store/ntx/ntx_header.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
namespace ntx = store::ntx;
namespace gen = errors::gen;
namespace sub = errors::sub;

class NtxOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "DBF");
    fs::create_directories(dir_ / "NTX");
  }
  fs::path dbf(const std::string& name) const { return dir_ / "DBF" / (name + ".dbf"); }
  fs::path ntxFile(const std::string& name) const { return dir_ / "NTX" / (name + ".ntx"); }

  std::unique_ptr<store::DbfTable> assets(const std::vector<std::string>& invBrs,
                                          bool shared = false) {
    auto t = mdosWithIndex(dbf("MDOS"), ntxFile("MDOS"), shared);
    for (const auto& n : invBrs) appendAsset(*t, n);
    return t;
  }

  TempDir dir_;
};

TEST_F(NtxOrderTest, IndexOnEmptyFirmeHasTheDocumentedHeader) {
  store::DbfTable::create(dbf("Firme"), store::schema::firme());
  auto t = openTable(dbf("Firme"), true);
  ASSERT_TRUE(ntx::createIndex(*t, dir_ / "NTX" / "Firme", "Sifra"));
  t->close();
  const std::string bytes = readFileBytes(ntxFile("Firme"));
  ASSERT_EQ(bytes.size(), 2 * ntx::kPageSize) << "header page and one empty root page";
  EXPECT_EQ(u16At(bytes, 0), 6) << "signature";
  EXPECT_EQ(u16At(bytes, 2), 1) << "update counter of a new file";
  EXPECT_EQ(u32At(bytes, 4), 1024u) << "root";
  EXPECT_EQ(u32At(bytes, 8), 0u) << "no free page";
  EXPECT_EQ(u16At(bytes, 12), 11) << "item size";
  EXPECT_EQ(u16At(bytes, 14), 3) << "key size";
  EXPECT_EQ(u16At(bytes, 16), 0) << "decimals";
  EXPECT_EQ(u16At(bytes, 18), 76) << "maximum";
  EXPECT_EQ(u16At(bytes, 20), 38) << "half page";
  EXPECT_EQ(bytes.substr(22, 6), std::string("Sifra\0", 6));
  for (std::size_t i = 28; i < ntx::kPageSize; ++i) ASSERT_EQ(bytes[i], 0) << "header byte " << i;
  EXPECT_EQ(u16At(bytes, 1024), 0) << "the root holds no item";
  // Slot i of a page starts at 2 × maximum + 4 + i × item size.
  for (std::size_t slot = 0; slot <= 76; ++slot)
    ASSERT_EQ(u16At(bytes, 1024 + 2 + 2 * slot), 156 + slot * 11) << "slot " << slot;
}

TEST_F(NtxOrderTest, ExclusiveIndexHeaderCountsOnlyFromItsCreation) {
  // In exclusive use the counter stays as created; the header reaches the file at commit.
  auto t = assets({});
  const std::string created = readFileBytes(ntxFile("MDOS")).substr(0, 12);
  EXPECT_EQ(u16At(created, 2), 1);
  for (int i = 1; i <= 60; ++i) {
    ASSERT_TRUE(t->append());
    t->putString("InvBr", std::to_string(i));
    t->skip(0);  // written back, so the key is in the tree, but no commit yet
  }
  EXPECT_EQ(readFileBytes(ntxFile("MDOS")).substr(0, 12), created)
      << "no header write before commit";
  t->commit();
  const std::string committed = readFileBytes(ntxFile("MDOS"));
  EXPECT_NE(u32At(committed, 4), 1024u) << "60 keys of 30 bytes need a new root";
  EXPECT_EQ(u16At(committed, 2), 1);
}

TEST_F(NtxOrderTest, SharedIndexAdvancesTheCounterOnEveryKeyUpdate) {
  auto t = assets({}, true);
  const std::uint16_t before = u16At(readFileBytes(ntxFile("MDOS")), 2);
  appendAsset(*t, "1");
  appendAsset(*t, "2");
  EXPECT_EQ(u16At(readFileBytes(ntxFile("MDOS")), 2), before + 2);
  // A write that leaves the key as it was is no key update.
  t->goTo(1);
  ASSERT_TRUE(t->lockRecord());
  t->putString("Naziv", "Drugo ime");
  t->unlock();
  EXPECT_EQ(u16At(readFileBytes(ntxFile("MDOS")), 2), before + 2);
  t->goTo(1);
  ASSERT_TRUE(t->lockRecord());
  t->putString("InvBr", "7");
  t->unlock();
  EXPECT_EQ(u16At(readFileBytes(ntxFile("MDOS")), 2), before + 3);
}

TEST_F(NtxOrderTest, InventoryNumbersRunInNumericOrder) {
  auto t = assets({"10", "9", "100", "1", "09"});
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"1", "9", "09", "10", "100"}));
  t->goBottom();
  EXPECT_EQ(t->getString("InvBr").substr(0, 3), "100");
  t->skip(-1);
  EXPECT_EQ(t->getString("InvBr").substr(0, 2), "10");
  t->goTop();
  t->skip(-1);
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->getString("InvBr").substr(0, 1), "1");
}

TEST_F(NtxOrderTest, NegativeKeysComeBeforeZeroAndThePositives) {
  auto t = assets({"3", "-5", "0", "-12", "12", "-1"});
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"-12", "-5", "-1", "0", "3", "12"}));
}

TEST_F(NtxOrderTest, SeekFindsTheFirstEqualKeyOrEndsAtEndOfFile) {
  auto t = assets({"10", "9", "10", "100"});
  EXPECT_TRUE(t->seek(10.0));
  EXPECT_EQ(t->recNo(), 1u) << "the first of the two records with 10";
  t->skip(1);
  EXPECT_EQ(t->recNo(), 3u);
  EXPECT_FALSE(t->seek(11.0));
  EXPECT_TRUE(t->eof());
  EXPECT_FALSE(t->found());
  EXPECT_TRUE(t->seek(100.0));
  EXPECT_EQ(t->recNo(), 4u);
  // A text sought in a numeric key is a type error.
  EXPECT_NTX_ERROR(t->seek(std::string("10")), gen::kDataType, sub::kDataType);
}

TEST_F(NtxOrderTest, ChangedKeyMovesTheRecordAndLeavesNoTrace) {
  auto t = assets({"1", "2", "3", "4"});
  t->goTo(2);
  t->putString("InvBr", "40");
  t->commit();
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"1", "3", "4", "40"}));
  EXPECT_FALSE(t->seek(2.0));
  EXPECT_TRUE(t->seek(40.0));
  EXPECT_EQ(t->recNo(), 2u);
  ntx::TreeCheck check = ntx::checkTree(orderOf(*t).file());
  ASSERT_TRUE(check.ok()) << check.problem;
  EXPECT_EQ(check.entries.size(), 4u);
}

TEST_F(NtxOrderTest, HiddenDeletedRecordsAreSkippedByEveryMove) {
  auto t = assets({"1", "2", "2", "3"});
  t->setHideDeleted(true);
  for (std::uint32_t r : {1u, 2u}) {
    t->goTo(r);
    t->deleteRecord();
  }
  t->commit();
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"2", "3"}));
  EXPECT_TRUE(t->seek(2.0));
  EXPECT_EQ(t->recNo(), 3u) << "the live one of the two records with 2";
  EXPECT_FALSE(t->seek(1.0));
  EXPECT_TRUE(t->eof());
}

// A snapshot scan takes the index entries a batch at a time under one lock; the walk must
// be the one move-by-move gives, across page and batch boundaries, with duplicate keys and
// hidden deleted records, and a key this table changes on the way must move at once.
TEST_F(NtxOrderTest, ASnapshotScanWalksTheOrderAsMoveByMoveDoes) {
  auto t = assets({}, true);
  std::mt19937 rng(20261208);
  for (int i = 0; i < 1500; ++i) appendAsset(*t, std::to_string(rng() % 900));
  t->setHideDeleted(true);
  for (std::uint32_t r = 7; r <= 1500; r += 97) {
    t->goTo(r);
    ASSERT_TRUE(t->lockRecord(r));
    t->deleteRecord();
    t->unlock();
  }
  t->commit();
  // The walk, with the record met `changeAt`th given the number 5000 when reached and one
  // a hundred moves ahead the number 5001 (each gets its own back after the walk).
  const auto walk = [&](bool snapshot, std::size_t changeAt, std::uint32_t ahead) {
    std::optional<store::DbfTable::SnapshotScan> scan;
    if (snapshot) scan.emplace(*t);
    const auto renumber = [&](const std::string& to) {
      EXPECT_TRUE(t->lockRecord());
      t->putString("InvBr", to);
      t->unlock();
      t->commit();
    };
    std::vector<std::pair<std::uint32_t, std::string>> renumbered;
    std::vector<std::uint32_t> recnos;
    for (t->goTop(); !t->eof(); t->skip()) {
      recnos.push_back(t->recNo());
      if (recnos.size() != changeAt) continue;
      const std::uint32_t here = t->recNo();
      t->goTo(ahead);  // a move outside the order: a snapshot keeps its entries
      renumbered.emplace_back(ahead, t->getString("InvBr"));
      renumber("5001");
      t->goTo(here);
      renumbered.emplace_back(here, t->getString("InvBr"));
      renumber("5000");
    }
    scan.reset();
    for (const auto& [recno, number] : renumbered) {
      t->goTo(recno);
      renumber(number);
    }
    return recnos;
  };
  const std::vector<std::uint32_t> byMove = walk(false, 0, 0);
  ASSERT_EQ(byMove.size(), 1500u - 16u);
  EXPECT_EQ(walk(true, 0, 0), byMove);
  EXPECT_FALSE(t->snapshotScan()) << "the scan's end puts the setting back";
  const std::uint32_t ahead = byMove[699];
  const std::vector<std::uint32_t> changed = walk(false, 600, ahead);
  ASSERT_EQ(changed.size(), 601u) << "the record renumbered ahead ends the walk";
  EXPECT_EQ(walk(true, 600, ahead), changed);
}

TEST_F(NtxOrderTest, IndexBuiltFromRecordsEqualsTheOneMaintained) {
  // The same records, once indexed as they are written and once built afterwards.
  auto maintained = assets({});
  store::DbfTable::create(dbf("BEZ"), store::schema::mdos());
  auto plain = openTable(dbf("BEZ"), false);
  std::mt19937 rng(42);
  for (int i = 0; i < 700; ++i) {
    std::string n = std::to_string(rng() % 400);
    appendAsset(*maintained, n);
    appendAsset(*plain, n);
  }
  ASSERT_TRUE(ntx::createIndex(*plain, dir_ / "NTX" / "BEZ", "val(InvBr)"));
  ntx::TreeCheck a = ntx::checkTree(orderOf(*maintained).file());
  ntx::TreeCheck b = ntx::checkTree(orderOf(*plain).file());
  ASSERT_TRUE(a.ok()) << a.problem;
  ASSERT_TRUE(b.ok()) << b.problem;
  EXPECT_EQ(a.entries, b.entries);
  EXPECT_EQ(invBrInOrder(*maintained), invBrInOrder(*plain));
}

TEST_F(NtxOrderTest, AttachFindsTheFileInAnyCaseAndTheDefaultExtension) {
  {
    auto t = assets({"5", "3", "4"});
    t->close();
  }
  fs::rename(ntxFile("MDOS"), dir_ / "NTX" / "mdos.NTX");
  auto t = openTable(dbf("MDOS"), true);
  ASSERT_TRUE(ntx::attachIndex(*t, dir_ / "NTX" / "MDOS"));
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"3", "4", "5"}));
  // Creating over it replaces that file rather than adding a second spelling.
  t->clearOrders();
  ASSERT_TRUE(ntx::createIndex(*t, dir_ / "NTX" / "MDOS.ntx", "InvBr"));
  EXPECT_TRUE(fs::exists(dir_ / "NTX" / "mdos.NTX"));
  EXPECT_FALSE(fs::exists(dir_ / "NTX" / "MDOS.ntx"));
}

TEST_F(NtxOrderTest, WorkingIndexIsRebuiltAfterZapAndPack) {
  auto t = mdosWithIndex(dbf("MDNG"), dir_ / "NTX" / "MDNG", false);
  EXPECT_TRUE(fs::exists(dir_ / "NTX" / "MDNG.ntx"));
  for (const char* n : {"4", "2", "3", "1"}) appendAsset(*t, n);
  t->goTo(2);
  t->deleteRecord();
  t->pack();
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_TRUE(t->seek(1.0));
  EXPECT_EQ(t->recNo(), 3u) << "record numbers after the pack";
  t->zap();
  EXPECT_TRUE(invBrInOrder(*t).empty());
  appendAsset(*t, "8");
  EXPECT_EQ(invBrInOrder(*t), (std::vector<std::string>{"8"}));
}

TEST_F(NtxOrderTest, ExpressionsThatCannotBeIndexedAreRefused) {
  store::DbfTable::create(dbf("NAPOMENE"), {{"InvBr", 'C', 30, 0}, {"Napomena", 'M', 10, 0}});
  auto t = openTable(dbf("NAPOMENE"), false);
  EXPECT_NTX_ERROR(ntx::createIndex(*t, ntxFile("N"), "Napomena"), gen::kDataType, sub::kDataType);
  EXPECT_NTX_ERROR(ntx::createIndex(*t, ntxFile("N"), "val(Napomena)"), gen::kDataType,
                   sub::kDataType);
  errors::Error unknown =
      errorRaisedBy([&] { ntx::createIndex(*t, ntxFile("N"), "upper(InvBr)"); });
  EXPECT_EQ(unknown.GENCODE, gen::kArgument);
  EXPECT_FALSE(fs::exists(ntxFile("N"))) << "nothing is created for a refused expression";
}

TEST_F(NtxOrderTest, AnIndexOpenElsewhereCannotBeReplaced) {
  auto t = assets({"1"}, true);
  auto other = openTable(dbf("MDOS"), true);
  errors::Error busy =
      errorRaisedBy([&] { ntx::createIndex(*other, ntxFile("MDOS"), "val(InvBr)"); });
  EXPECT_EQ(busy.GENCODE, gen::kOpen);
  EXPECT_EQ(busy.SUBCODE, ntx::kSubOpenIndex);
  EXPECT_EQ(busy.OSCODE, errors::os::kSharingViolation);
  EXPECT_TRUE(busy.CANDEFAULT) << "a sharing conflict may fail softly, as a table open does";
  EXPECT_TRUE(t->seek(1.0)) << "the index in use is left as it was";
}

}  // namespace
}  // namespace kavrina::test
