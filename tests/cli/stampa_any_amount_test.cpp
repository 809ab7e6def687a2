// kavrina-cli documents whatever the register holds: totals of a billion dinars and more and
// row numbers past 9999 without asterisks, inventory numbers with letters, the report font
// of the settings, and data on standard output from its first byte.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/pdf_text.h"
#include "common/text.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "settings/ini_files.h"
#include "store/rec_lock.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

class CliAnyAmount : public ::testing::Test {
 protected:
  CliRun run(const std::vector<std::string>& args) {
    return runOnFolder(folder_.path(), elsewhere_.path(), args);
  }
  // Prints `args` to a new PDF beside the user; answers the PDF.
  fs::path printed(std::vector<std::string> args) {
    const fs::path pdf =
        elsewhere_.path() / (args.at(1) + "-" + std::to_string(++printedCount_) + ".pdf");
    args.insert(args.end(), {"--pdf", pdf.string()});
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return pdf;
  }
  void name(const std::string& invBr, const std::string& naziv) {
    store::DbfTable& mdos = folder_.program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      if (std::string(text::trimBlanks(mdos.getString("InvBr"))) != invBr) continue;
      ASSERT_TRUE(store::writeRecord(folder_.program(), "MDOS", false,
                                     [&](store::DbfTable& t) { t.putString("Naziv", naziv); }));
      return;
    }
    FAIL() << "no asset " << invBr;
  }

  RegisterFolder folder_;
  TempDir elsewhere_{folder_.path().parent_path()};
  int printedCount_ = 0;
};

// The line of `text` (pdftotext -layout) that holds `needle`; empty when none does.
std::string lineWith(const std::string& text, const std::string& needle) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(needle) != std::string::npos) return line;
  }
  return {};
}

TEST_F(CliAnyAmount, ElevenThousandSixHundredAssetsPrintTheirBillionsAndRowTenThousand) {
  std::vector<store::AssetRecord> assets;
  for (int i = 1; i <= 11600; ++i)
    assets.push_back(assetNo(std::to_string(i))
                         .acquired("15.03.2015")
                         .accounting(100000, 10, 1)
                         .tax(100000, 1, 2.5));
  folder_.addAssets(assets);
  ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2023, 12, true, true}, {}).done);

  const struct {
    std::vector<std::string> args;
    std::string total;  // a total of 11,600 × 100,000.00 as the document prints it
  } documents[] = {
      {{"stampa", "ora", "--godina", "2023"}, "1,160,000,000.00"},
      {{"stampa", "opa", "--godina", "2023"}, "1,160,000,000.00"},
      {{"stampa", "spisak", "--na-dan", "31.12.2023"}, "1,160,000,000.00"},
      {{"stampa", "popis", "--na-dan", "31.12.2023"}, ""},
  };
  for (const auto& d : documents) {
    const fs::path pdf = printed(d.args);
    EXPECT_GE(pdfPageCount(pdf), 232) << d.args[1] << ": 50 rows a page";
    const std::string all = poppler("pdftotext -layout", pdf);
    EXPECT_EQ(all.find('*'), std::string::npos) << d.args[1];
    if (!d.total.empty()) {
      EXPECT_NE(all.find(d.total), std::string::npos) << d.args[1];
    }
    // Row 10000 closes page 200, row 10001 opens page 201.
    EXPECT_NE(pdfPageText(pdf, 200).find("10000"), std::string::npos) << d.args[1];
    EXPECT_NE(pdfPageText(pdf, 201).find("10001"), std::string::npos) << d.args[1];
    EXPECT_NE(pdfPageText(pdf, 232).find("11600"), std::string::npos) << d.args[1];
  }
}

TEST_F(CliAnyAmount, InventoryNumbersWithLettersFindTheirOwnCardAndRegisterRow) {
  folder_.addAssets({
      assetNo("17").acquired("10.02.2023").accounting(1700, 10, 1).tax(1700, 2, 10),
      assetNo("A-17").acquired("15.03.2023").accounting(2500, 10, 1).tax(2500, 2, 10),
      assetNo("B-2").acquired("20.04.2023").accounting(3300, 10, 1).tax(3300, 2, 10),
  });
  name("17", "BROJCANO SREDSTVO");
  name("A-17", "SLOVNO SREDSTVO A");
  name("B-2", "SLOVNO SREDSTVO B");
  ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2023, 12, true, true}, {}).done);

  const std::string register2019 =
      poppler("pdftotext -layout", printed({"stampa", "evidencija2019", "--godina", "2023"}));
  const struct {
    std::string invBr, naziv, date, amount;
  } cases[] = {{"17", "BROJCANO SREDSTVO", "10.02.23", "1,700.00"},
               {"A-17", "SLOVNO SREDSTVO A", "15.03.23", "2,500.00"},
               {"B-2", "SLOVNO SREDSTVO B", "20.04.23", "3,300.00"}};
  for (const auto& c : cases) {
    const std::string row = lineWith(register2019, " " + c.invBr + " ");
    EXPECT_NE(row.find(c.naziv), std::string::npos) << c.invBr << ": " << row;
    EXPECT_NE(row.find(c.date), std::string::npos) << c.invBr << ": " << row;
    EXPECT_NE(row.find(c.amount), std::string::npos) << c.invBr << ": " << row;

    const std::string card =
        poppler("pdftotext", printed({"stampa", "kartica", "--invbr", c.invBr}));
    for (const auto& other : cases)
      EXPECT_EQ(card.find(other.naziv) != std::string::npos, other.invBr == c.invBr)
          << "card of " << c.invBr << ":\n"
          << card;
  }
  const CliRun missing = run({"stampa", "kartica", "--invbr", "C-3", "--pdf", "x.pdf"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Nije pronadjeno osnovno sredstvo sa inventarskim brojem C-3.\n");
}

TEST_F(CliAnyAmount, DocumentsAreInTheReportFontOfTheSettings) {
  folder_.addAssets({assetNo("1").acquired("10.02.2023").accounting(1700, 10, 1).tax(1700, 2, 10)});
  const struct {
    std::string name, size, pdfFont;
  } fonts[] = {{"DejaVu Serif", "10", "DejaVuSerif"}, {"DejaVu Sans Mono", "7", "DejaVuSansMono"}};
  for (const auto& f : fonts) {
    settings::WRITEINI("Programska podesavanja", "Font-Name", f.name);
    settings::WRITEINI("Programska podesavanja", "Font-Size", f.size);
    const std::string used =
        poppler("pdffonts", printed({"stampa", "spisak", "--na-dan", "31.12.2023"}));
    EXPECT_NE(used.find(f.pdfFont), std::string::npos) << used;
    EXPECT_EQ(used.find("Liberation"), std::string::npos) << used;
    EXPECT_EQ(used.find("Arial"), std::string::npos) << used;
  }
}

TEST_F(CliAnyAmount, IzvozIsCsvFromItsFirstByteWhenAStructureUpgradeRunsFirst) {
  folder_.addAssets({assetNo("1").acquired("10.02.2023").accounting(1700, 10, 1).tax(1700, 2, 10)});
  folder_.program().areas.closeAll();
  settings::WRITEINI("Program", "Verzija", "1.06");
  const CliRun r = run({"izvoz", "MDOS"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 11), "InvBr,Naziv") << r.out;
  EXPECT_NE(r.out.find("\n1,"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("Procedura provere strukture baza podataka je uspesno zavrsena"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(settings::READINI("Program", "Verzija", "?"), "1.07");
}

}  // namespace
}  // namespace kavrina::test
