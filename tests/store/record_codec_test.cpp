// Each table's record type written through its codec and read back: every field, with
// values at the edges of their widths, and a reader of some fields leaving the others alone.
#include "store/record_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "store/records.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfTable;

// Names every field of `a` that differs from `b`; empty when the records are equal.
template <class Record>
std::string differences(const Record& a, const Record& b) {
  std::string names;
  for (const auto& field : Record::layout())
    std::visit(
        [&](auto member) {
          if (!(a.*member == b.*member)) names += field.def.name + " ";
        },
        field.member);
  return names;
}

// Writes `record` into a new table of its type's structure, reopens the file and reads it back.
template <class Record>
Record roundTrip(const Record& record) {
  TempDir dir;
  const auto file = dir / "T.dbf";
  EXPECT_TRUE(DbfTable::create(file, store::structureOf<Record>()));
  {
    auto t = DbfTable::open(file, {.shared = false});
    t->append();
    store::RecordCodec<Record>(*t).write(record);
    t->close();
  }
  auto t = DbfTable::open(file, {.shared = true, .readOnly = true});
  t->goTop();
  return store::RecordCodec<Record>(*t).read();
}

const std::string k30 = "Čelična konstrukcija hale br.7";  // 30 letters, 32 bytes of UTF-8

TEST(RecordCodec, AssetRecordKeepsEveryFieldAtTheEdgesOfItsWidth) {
  const store::AssetRecord low{"1", "", Date(), Date(), "", "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const store::AssetRecord high{"123456789012345",
                                k30,
                                Date::fromYmd(2019, 1, 1),
                                Date::fromYmd(9999, 12, 31),
                                k30,
                                std::string(30, 'D'),
                                99999999999.999,
                                -9999999999.999,
                                12345678901.5,
                                999.99,
                                999.999,
                                9,
                                -99.999,
                                5,
                                999,
                                -999,
                                9999999999,
                                99};
  for (const auto& record : {low, high})
    EXPECT_EQ(differences(roundTrip(record), record), "") << record.InvBr;
}

TEST(RecordCodec, OtherTablesKeepEveryField) {
  EXPECT_EQ(differences(roundTrip(store::CompanyRecord{"999", k30, k30, "1234567890123"}),
                        store::CompanyRecord{"999", k30, k30, "1234567890123"}),
            "");
  const store::GroupResetMark mark{"987654321098765", "2024"};
  EXPECT_EQ(differences(roundTrip(mark), mark), "");
  const store::RaRow ra{
      "42", 99999999999.999, -9999999999.999, 999.999, 9, 99, 0.001, -0.001, true, false, true};
  EXPECT_EQ(differences(roundTrip(ra), ra), "");
  const store::PaRow pa{
      "42", 0.001, 99999999999.999, -9999999999.999, -99.999, 5, 12, 999, 1e10, 0, false,
      true, true};
  EXPECT_EQ(differences(roundTrip(pa), pa), "");
}

TEST(RecordCodec, WritesTheStoredFormOfTextsAndRounding) {
  store::RaRow row;
  row.InvBr = "7";
  row.RAm = 1.0005;  // rounded half away from zero on the decimal value
  const store::RaRow back = roundTrip(row);
  EXPECT_EQ(back.InvBr, "7") << "the padding blanks are not part of the value";
  EXPECT_DOUBLE_EQ(back.RAm, 1.001);
}

TEST(RecordCodec, AReaderOfSomeFieldsLeavesTheOthersAsTheyWere) {
  TempDir dir;
  const auto file = dir / "MDOS.dbf";
  ASSERT_TRUE(DbfTable::create(file, store::schema::mdos()));
  auto t = DbfTable::open(file, {.shared = false});
  t->append();
  store::AssetRecord stored;
  stored.InvBr = "15";
  stored.Naziv = "Kombi";
  stored.RAOsn = 100;
  store::RecordCodec<store::AssetRecord>(*t).write(stored);

  using R = store::AssetRecord;
  const store::RecordCodec<R> some(*t, store::FieldSet<R>::of(&R::InvBr, &R::RAOsn));
  R read;
  read.Naziv = "unchanged";
  some.read(read);
  EXPECT_EQ(read.InvBr, "15");
  EXPECT_EQ(read.RAOsn, 100);
  EXPECT_EQ(read.Naziv, "unchanged");
  EXPECT_EQ(some.position(&R::RAOsn), t->fieldIndex("RAOsn"));
  EXPECT_EQ(store::structureOf(store::FieldSet<R>::of(&R::RAOsn)).front().name, "RAOsn");
}

TEST(RecordCodec, ATableWithoutAChosenFieldIsRefusedByName) {
  TempDir dir;
  const auto file = dir / "T.dbf";
  ASSERT_TRUE(DbfTable::create(file, {{"InvBr", 'C', 30, 0}}));
  auto t = DbfTable::open(file, {.shared = false});
  EXPECT_ANY_THROW(store::RecordCodec<store::RaRow>{*t});
  using R = store::RaRow;
  EXPECT_NO_THROW((store::RecordCodec<R>(*t, store::FieldSet<R>::of(&R::InvBr))));
}

}  // namespace
}  // namespace kavrina::test
