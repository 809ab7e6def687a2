// A table we wrote, read back by an independent DBF reader: every value must be equal; and a
// table another program wrote, read by ours.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#include "common/decimal.h"
#include "common/windows_1250.h"
#include "dbf_test_util.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

std::string runAndCapture(const std::string& command) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 4096> buf{};
  std::size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
  EXPECT_EQ(::pclose(pipe), 0) << command;
  return out;
}

std::string rtrim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

TEST(DbfInterop, IndependentReaderReadsEveryValueOfAnAssetRegister) {
  TempDir dir;
  auto t = makeTable(dir / "MDOS.dbf", store::schema::mdos());
  std::mt19937 rng(20231016);
  std::uniform_real_distribution<double> amount(-1e6, 1e9);
  std::uniform_int_distribution<int> day(0, 9000), small(0, 9);
  std::string expected;
  for (int i = 1; i <= 300; ++i) {
    t->append();
    std::string line;
    for (std::size_t f = 0; f < t->fieldCount(); ++f) {
      const store::FieldDef& def = t->fields()[f].def;
      std::string text;
      switch (def.type) {
        case 'C':
          text =
              def.name == "INVBR" ? std::to_string(i) : "Naziv " + std::to_string(i * 7919 % 1000);
          t->putString(static_cast<int>(f), text);
          break;
        case 'D': {
          Date d = i % 5 == 0 ? Date() : Date::fromYmd(2000, 1, 1).addDays(day(rng));
          t->putDate(static_cast<int>(f), d);
          text = d.toText();
          break;
        }
        case 'N': {
          // Amounts anywhere in their range; small fields filled up to their width.
          const int wholeDigits = def.width - (def.decimals ? def.decimals + 1 : 0);
          double v = def.width >= 15 ? amount(rng)
                                     : (i * 7919) % static_cast<int>(std::pow(10, wholeDigits)) +
                                           (def.decimals ? 0.25 * (i % 4) : 0);
          if (def.width == 1) v = small(rng);
          t->putNumber(static_cast<int>(f), v);
          text = formatFixed(v, def.decimals);
          break;
        }
      }
      line += (f ? "\t" : "") + rtrim(text);
    }
    expected += line + "\n";
  }
  t->close();
  std::string actual =
      runAndCapture("/usr/bin/python3 " KAVRINA_DBFREAD_DUMP " " + (dir / "MDOS.dbf").string());
  EXPECT_EQ(actual, expected);
}

std::string dumpedByIndependentReader(const std::filesystem::path& table) {
  return runAndCapture("/usr/bin/python3 " KAVRINA_DBFREAD_DUMP " " + table.string());
}

TEST(DbfInterop, SerbianLettersAreStoredWholeOneByteEachInWindows1250) {
  TempDir dir;
  const std::string name = "Ražić Đurđević Čučkić Šoš Kraj";
  ASSERT_EQ(win1250::letterCount(name), 30u);
  {
    auto t = makeTable(dir / "Firme.dbf", {{"Sifra", 'C', 3, 0}, {"Naziv", 'C', 30, 0}});
    t->append();
    t->putString("Sifra", "001");
    t->putString("Naziv", name);
    // A letter Windows-1250 has no place for is refused; the field keeps its text.
    EXPECT_DRIVER_ERROR(t->putString("Naziv", "Жарко"), errors::gen::kDataType,
                        errors::sub::kDataType);
    t->close();
  }
  auto t = openShared(dir / "Firme.dbf");
  t->goTop();
  EXPECT_EQ(t->getString("Naziv"), name) << "30 letters in a field of 30: nothing cut";
  // The record after the 98-byte header: deletion flag, "001", then the name.
  const std::string bytes = readFileBytes(dir / "Firme.dbf");
  EXPECT_EQ(bytes.substr(102, 30),
            "Ra\x9Ei\xE6 \xD0ur\xF0"
            "evi\xE6 \xC8u\xE8ki\xE6 \x8Ao\x9A Kraj");
  EXPECT_EQ(dumpedByIndependentReader(dir / "Firme.dbf"), "001\t" + name + "\n");
}

TEST(DbfInterop, ATableWrittenElsewhereInWindows1250WithATenWideDateIsReadAndWritten) {
  TempDir dir;
  // "Đorđe Čučković" in Windows-1250, and 16.10.2023 in a date field declared 10 wide.
  const std::string naziv =
      "\xD0or\xF0"
      "e \xC8u\xE8kovi\xE6      ";
  writeFileBytes(dir / "MDOS.dbf",
                 foreignTableBytes({{"NAZIV", 'C', 20, 0}, {"DATUMN", 'D', 10, 0}},
                                   {{naziv, "20231016  "}, {std::string(20, ' '), "          "}}));
  {
    auto t = openExclusive(dir / "MDOS.dbf");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->fields()[1].def.width, 10);
    t->goTop();
    EXPECT_EQ(t->getString("NAZIV"), "Đorđe Čučković      ");
    EXPECT_EQ(t->getDate("DATUMN"), Date::fromYmd(2023, 10, 16));
    t->putString("NAZIV", "Šumarija Žabalj");
    t->putDate("DATUMN", Date::fromYmd(2024, 2, 29));
    t->skip();
    EXPECT_TRUE(t->getDate("DATUMN").empty());
    t->close();
  }
  // Written at the declared width: the digits, then blanks.
  const std::string bytes = readFileBytes(dir / "MDOS.dbf");
  EXPECT_EQ(bytes.substr(99, 30),
            "\x8Aumarija \x8E"
            "abalj     20240229  ");
  EXPECT_EQ(dumpedByIndependentReader(dir / "MDOS.dbf"), "Šumarija Žabalj\t29.02.2024\n\t\n");
}

}  // namespace
}  // namespace kavrina::test
