// kavrina-cli stampa nalog and --xlsx: the booking note as PDF, CSV and XLSX from the command
// line, the documents with a workbook written as XLSX and read back by openpyxl, and the
// output rules of the PDFs (place, --presnimi) for the new files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "reports/xlsx_dump.h"
#include "store/rec_lock.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

class CliSpreadsheets : public ::testing::Test {
 protected:
  void SetUp() override {
    // Twelve assets on accounts 0120 (1..4), 0230 (5..8) and 0500 (9..12), group II.
    std::vector<store::AssetRecord> assets;
    for (int i = 1; i <= 12; ++i)
      assets.push_back(assetNo("00" + std::to_string(i))
                           .acquired("15.03.2018")
                           .accounting(1000.0 * i, 10, 1)
                           .tax(1000.0 * i, 2, 10));
    folder_.addAssets(assets);
    store::DbfTable& mdos = folder_.program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      const int n = std::stoi(mdos.getString("InvBr"));
      ASSERT_TRUE(store::writeRecord(folder_.program(), "MDOS", false, [&](store::DbfTable& t) {
        t.putString("Naziv", "Sredstvo, broj " + std::to_string(n));
        t.putNumber("Konto", n <= 4 ? 120 : n <= 8 ? 230 : 500);
        t.putNumber("DuzKonta", 4);
      }));
    }
    ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2023, 12, true, true}, {}).done);
    ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2024, 6, true, true}, {}).done);
  }
  CliRun run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", folder_.path().string()});
    return runKavrinaCli(args, elsewhere_.path(), {{"KAVRINA_HOME", ""}});
  }
  fs::path out(const std::string& name) const { return elsewhere_.path() / name; }

  RegisterFolder folder_;
  // Beside the program folder: the temporary folder the program folder sets lies inside it.
  TempDir elsewhere_{folder_.path().parent_path()};
};

TEST_F(CliSpreadsheets, BookingNoteAsCsvXlsxAndPdf) {
  const CliRun csv = run(
      {"stampa", "nalog", "--godina", "2024", "--meseci", "6", "--csv", out("nalog.csv").string()});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(csv.out, "Sacuvan CSV: " + out("nalog.csv").string() + " (redova: 4)\n");
  // Accounts 0120 and 0230: half a year of 10% on 10,000 and 26,000; 0500 has no pair.
  EXPECT_EQ(readFileBytes(out("nalog.csv")),
            "Datum,Konto,Opis,Duguje,Potrazuje\r\n"
            "30.06.2024,540,\"Amortizacija 2024 (6 mes.), konto 0120\",500.00,0.00\r\n"
            "30.06.2024,019,\"Amortizacija 2024 (6 mes.), konto 0120\",0.00,500.00\r\n"
            "30.06.2024,540,\"Amortizacija 2024 (6 mes.), konto 0230\",1300.00,0.00\r\n"
            "30.06.2024,029,\"Amortizacija 2024 (6 mes.), konto 0230\",0.00,1300.00\r\n");

  const CliRun perAsset = run({"stampa", "nalog", "--godina", "2024", "--meseci", "6",
                               "--po-sredstvu", "--csv", out("nalog.csv").string(), "--presnimi"});
  ASSERT_EQ(perAsset.exitCode, 0) << perAsset.err;
  EXPECT_NE(readFileBytes(out("nalog.csv"))
                .find("30.06.2024,029,\"Amortizacija 2024 (6 mes.), 005 Sredstvo, broj 5\",0.00,"
                      "250.00\r\n"),
            std::string::npos);

  const CliRun xlsx = run(
      {"stampa", "nalog", "--godina", "2024", "--meseci", "6", "--xlsx", out("n.xlsx").string()});
  ASSERT_EQ(xlsx.exitCode, 0) << xlsx.err;
  EXPECT_EQ(xlsx.out, "Sacuvan XLSX: " + out("n.xlsx").string() + " (listova: 2)\n");
  const auto cells = xlsxCells(out("n.xlsx"));
  EXPECT_EQ(xlsxCell(cells, "Nalog!B7"), "s 0120");
  EXPECT_EQ(xlsxCell(cells, "Nalog!E8"), "s 029");
  EXPECT_EQ(xlsxCell(cells, "Nalog!F9"), "f =SUM(F7:F8) = 1800 #,##0.00");
  EXPECT_EQ(xlsxCell(cells, "Bez konta ispravke!B7"), "s 0500");

  const CliRun pdf =
      run({"stampa", "nalog", "--godina", "2024", "--meseci", "6", "--pdf", out("n.pdf").string()});
  EXPECT_EQ(pdf.exitCode, 0) << pdf.err;
  EXPECT_EQ(pdf.out, "Sacuvan PDF: " + out("n.pdf").string() + " (strana: 1)\n");
}

TEST_F(CliSpreadsheets, DocumentsWithAWorkbookAreWrittenAsXlsx) {
  const CliRun oa = run({"stampa", "oa", "--godina", "2023", "--xlsx", out("oa.xlsx").string()});
  ASSERT_EQ(oa.exitCode, 0) << oa.err;
  const auto oaCells = xlsxCells(out("oa.xlsx"));
  EXPECT_EQ(xlsxCell(oaCells, "OA!A7"), "s II");
  // Every amount a number; each total the sum of its column, stored.
  for (const char column : std::string("BCDEGH")) {
    double sum = 0;
    for (int row = 7; row <= 10; ++row) {
      const std::string cell =
          xlsxCell(oaCells, "OA!" + std::string(1, column) + std::to_string(row));
      ASSERT_TRUE(cell.starts_with("n ") && cell.ends_with(" #,##0.00")) << column << row << cell;
      sum += std::stod(cell.substr(2));
    }
    const std::string total = xlsxCell(oaCells, "OA!" + std::string(1, column) + "11");
    const std::string formula = "f =SUM(" + std::string(1, column) + "7:" + column + "10) = ";
    ASSERT_TRUE(total.starts_with(formula)) << total;
    EXPECT_DOUBLE_EQ(std::stod(total.substr(formula.size())), sum) << column;
  }
  EXPECT_NE(xlsxCell(oaCells, "OA!G7"), "n 0 #,##0.00") << "group II depreciated in 2023";

  // The list documents through the list-report engine: the statement with its totals.
  const CliRun ora = run({"stampa", "ora", "--godina", "2023", "--xlsx", out("ora.xlsx").string()});
  ASSERT_EQ(ora.exitCode, 0) << ora.err;
  EXPECT_EQ(ora.out, "Sacuvan XLSX: " + out("ora.xlsx").string() + " (listova: 1)\n");
  const auto oraCells = xlsxCells(out("ora.xlsx"));
  EXPECT_NE(std::find_if(oraCells.begin(), oraCells.end(),
                         [](const std::string& line) {
                           return line.find("!B") != std::string::npos && line.ends_with(" s 001");
                         }),
            oraCells.end())
      << "the inventory number keeps its leading zeros";
  const CliRun spisak = run({"stampa", "spisak", "--xlsx", out("spisak.xlsx").string()});
  EXPECT_EQ(spisak.exitCode, 0) << spisak.err;

  const CliRun card =
      run({"stampa", "kartica", "--invbr", "5", "--xlsx", out("kartica.xlsx").string()});
  ASSERT_EQ(card.exitCode, 0) << card.err;
  const auto cardCells = xlsxCells(out("kartica.xlsx"));
  EXPECT_EQ(xlsxCell(cardCells, "Racunovodstvena!A4"), "s Sredstvo, broj 5");
  EXPECT_EQ(xlsxCell(cardCells, "Racunovodstvena!A5").rfind("s Inventarski broj: 005", 0), 0u);
  EXPECT_EQ(xlsxCell(cardCells, "Racunovodstvena!A10"), "n 2023 #,##0.###");
}

TEST_F(CliSpreadsheets, OutputRulesOfThePdfsHoldForTheNewFiles) {
  writeFileBytes(out("old.xlsx"), "old");
  const CliRun refused = run(
      {"stampa", "nalog", "--godina", "2024", "--meseci", "6", "--xlsx", out("old.xlsx").string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("--presnimi"), std::string::npos) << refused.err;
  EXPECT_EQ(readFileBytes(out("old.xlsx")), "old");

  const CliRun inFolder = run({"stampa", "nalog", "--godina", "2024", "--meseci", "6", "--csv",
                               (folder_.path() / "n.csv").string()});
  EXPECT_EQ(inFolder.exitCode, 1);
  EXPECT_FALSE(fs::exists(folder_.path() / "n.csv"));

  const CliRun missing =
      run({"stampa", "nalog", "--godina", "2022", "--csv", out("x.csv").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Nema obracuna amortizacije za 2022. godinu"), std::string::npos);
  EXPECT_FALSE(fs::exists(out("x.csv")));

  const CliRun help = run({"stampa", "nalog", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("stampa nalog --godina Y [--meseci P] [--po-sredstvu] (--pdf FAJL | "
                          "--csv FAJL | --xlsx FAJL)"),
            std::string::npos)
      << help.out;
}

}  // namespace
}  // namespace kavrina::test
