// The bytes the table files hold: header, descriptors, field encodings, end mark.
#include <gtest/gtest.h>

#include "common/clock.h"
#include "dbf_test_util.h"
#include "store/dbf/dbf_field_codec.h"
#include "store/dbf/dbf_header.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

using store::DbfTable;
using store::Structure;

unsigned byteAt(const std::string& bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

TEST(DbfFormat, EmptyTableWithOneCharacterFieldIs67Bytes) {
  TempDir dir;
  const Date today = Date::fromYmd(2031, 7, 9);
  ASSERT_TRUE(DbfTable::create(dir / "t.dbf", {{"Sifra", 'C', 3, 0}}, Clock::fixedOn(today)));
  std::string bytes = readFileBytes(dir / "t.dbf");
  ASSERT_EQ(bytes.size(), 67u);
  EXPECT_EQ(byteAt(bytes, 0), 0x03u);
  EXPECT_EQ(byteAt(bytes, 1), static_cast<unsigned>(today.year() % 100));
  EXPECT_EQ(byteAt(bytes, 2), static_cast<unsigned>(today.month()));
  EXPECT_EQ(byteAt(bytes, 3), static_cast<unsigned>(today.day()));
  EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0'));        // record count 0
  EXPECT_EQ(byteAt(bytes, 8) | byteAt(bytes, 9) << 8, 66u);   // header length
  EXPECT_EQ(byteAt(bytes, 10) | byteAt(bytes, 11) << 8, 4u);  // record length
  EXPECT_EQ(bytes.substr(12, 20), std::string(20, '\0'));
  EXPECT_EQ(bytes.substr(32, 11), std::string("SIFRA\0\0\0\0\0\0", 11));  // upper case name
  EXPECT_EQ(bytes[43], 'C');
  EXPECT_EQ(byteAt(bytes, 48), 3u);
  EXPECT_EQ(byteAt(bytes, 49), 0u);
  EXPECT_EQ(bytes.substr(50, 14), std::string(14, '\0'));
  EXPECT_EQ(byteAt(bytes, 64), 0x0Du);
  EXPECT_EQ(byteAt(bytes, 65), 0x00u);
  EXPECT_EQ(byteAt(bytes, 66), 0x1Au);
}

TEST(DbfFormat, HeaderCarriesTheDateOfTheLastUpdate) {
  store::DbfHeader header;
  header.headerLength = 66;
  header.recordLength = 4;
  header.recordCount = 258;
  auto fixed = store::encodeFixedHeader(header, 2023, 10, 16);
  EXPECT_EQ(fixed[1], 23);
  EXPECT_EQ(fixed[2], 10);
  EXPECT_EQ(fixed[3], 16);
  EXPECT_EQ(static_cast<unsigned char>(fixed[4]), 2u);  // 258 little-endian
  EXPECT_EQ(static_cast<unsigned char>(fixed[5]), 1u);
}

TEST(DbfFormat, WidthsOfDateLogicalAndMemoAreForced) {
  TempDir dir;
  auto t = makeTable(dir / "t.dbf", {{"d", 'D', 10, 2}, {"l", 'L', 5, 0}, {"m", 'M', 4, 0}});
  ASSERT_TRUE(t);
  Structure s = t->structure();
  EXPECT_EQ(s[0].width, 8);
  EXPECT_EQ(s[0].decimals, 0);
  EXPECT_EQ(s[1].width, 1);
  EXPECT_EQ(s[2].width, 10);
  EXPECT_EQ(t->recordLength(), 1u + 8 + 1 + 10);
  t->close();
  EXPECT_EQ(byteAt(readFileBytes(dir / "t.dbf"), 0), 0x83u);  // with a memo file
  EXPECT_EQ(readFileBytes(dir / "t.dbt").size(), 512u);
}

TEST(DbfFormat, CharacterFieldWiderThan255UsesTheDecimalsByte) {
  TempDir dir;
  auto t = makeTable(dir / "t.dbf", {{"Opis", 'C', 300, 0}});
  t->append();
  t->putString("opis", std::string(299, 'x') + "y");
  t->close();
  std::string bytes = readFileBytes(dir / "t.dbf");
  EXPECT_EQ(byteAt(bytes, 48), 300u % 256);
  EXPECT_EQ(byteAt(bytes, 49), 1u);
  auto again = openExclusive(dir / "t.dbf");
  EXPECT_EQ(again->fields()[0].def.width, 300);
  EXPECT_EQ(again->getString("OPIS").back(), 'y');
}

struct NumberCase {
  const char* name;
  double value;
  int width;
  int decimals;
  const char* stored;  // nullptr: refused as too wide
};

class NumberEncoding : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberEncoding, StoresRightAlignedWithDeclaredDecimals) {
  const NumberCase& c = GetParam();
  std::string field(static_cast<std::size_t>(c.width), '?');
  bool ok = store::codec::encodeNumber(field, c.value, c.decimals);
  if (c.stored == nullptr) {
    EXPECT_FALSE(ok);
    EXPECT_EQ(field, std::string(static_cast<std::size_t>(c.width), '?')) << "nothing written";
  } else {
    EXPECT_TRUE(ok);
    EXPECT_EQ(field, c.stored);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NumberEncoding,
    ::testing::Values(NumberCase{"Amount", 1234.5, 15, 3, "       1234.500"},
                      NumberCase{"HalfAwayFromZero", 1.0005, 15, 3, "          1.001"},
                      NumberCase{"NegativeHalfAwayFromZero", -1.0005, 15, 3, "         -1.001"},
                      NumberCase{"BinaryArtefactIgnored", 0.1 + 0.2, 6, 2, "  0.30"},
                      NumberCase{"RoundsUpIntoNewDigit", 9.9996, 7, 3, " 10.000"},
                      NumberCase{"Zero", 0.0, 5, 0, "    0"},
                      NumberCase{"NegativeZeroHasNoSign", -0.0004, 6, 3, " 0.000"},
                      NumberCase{"ExactFit", 12345.678, 9, 3, "12345.678"},
                      NumberCase{"TooWide", 123456.7, 9, 3, nullptr},
                      NumberCase{"TooWideAfterRounding", 99.9999, 6, 3, nullptr},
                      NumberCase{"SingleDigitField", 7, 1, 0, "7"},
                      NumberCase{"SingleDigitOverflow", 10, 1, 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DbfFormat, NumbersReadBackFromTheirText) {
  EXPECT_EQ(store::codec::decodeNumber("       1234.500"), 1234.5);
  EXPECT_EQ(store::codec::decodeNumber("         -2.250"), -2.25);
  EXPECT_EQ(store::codec::decodeNumber("               "), 0.0);
  EXPECT_EQ(store::codec::decodeNumber("*******"), 0.0);
}

TEST(DbfFormat, LogicalsReadTrueOnlyForTAndY) {
  for (const char* t : {"T", "t", "Y", "y"}) EXPECT_TRUE(store::codec::decodeLogical(t)) << t;
  for (const char* f : {"F", "f", "N", " ", "?", "1"})
    EXPECT_FALSE(store::codec::decodeLogical(f)) << f;
}

TEST(DbfFormat, DatesAreDigitsAndEmptyIsBlanks) {
  std::string field(8, '?');
  store::codec::encodeDate(field, Date::fromYmd(2023, 10, 16));
  EXPECT_EQ(field, "20231016");
  store::codec::encodeDate(field, Date());
  EXPECT_EQ(field, "        ");
  EXPECT_TRUE(store::codec::decodeDate("        ").empty());
  EXPECT_TRUE(store::codec::decodeDate("20230230").empty());
  EXPECT_EQ(store::codec::decodeDate("20240229"), Date::fromYmd(2024, 2, 29));
}

TEST(DbfFormat, RecordsFollowTheHeaderWithDeletionFlagAndEndMark) {
  TempDir dir;
  auto t = makeTable(
      dir / "t.dbf",
      {{"Sifra", 'C', 3, 0}, {"Iznos", 'N', 6, 2}, {"Dan", 'D', 8, 0}, {"Da", 'L', 1, 0}});
  t->append();
  t->putString("Sifra", "7");
  t->putNumber("Iznos", -3.5);
  t->putDate("Dan", Date::fromYmd(2019, 1, 2));
  t->putLogical("Da", true);
  t->append();
  t->putString("Sifra", "123456");  // cut to the width
  t->deleteRecord();
  t->close();
  std::string bytes = readFileBytes(dir / "t.dbf");
  const std::size_t header = 32 + 4 * 32 + 2;
  ASSERT_EQ(bytes.size(), header + 2 * 19 + 1);
  EXPECT_EQ(bytes.substr(header, 19), " 7   -3.5020190102T");
  EXPECT_EQ(bytes.substr(header + 19, 19), "*123" + std::string(15, ' '));
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(byteAt(bytes, 4), 2u);
}

}  // namespace
}  // namespace kavrina::test
