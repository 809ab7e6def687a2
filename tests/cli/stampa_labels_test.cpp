// kavrina-cli stampa nalepnice read back as a reader of the printed sheet would: each label's
// place cut out of the page rendered at 300 dpi (pdftoppm) and decoded by zbarimg, an
// independent Code 128 decoder; the names read from the text layer (pdftotext).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/pdf_text.h"
#include "common/text.h"
#include "depreciation/asset_builder.h"
#include "depreciation/register_folder.h"
#include "store/rec_lock.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

// Inventory numbers as a register may hold them, with the names that go with them.
const std::vector<std::pair<std::string, std::string>> kAssets = {
    {"00123", "Računar Đorđević"},  {"A-17", "Šrafciger čelični"},   {"7", "Sto žuti"},
    {"HR2024-0005", "Ćebe vuneno"}, {"987654321", "Ormar za spise"}, {"0001", "Stolica"},
    {"B12C", "Klima uređaj Gree"},  {"42", "Laptop Dell"},
};

std::string shell(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  if (pipe) ::pclose(pipe);
  return out;
}

// The sheet as the test writes it to Kavrina.ini, in millimetres.
struct Sheet {
  const char* name;
  std::string ini;  // the [Nalepnice] section, empty for the defaults
  int columns, rows;
  double width, height, left, top, columnGap, rowGap;
  int first;  // --od
};

void PrintTo(const Sheet& sheet, std::ostream* out) {
  *out << sheet.name;
}

class CliLabels : public ::testing::TestWithParam<Sheet> {
 protected:
  void SetUp() override {
    std::vector<store::AssetRecord> assets;
    for (const auto& [invBr, name] : kAssets)
      assets.push_back(assetNo(invBr).acquired("01.02.2021"));
    folder_.addAssets(assets);
    store::DbfTable& mdos = folder_.program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      const std::string invBr(kavrina::text::trimBlanks(mdos.getString("InvBr")));
      for (const auto& [number, name] : kAssets) {
        if (number != invBr) continue;
        ASSERT_TRUE(store::writeRecord(folder_.program(), "MDOS", false,
                                       [&](store::DbfTable& t) { t.putString("Naziv", name); }));
      }
    }
    ASSERT_TRUE(store::writeRecord(folder_.program(), "Firme", true, [](store::DbfTable& t) {
      t.putString("Sifra", "000");
      t.putString("Naziv", "Preduzeće Šumadija");
      t.putString("Mesto", "Kragujevac");
    }));
  }

  // The code zbarimg reads in the place of one label on page `page`, or "" for none.
  std::string decodedAt(const fs::path& pdf, int page, double left, double top, double width,
                        double height) {
    auto px = [](double mm) { return std::to_string(static_cast<int>(mm / 25.4 * 300)); };
    const fs::path png = elsewhere_.path() / "label";
    shell("pdftoppm -r 300 -gray -png -singlefile -f " + std::to_string(page) + " -l " +
          std::to_string(page) + " -x " + px(left) + " -y " + px(top) + " -W " + px(width) +
          " -H " + px(height) + " '" + pdf.string() + "' '" + png.string() + "'");
    std::string code = shell("zbarimg -q --raw '" + png.string() + ".png'");
    while (!code.empty() && (code.back() == '\n' || code.back() == '\r')) code.pop_back();
    fs::remove(png.string() + ".png");
    return code;
  }

  RegisterFolder folder_;
  TempDir elsewhere_{folder_.path().parent_path()};
};

TEST_P(CliLabels, EveryLabelDecodesToItsNumberInItsPlaceOfTheGrid) {
  const Sheet& s = GetParam();
  if (!s.ini.empty()) writeFileBytes(folder_.path() / "Kavrina.ini", "[Nalepnice]\n" + s.ini);
  const fs::path pdf = elsewhere_.path() / "nalepnice.pdf";
  const CliRun r =
      runOnFolder(folder_.path(), elsewhere_.path(),
                  {"stampa", "nalepnice", "--od", std::to_string(s.first), "--pdf", pdf.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  std::vector<std::string> order;
  for (const auto& asset : kAssets) order.push_back(asset.first);
  const int perPage = s.columns * s.rows;
  const int pages = (s.first - 1 + static_cast<int>(order.size()) + perPage - 1) / perPage;
  EXPECT_EQ(pdfPageCount(pdf), pages);
  std::vector<std::string> read;
  for (int page = 1; page <= pages; ++page) {
    for (int position = 0; position < perPage; ++position) {
      const double left = s.left + (position % s.columns) * (s.width + s.columnGap);
      const double top = s.top + (position / s.columns) * (s.height + s.rowGap);
      const std::string code = decodedAt(pdf, page, left, top, s.width, s.height);
      const int index = (page - 1) * perPage + position - (s.first - 1);
      if (index < 0 || index >= static_cast<int>(order.size())) {
        EXPECT_EQ(code, "") << s.name << ": place " << position + 1 << " of page " << page
                            << " stays empty";
      } else {
        read.push_back(code);
      }
    }
  }
  // Which number lies where follows the list's order; every number is read once.
  std::vector<std::string> expected = order;
  std::sort(expected.begin(), expected.end());
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, expected) << s.name;

  const std::string text = poppler("pdftotext", pdf);
  for (const auto& [number, name] : kAssets) {
    EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_NE(text.find(number), std::string::npos) << number;
  }
  EXPECT_NE(text.find("Preduzeće Šumadija"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CliLabels,
    ::testing::Values(Sheet{"default3x8", "", 3, 8, 70, 37, 0, 0.5, 0, 0, 1},
                      Sheet{"default3x8from23", "", 3, 8, 70, 37, 0, 0.5, 0, 0, 23},
                      Sheet{"own2x5",
                            "Kolone=2\nRedovi=5\nSirina=90\nVisina=50\nLevo=10\nGore=15\n"
                            "Razmak kolona=5\nRazmak redova=3\n",
                            2, 5, 90, 50, 10, 15, 5, 3, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliLabelOptions, RefusedSheetsAndPositionsPrintNothing) {
  struct Case {
    const char* ini;
    const char* od;
    const char* message;
  };
  const Case cases[] = {
      {"", "25", "Prva nalepnica mora biti od 1 do 24."},
      {"", "0", "Prva nalepnica mora biti od 1 do 24."},
      {"Kolone=3\nSirina=80\n", "1", "ne staje na A4"},
      {"Visina=10\n", "1", "najmanje 30 x 20 mm"},
  };
  for (const Case& c : cases) {
    RegisterFolder folder;
    folder.addAssets({assetNo("1").acquired("01.02.2021")});
    TempDir elsewhere{folder.path().parent_path()};
    writeFileBytes(folder.path() / "Kavrina.ini", std::string("[Nalepnice]\n") + c.ini);
    const fs::path pdf = elsewhere.path() / "n.pdf";
    const CliRun r = runOnFolder(folder.path(), elsewhere.path(),
                                 {"stampa", "nalepnice", "--od", c.od, "--pdf", pdf.string()});
    EXPECT_EQ(r.exitCode, 1) << c.ini << c.od;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf));
  }
}

}  // namespace
}  // namespace kavrina::test
