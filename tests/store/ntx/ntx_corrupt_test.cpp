// Damaged index files: each damage gives the corruption error (32/1012) at attach or at the
// first move that meets it, never a crash, a hang or an endless loop. Also replays the
// annotated broken files of the corpus through the same steps.
#include <gtest/gtest.h>

#include "ntx_test_util.h"
#include "store/ntx/ntx_header.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
namespace ntx = store::ntx;

struct Damage {
  const char* name;
  // Changes the bytes of a sound index of 200 assets: a root with leaves under it.
  std::function<void(std::string& bytes, std::uint32_t root)> apply;
};

std::uint32_t firstChild(const std::string& bytes, std::uint32_t page) {
  return u32At(bytes, page + u16At(bytes, page + 2));
}

void setChild(std::string& bytes, std::uint32_t page, std::size_t slot, std::uint32_t to) {
  putU32(bytes, page + u16At(bytes, page + 2 + 2 * slot), to);
}

const Damage kDamages[] = {
    {"SignatureOfAnotherFile", [](std::string& b, std::uint32_t) { putU16(b, 0, 9); }},
    {"KeySizeDisagreesWithExpression", [](std::string& b, std::uint32_t) { putU16(b, 14, 31); }},
    {"ItemSizeDisagreesWithKeySize", [](std::string& b, std::uint32_t) { putU16(b, 12, 37); }},
    {"MaximumDisagreesWithKeySize", [](std::string& b, std::uint32_t) { putU16(b, 18, 30); }},
    {"HalfPageDisagreesWithKeySize", [](std::string& b, std::uint32_t) { putU16(b, 20, 11); }},
    {"ExpressionOfAnotherTable",
     [](std::string& b, std::uint32_t) {
       b.replace(22, 11, std::string("Sifra\0\0\0\0\0\0", 11));
     }},
    {"ExpressionOfAnotherWidth",
     [](std::string& b, std::uint32_t) { b.replace(22, 11, std::string("DatumN\0\0\0\0\0", 11)); }},
    {"ExpressionNotTerminated",
     [](std::string& b, std::uint32_t) { b.replace(22, 256, std::string(256, 'x')); }},
    {"RootOffNotOnAPage", [](std::string& b, std::uint32_t) { putU32(b, 4, 1500); }},
    {"RootIsTheHeader", [](std::string& b, std::uint32_t) { putU32(b, 4, 0); }},
    {"RootBeyondTheEnd",
     [](std::string& b, std::uint32_t) { putU32(b, 4, static_cast<std::uint32_t>(b.size())); }},
    {"FreePageBeyondTheEnd",
     [](std::string& b, std::uint32_t) { putU32(b, 8, static_cast<std::uint32_t>(b.size() * 2)); }},
    {"FileCutInsideTheRoot", [](std::string& b, std::uint32_t root) { b.resize(root + 512); }},
    {"ItemCountAboveMaximum", [](std::string& b, std::uint32_t root) { putU16(b, root, 25); }},
    {"ItemOffsetOutsideThePage",
     [](std::string& b, std::uint32_t root) { putU16(b, root + 2, 1020); }},
    {"LeafAndBranchPointersMixed",
     [](std::string& b, std::uint32_t root) { setChild(b, root, 1, 0); }},
    {"ChildPointsBackToTheRoot",
     [](std::string& b, std::uint32_t root) { setChild(b, root, 0, root); }},
    {"LeafPointsBackToTheRoot",
     [](std::string& b, std::uint32_t root) {
       const std::uint32_t leaf = firstChild(b, root);
       for (std::size_t slot = 0; slot <= u16At(b, leaf); ++slot) setChild(b, leaf, slot, root);
     }},
    {"ChildBeyondTheEnd",
     [](std::string& b, std::uint32_t root) { setChild(b, root, 0, 64u << 20); }},
    {"ChildOffAPage", [](std::string& b, std::uint32_t root) { setChild(b, root, 0, 2000); }},
    {"SiblingsSwapped",
     [](std::string& b, std::uint32_t root) {
       const std::uint32_t a = firstChild(b, root);
       const std::uint32_t c = u32At(b, root + u16At(b, root + 4));
       setChild(b, root, 0, c);
       setChild(b, root, 1, a);
     }},
    {"FreeListNamesAPageInUse",
     [](std::string& b, std::uint32_t root) { putU32(b, 8, firstChild(b, root)); }},
};

// Opens the table, attaches the index and works through it as the program would.
void workThrough(const fs::path& dbf, const fs::path& index) {
  auto t = openTable(dbf, false);
  t->setHideDeleted(true);
  ASSERT_TRUE(ntx::attachIndex(*t, index));
  int steps = 0;
  for (t->goTop(); !t->eof() && steps < 1000; t->skip(1)) ++steps;
  ASSERT_LT(steps, 1000) << "the walk did not end";
  for (t->goBottom(); !t->bof() && !t->eof() && steps < 2000; t->skip(-1)) ++steps;
  for (double n : {1.0, 100.0, 150.0, 199.0}) t->seek(n);
  // Updates: a new key, a changed key.
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(t->append());
    t->putString("InvBr", std::to_string(1000 + i));
  }
  t->goTo(5);
  t->putString("InvBr", "4000");
  t->close();
}

class NtxCorruptTest : public ::testing::TestWithParam<Damage> {
 protected:
  void SetUp() override {
    auto t = mdosWithIndex(dbf(), index(), false);
    for (int i = 1; i <= 200; ++i) appendAsset(*t, std::to_string(i));
    t->close();
    sound_ = readFileBytes(index());
  }
  fs::path dbf() const { return dir_ / "MDOS.dbf"; }
  fs::path index() const { return dir_ / "MDOS.ntx"; }

  TempDir dir_;
  std::string sound_;
};

TEST_P(NtxCorruptTest, DamageGivesTheCorruptionError) {
  std::string bytes = sound_;
  GetParam().apply(bytes, u32At(bytes, ntx::kOffRoot));
  ASSERT_NE(bytes, sound_);
  writeFileBytes(index(), bytes);
  errors::Error e = errorRaisedBy([&] { workThrough(dbf(), index()); });
  EXPECT_EQ(e.GENCODE, errors::gen::kCorruption) << e.what();
  EXPECT_EQ(e.SUBCODE.value_or(-1), errors::sub::kCorruption) << e.what();
}

TEST_F(NtxCorruptTest, SoundIndexPassesTheSameWork) {
  EXPECT_NO_THROW(workThrough(dbf(), index()));
  auto t = openTable(dbf(), false);
  ASSERT_TRUE(ntx::attachIndex(*t, index()));
  ntx::TreeCheck check = ntx::checkTree(orderOf(*t).file());
  EXPECT_TRUE(check.ok()) << check.problem;
  EXPECT_EQ(check.entries.size(), 230u);
}

// The annotated broken files of tests/data/corpus/ntx (written by make_corpus.py from the
// layout alone, for a table of inventory numbers 1 to 60): the sound ones read back as
// written, every other one gives the corruption error.
TEST(NtxCorpus, BrokenFilesGiveTheCorruptionErrorAndSoundOnesRead) {
  TempDir dir;
  const fs::path corpus = fs::path(KAVRINA_TEST_DATA_DIR) / "corpus" / "ntx";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.path().extension() != ".ntx") continue;
    ++files;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    store::DbfTable::create(dir / "MDOS.dbf", store::schema::mdos());
    {
      auto t = openTable(dir / "MDOS.dbf", false);
      const int count = name == "empty.ntx" ? 0 : 60;
      for (int i = 1; i <= count; ++i) {
        ASSERT_TRUE(t->append());
        t->putString("InvBr", std::to_string(i));
      }
      t->close();
    }
    fs::copy_file(entry.path(), dir / "MDOS.ntx", fs::copy_options::overwrite_existing);
    errors::Error e = errorRaisedBy([&] { workThrough(dir / "MDOS.dbf", dir / "MDOS.ntx"); });
    if (name == "sound.ntx" || name == "empty.ntx") {
      EXPECT_EQ(e.GENCODE, 0) << e.what();
      auto t = openTable(dir / "MDOS.dbf", false);
      ASSERT_TRUE(ntx::attachIndex(*t, dir / "MDOS.ntx"));
      ntx::TreeCheck check = ntx::checkTree(orderOf(*t).file());
      EXPECT_TRUE(check.ok()) << check.problem;
      EXPECT_EQ(check.entries.size(), name == "sound.ntx" ? 90u : 30u);
    } else {
      EXPECT_EQ(e.GENCODE, errors::gen::kCorruption) << e.what();
      EXPECT_EQ(e.SUBCODE.value_or(-1), errors::sub::kCorruption) << e.what();
    }
  }
  EXPECT_GE(files, 20);
}

INSTANTIATE_TEST_SUITE_P(Damages, NtxCorruptTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavrina::test
