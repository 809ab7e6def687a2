// Scanner files as scanners and people leave them: a byte-order mark, CR LF, blank lines,
// locations, binary garbage and files that are no files.
#include "import/scan_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kavrina::import {
namespace {

// "line: code [@ location]" or "line: ! shown" for an unreadable line.
std::vector<std::string> described(const std::vector<ScanLine>& lines) {
  std::vector<std::string> out;
  for (const ScanLine& l : lines) {
    std::string d = std::to_string(l.line) + ": " + (l.readable ? "" : "! ") + l.code;
    if (l.location) d += " @ " + *l.location;
    out.push_back(d);
  }
  return out;
}

TEST(ScanFile, TakesWhatScannersWriteAndKeepsBadLinesAsRead) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"bom, crlf, blank lines",
       "\xEF\xBB\xBF"
       "00123\r\n\r\n  45 \r\n\r\nA-17\r\n",
       {"1: 00123", "3: 45", "5: A-17"}},
      {"no line end at the end", "1\n2", {"1: 1", "2: 2"}},
      {"locations",
       "7;3\r\n8 ; Magacin 2\n9;\n;4\n",
       {"1: 7 @ 3", "2: 8 @ Magacin 2", "3: 9", "4: ! ;4 @ 4"}},
      {"binary line",
       std::string("12\n\x00\x01\xFFPK\x03\n13\n", 12),
       {"1: 12", "2: ! \\x00\\x01\\xFFPK\\x03", "3: 13"}},
      {"not utf-8",
       "\x9A"
       "rafciger\n",
       {"1: ! \\x9Arafciger"}},
      {"serbian letters", "Šraf-1;Đakovo\n", {"1: Šraf-1 @ Đakovo"}},
      {"only blanks", "\r\n \n\t\n", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(described(parseScanText(c.bytes, "s.txt")), c.lines) << c.name;
}

TEST(ScanFile, ReadsFilesInOrderAndRefusesWhatIsNoFile) {
  test::TempDir dir;
  test::writeFileBytes(dir / "a.txt", "1\n2\n");
  test::writeFileBytes(dir / "b.txt",
                       "\xEF\xBB\xBF"
                       "2\r\n3\r\n");
  const ScanFilesRead read = readScanFiles({dir / "a.txt", dir / "b.txt"});
  EXPECT_FALSE(read.error);
  ASSERT_EQ(read.lines.size(), 4u);
  EXPECT_EQ(read.lines[2].file, "b.txt");
  EXPECT_EQ(read.lines[2].code, "2");

  struct Refused {
    std::filesystem::path file;
    std::string message;
  };
  const Refused refused[] = {
      {dir / "nema.txt", "ne moze da se procita"},
      {dir.path(), "Zadat je folder"},
      {"/dev/null", "nije obican fajl"},
  };
  for (const Refused& r : refused) {
    const ScanFilesRead out = readScanFiles({dir / "a.txt", r.file});
    ASSERT_TRUE(out.error) << r.file;
    EXPECT_NE(out.error->find(r.message), std::string::npos) << *out.error;
    EXPECT_TRUE(out.lines.empty());
  }
}

}  // namespace
}  // namespace kavrina::import
