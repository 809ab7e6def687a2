// A table we wrote, read back by an independent DBF reader: every value must be equal.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#include "common/decimal.h"
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
          text = def.name == "INVBR" ? std::to_string(i) : "Naziv " + std::to_string(i * 7919 % 1000);
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
  std::string actual = runAndCapture("/usr/bin/python3 " KAVRINA_DBFREAD_DUMP " " + (dir / "MDOS.dbf").string());
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace kavrina::test
