// The five-salary amount: stored as the number itself, and read in full also from the text
// with thousands commas that an older version stored.
#include <gtest/gtest.h>

#include "settings/settings_keys.h"
#include "support/temp_dir.h"

namespace kavrina::settings {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

TEST(AmountSetting, IsWrittenAsTheNumberWithTwoDecimals) {
  TempDir dir;
  IniFiles files(dir.path());
  ASSERT_TRUE(write(files, kProsecnaZaradaX5, 2500000.0));
  EXPECT_EQ(readFileBytes(dir / "Kavrina.ini"),
            "[Programska podesavanja]\nProsecnaZaradaX5=2500000.00\n");
  EXPECT_EQ(read(files, kProsecnaZaradaX5), 2500000);
}

TEST(AmountSetting, OlderTextWithThousandsCommasReadsInFull) {
  struct Case {
    const char* stored;
    double value;
  };
  for (const Case& c : {Case{"2,500,000.00", 2500000}, Case{"  512,345.50", 512345.5},
                        Case{"999.99", 999.99}, Case{"1,000", 1000}, Case{"abc", 0}, Case{"", 0}}) {
    TempDir dir;
    writeFileBytes(
        dir / "Kavrina.ini",
        std::string("[Programska podesavanja]\r\nProsecnaZaradaX5=") + c.stored + "\r\n");
    EXPECT_EQ(read(IniFiles(dir.path()), kProsecnaZaradaX5), c.value) << c.stored;
  }
}

}  // namespace
}  // namespace kavrina::settings
