// kavrina-cli stampa razlike on a register of a few hundred random assets and a scanner file
// made from it: each section of the CSV holds exactly what the file changed, the PDF has
// the sections and the signatures, bad lines are listed, and the register's files keep
// every byte.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/pdf_text.h"
#include "depreciation/asset_builder.h"
#include "depreciation/register_folder.h"
#include "store/rec_lock.h"
#include "support/test_seed.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

// Section title -> the InvBr column of its rows, read back from the CSV. The titles hold
// commas and are quoted; the inventory numbers here never are.
std::map<std::string, std::multiset<std::string>> sectionsOf(const std::string& csv) {
  std::map<std::string, std::multiset<std::string>> out;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);  // header
  while (std::getline(lines, line)) {
    std::string title;
    std::size_t at = 0;
    if (line[0] == '"') {
      at = line.find('"', 1);
      title = line.substr(1, at - 1);
      at += 2;
    } else {
      at = line.find(',');
      title = line.substr(0, at);
      at += 1;
    }
    at = line.find(',', at) + 1;  // past the row number
    out[title].insert(line.substr(at, line.find(',', at) - at));
  }
  return out;
}

std::map<std::string, std::string> tableBytes(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() != ".ini")
      out[entry.path().lexically_relative(folder).string()] = readFileBytes(entry.path());
  return out;
}

const std::string kFound = "Pronadjeno";
const std::string kMissing = "Manjak";
const std::string kSurplus = "Visak";
const std::string kRepeated = "Skenirano vise puta";
const std::string kMoved = "Na drugoj lokaciji";

class CliDifferences : public ::testing::Test {
 protected:
  // `count` assets 1..count acquired in 2020, unit (n % 4) + 1; every 25th written off in
  // 2024 and every 40th acquired in 2026, after the count.
  void makeRegister(int count) {
    std::vector<store::AssetRecord> assets;
    for (int n = 1; n <= count; ++n) {
      auto a = assetNo(std::to_string(n)).acquired(n % 40 == 0 ? "10.01.2026" : "15.03.2020");
      if (n % 25 == 0) a.writtenOff("20.06.2024");
      assets.push_back(a);
    }
    folder_.addAssets(assets);
    store::DbfTable& mdos = folder_.program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      const int n = std::stoi(mdos.getString("InvBr"));
      ASSERT_TRUE(store::writeRecord(folder_.program(), "MDOS", false, [&](store::DbfTable& t) {
        t.putString("Naziv", "Sredstvo " + std::to_string(n));
        t.putNumber("ODeo", n % 4 + 1);
      }));
    }
  }
  static bool belongs(int n) { return n % 25 != 0 && n % 40 != 0; }

  CliRun differences(const std::vector<std::string>& scanFiles) {
    std::vector<std::string> args = {"stampa", "razlike", "--na-dan", "31.12.2025"};
    for (const auto& f : scanFiles) args.insert(args.end(), {"--skenirano", f});
    args.insert(args.end(), {"--csv", csv().string(), "--pdf", pdf().string()});
    return runOnFolder(folder_.path(), elsewhere_.path(), args);
  }
  fs::path csv() const { return elsewhere_.path() / "razlike.csv"; }
  fs::path pdf() const { return elsewhere_.path() / "razlike.pdf"; }

  RegisterFolder folder_;
  TempDir elsewhere_{folder_.path().parent_path()};
};

TEST_F(CliDifferences, EachSectionHoldsExactlyWhatTheScanChanged) {
  constexpr int kAssets = 300;
  makeRegister(kAssets);
  const std::uint32_t seed = testSeed();
  SCOPED_TRACE(seedNote(seed));
  std::mt19937 random(seed);

  std::map<std::string, std::multiset<std::string>> expected;
  std::string scan;
  for (int n = 1; n <= kAssets; ++n) {
    const std::string code = std::to_string(n);
    const int unit = n % 4 + 1;
    const int draw = static_cast<int>(random() % 20);
    if (!belongs(n)) {
      if (draw < 10) continue;  // lying about, not scanned
      scan += code + ";" + std::to_string(unit) + "\r\n";
      expected[kSurplus].insert(code);
      continue;
    }
    if (draw == 0) {  // removed
      expected[kMissing].insert(code);
      continue;
    }
    expected[kFound].insert(code);
    if (draw == 1) {  // read at another unit
      scan += code + ";" + std::to_string(unit % 4 + 1) + "\r\n";
      expected[kMoved].insert(code);
    } else {
      scan += code + ";" + std::to_string(unit) + "\r\n";
    }
    if (draw == 2) {  // read twice
      scan += code + ";" + std::to_string(unit) + "\r\n";
      expected[kRepeated].insert(code);
    }
  }
  for (const std::string extra : {"9001", "0007", "X-12"}) {
    scan += extra + ";1\r\n";
    expected[kSurplus].insert(extra);
  }
  writeFileBytes(elsewhere_.path() / "popis.txt", scan);
  const auto before = tableBytes(folder_.path());

  const CliRun r = differences({(elsewhere_.path() / "popis.txt").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto got = sectionsOf(readFileBytes(csv()));
  for (const auto& title : {kFound, kMissing, kSurplus, kRepeated, kMoved})
    EXPECT_EQ(got[title], expected[title]) << title;
  EXPECT_EQ(tableBytes(folder_.path()), before) << "a count changes nothing in the register";

  const std::string text = poppler("pdftotext", pdf());
  for (const std::string& heading : std::vector<std::string>{
           "1. " + kFound, "2. " + kMissing, "3. " + kSurplus, "4. " + kRepeated, "5. " + kMoved,
           "Ukupno: " + std::to_string(expected[kFound].size()), "Clanovi popisne komisije:"}) {
    EXPECT_NE(text.find(heading), std::string::npos) << heading;
  }
  EXPECT_NE(r.out.find("Pronadjeno: " + std::to_string(expected[kFound].size()) +
                       ", manjak: " + std::to_string(expected[kMissing].size())),
            std::string::npos)
      << r.out;
}

TEST_F(CliDifferences, ScannerFilesAsTheyComeAreTakenAndTheirBadLinesListed) {
  makeRegister(10);
  // A BOM, CR LF, blank lines, a binary line; a second file without locations.
  const char kFileA[] =
      "\xEF\xBB\xBF"
      "1\r\n\r\n2\r\n\x00\x07\xFF\xFE\r\n  \r\n3";
  writeFileBytes(elsewhere_.path() / "a.txt", std::string(kFileA, sizeof kFileA - 1));
  writeFileBytes(elsewhere_.path() / "b.txt", "3\n4\n\n");
  const auto before = tableBytes(folder_.path());
  const CliRun r =
      differences({(elsewhere_.path() / "a.txt").string(), (elsewhere_.path() / "b.txt").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string csvText = readFileBytes(csv());
  EXPECT_NE(csvText.find(kSurplus + ",1,\\x00\\x07\\xFF\\xFE,,\"neispravan red (a.txt, red 4)\""),
            std::string::npos)
      << csvText;
  auto got = sectionsOf(csvText);
  EXPECT_EQ(got[kFound], (std::multiset<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(got[kRepeated], (std::multiset<std::string>{"3"}));
  EXPECT_EQ(got[kMissing], (std::multiset<std::string>{"5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(got.count(kMoved), 0u) << "no file named a location";
  EXPECT_NE(r.out.find("Neispravnih redova u fajlovima skenera: 1"), std::string::npos) << r.out;
  EXPECT_EQ(tableBytes(folder_.path()), before);

  // A file that cannot be read stops the document with its message.
  fs::remove(pdf());
  fs::remove(csv());
  const CliRun missing = differences({(elsewhere_.path() / "nema.txt").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("nema.txt ne moze da se procita."), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace kavrina::test
