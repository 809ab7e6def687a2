// Appends of an exclusive table gathered into batches: the file ends up exactly as with one
// write per record, every read and commit sees every record, and a failed batch in a
// rewrite leaves the old table.
#include <gtest/gtest.h>

#include <cerrno>

#include "common/fault_injection.h"
#include "dbf_test_util.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfTable;
namespace gen = errors::gen;
namespace sub = errors::sub;

// 120-byte records: 20,000 of them are more than two batches.
const store::Structure kStructure{{"Broj", 'N', 9, 0}, {"Tekst", 'C', 110, 0}};
constexpr int kRecords = 20000;

std::string textOf(int i) {
  return "zapis " + std::to_string(i);
}

// Appends the records with reads, a change of an appended record and a commit in between,
// as a calculation and a form may do; returns the writes the table made.
std::uint64_t fill(DbfTable& t) {
  faults::resetCounts();
  for (int i = 1; i <= kRecords; ++i) {
    EXPECT_TRUE(t.append());
    t.putNumber("Broj", i);
    t.putString("Tekst", textOf(i));
    if (i == 5000) {  // back to a record written long ago, then on
      t.goTo(100);
      EXPECT_EQ(t.getNumber("Broj"), 100);
    }
    if (i == 7000) {  // a record that may still wait to be written, read and changed
      t.goTo(6999);
      EXPECT_EQ(t.getString("Tekst"), textOf(6999) + std::string(110 - textOf(6999).size(), ' '));
      if (t.isShared()) {
        EXPECT_TRUE(t.lockRecord(6999));
      }
      t.putString("Tekst", "promenjen");
    }
    if (i == 12000) t.commit();
  }
  t.unlock();
  t.close();
  return faults::seen(faults::Op::Write);
}

TEST(DbfBatchedAppends, TheFileIsTheOneRecordByRecordWritesGive) {
  TempDir dir;
  const std::uint64_t batched = fill(*makeTable(dir / "batched.dbf", kStructure));
  const std::uint64_t perRecord = fill(*makeTable(dir / "shared.dbf", kStructure, true));
  EXPECT_EQ(readFileBytes(dir / "batched.dbf"), readFileBytes(dir / "shared.dbf"));
  EXPECT_GE(perRecord, static_cast<std::uint64_t>(kRecords)) << "a shared table writes each record";
  EXPECT_LT(batched, 20u) << "an exclusive table writes its appends in a few batches";

  auto t = openExclusive(dir / "batched.dbf");
  ASSERT_EQ(t->recCount(), static_cast<std::uint32_t>(kRecords));
  t->goTo(6999);
  EXPECT_EQ(t->getString("Tekst").substr(0, 9), "promenjen");
  t->goTo(kRecords);
  EXPECT_EQ(t->getNumber("Broj"), kRecords);
}

TEST(DbfBatchedAppends, ACommitPutsEveryAppendedRecordInTheFile) {
  TempDir dir;
  auto t = makeTable(dir / "t.dbf", kStructure);
  for (int i = 1; i <= 100; ++i) {
    t->append();
    t->putNumber("Broj", i);
  }
  t->commit();
  const std::string bytes = readFileBytes(dir / "t.dbf");
  const std::size_t header = t->headerLength(), record = t->recordLength();
  ASSERT_EQ(bytes.size(), header + 100 * record + 1) << "the records and the end mark";
  EXPECT_EQ(bytes.substr(header + 99 * record, 10), std::string(" ") + "      100");
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 100u) << "the header counts them";
}

TEST(DbfBatchedAppends, AFailedBatchOfARewriteLeavesTheOldTable) {
  TempDir dir;
  {
    auto t = makeTable(dir / "t.dbf", kStructure);
    t->append();
    t->putString("Tekst", "stari");
    t->close();
  }
  const std::string before = readFileBytes(dir / "t.dbf");
  auto t = openExclusive(dir / "t.dbf");
  t->beginRewrite();
  faults::arm({.op = faults::Op::Write,
               .nth = 3,
               .effect = faults::Effect::Fail,
               .error = ENOSPC,
               .sticky = true});
  const errors::Error e = errorOf([&] {
    for (int i = 1; i <= kRecords; ++i) {
      t->append();
      t->putNumber("Broj", i);
    }
    t->publishRewrite();
  });
  faults::disarm();
  EXPECT_EQ(e.GENCODE, gen::kWrite) << e.what();
  EXPECT_EQ(e.SUBCODE.value_or(-1), sub::kWrite);
  t->close();
  EXPECT_EQ(readFileBytes(dir / "t.dbf"), before);
}

}  // namespace
}  // namespace kavrina::test
