// Every list report saved as XLSX and read back by openpyxl: each printed row's cells are what
// the recorded page shows in that row's slot (texts equal, amounts and counts the printed
// number as a number, dates the printed date as a date cell), inventory numbers keep their
// leading zeros, and each total's stored value is the sum of its column.
#include <gtest/gtest.h>

#include <cmath>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/text.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/ucitaj_pamram.h"
#include "reports/asset_list.h"
#include "reports/company_list.h"
#include "reports/evidencija_2019.h"
#include "reports/inventory_list.h"
#include "reports/list_engine.h"
#include "reports/obrazac_poa.h"
#include "reports/report_fixture.h"
#include "reports/statements.h"
#include "reports/xlsx_dump.h"
#include "reports/xlsx_writer.h"
#include "support/listed_asset.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kavrina::reports {
namespace {

using depreciation::testing::assetNo;
using sheet::CellKind;

const Date kToday = Date::fromYmd(2024, 2, 1);

std::string padded(std::string text, std::size_t width = 30) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

class ListWorkbooks : public ReportOnRegister {
 protected:
  // The text the page shows at (`left`, `top`) of page `page`; none when it shows none.
  std::optional<std::string> pageText(int page, double left, double top) const {
    for (const auto& t : test::textsOf(doc(), page))
      if (std::fabs(t.rect.top - top) < 0.01 && std::fabs(t.rect.left - left) < 0.01) return t.text;
    return std::nullopt;
  }

  // The document just composed from `report`, as XLSX, against its recorded pages.
  void expectWorkbookOfThePages(const ListReport& report, const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(doc().workbook);
    const sheet::Workbook workbook = doc().workbook();
    const sheet::Sheet& s = workbook.sheets.at(0);
    const auto file = out_ / (what + ".xlsx");
    ASSERT_EQ(writeXlsx(workbook, file, {}, true), std::nullopt);
    const auto cells = test::xlsxCells(file);
    ASSERT_FALSE(s.rows.empty());
    // The heading lines are those of the page.
    for (const std::string& line : s.heading) EXPECT_TRUE(test::findText(doc(), 0, line)) << line;
    const std::size_t titles = s.heading.size() + 2;  // the row of the column titles, from 1
    auto at = [&](std::size_t column, std::size_t row) {
      return test::xlsxCell(cells, s.name + "!" + std::string(1, static_cast<char>('A' + column)) +
                                       std::to_string(row));
    };
    std::vector<double> sums(s.columns.size(), 0);
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
      const int page = static_cast<int>(i) / report.rowSlots.perPage;
      const int slot = static_cast<int>(i) % report.rowSlots.perPage + 1;
      const double top = report.rowSlots.base + kSlotHeight * slot;
      for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const auto printed = pageText(page, report.columns[c].left, top);
        const std::string cell = at(c, titles + 1 + i);
        SCOPED_TRACE("row " + std::to_string(i + 1) + " column " + s.columns[c].title);
        if (!printed || text::trimBlanks(*printed).empty()) {
          EXPECT_EQ(cell, "");
          continue;
        }
        const std::string shown(text::trimBlanks(*printed));
        switch (s.columns[c].kind) {
          case CellKind::Text:
            EXPECT_EQ(cell, "s " + shown);
            break;
          case CellKind::Amount:
          case CellKind::Number: {
            ASSERT_TRUE(cell.starts_with("n ")) << cell;
            // The stored value, shown as the page shows it (an amount with its decimals).
            const double value = std::stod(cell.substr(2));
            const int decimals =
                s.columns[c].kind == CellKind::Amount ? report.columns[c].decimals : 0;
            EXPECT_NEAR(roundDecimals(value, decimals), pictureTextValue(shown), 1e-9) << shown;
            EXPECT_TRUE(s.columns[c].kind != CellKind::Amount || cell.ends_with(" #,##0.00"));
            sums[c] += value;
            break;
          }
          case CellKind::Date: {
            // A text the report did not read as a date stays text.
            if (cell.starts_with("s ")) {
              EXPECT_EQ(cell, "s " + shown);
              break;
            }
            // The page shows dd.mm.yyyy, or dd.mm.yy in the register of 2019.
            ASSERT_TRUE(cell.starts_with("d ") && cell.ends_with(" dd.mm.yyyy")) << cell;
            const std::string iso = cell.substr(2, 10);
            const std::string dayMonth = iso.substr(8, 2) + "." + iso.substr(5, 2) + ".";
            EXPECT_TRUE(shown == dayMonth + iso.substr(0, 4) ||
                        shown == dayMonth + iso.substr(2, 2))
                << shown << " / " << cell;
            break;
          }
        }
      }
    }
    if (s.totalsLabel.empty()) return;
    const std::size_t totals = titles + s.rows.size() + 1;
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
      if (!s.columns[c].summed) continue;
      const std::string cell = at(c, totals);
      const auto equals = cell.find(" = ");
      ASSERT_TRUE(cell.starts_with("f =SUM(") && equals != std::string::npos) << cell;
      EXPECT_NEAR(std::stod(cell.substr(equals + 3)), sums[c], 0.0005) << s.columns[c].title;
    }
  }

  test::TempDir out_;
};

TEST_F(ListWorkbooks, CompanyAssetAndInventoryLists) {
  for (int i = 1; i <= 60; ++i) {
    char sifra[4];
    std::snprintf(sifra, sizeof sifra, "%03d", i);
    program().AFIRME.push_back({sifra, padded("Firma " + std::to_string(i)), padded("Mesto")});
    program().AOSNOVNASREDSTVA.rows.push_back(
        test::listedAsset("00" + std::to_string(i), "Sredstvo " + std::to_string(i),
                          Date::fromYmd(2020, 3, 15), 1234.5 * i, 1000.25 * i, 1134.5 * i));
  }
  ASSERT_TRUE(StampaSpiskaFirmi(program(), printer_, kToday).shown);
  expectWorkbookOfThePages(companyListReport(program(), kToday), "firme");
  ASSERT_TRUE(printAssetList(program(), printer_, kToday).shown);
  // The spreadsheet is the printed rows', though the window's list changes after printing.
  const ListReport assetList = assetListReport(program(), kToday);
  const ui::AssetList shown = program().AOSNOVNASREDSTVA;
  program().AOSNOVNASREDSTVA.rows.resize(3);
  program().AOSNOVNASREDSTVA.rows[0].RAOsn = 1;
  expectWorkbookOfThePages(assetList, "spisak");
  program().AOSNOVNASREDSTVA = shown;
  const auto cells = test::xlsxCells(out_ / "spisak.xlsx");
  EXPECT_NE(std::find_if(cells.begin(), cells.end(),
                         [](const std::string& line) { return line.ends_with(" s 007"); }),
            cells.end())
      << "inventory numbers keep their leading zeros";
  ASSERT_TRUE(printInventoryList(program(), printer_, kToday).shown);
  expectWorkbookOfThePages(inventoryListReport(program(), kToday), "popis");
}

TEST_F(ListWorkbooks, StatementsFormPoaAndTheRegisterOf2019) {
  std::vector<store::AssetRecord> assets;
  for (int i = 1; i <= 70; ++i)
    assets.push_back(assetNo(std::to_string(i))
                         .acquired(i % 2 ? "15.03.2020" : "10.10.2017")
                         .accounting(1000.0 * i + 0.125, 10, 1)
                         .tax(1000.0 * i, 1 + i % 5, 10));
  folder_.addAssets(assets);
  for (int y : {2022, 2023})
    ASSERT_TRUE(depreciation::runObracun(program(), {y, 12, true, true}, {}).done);
  const CalculationRow ra{"A202312R.DBF", "Godisnji obracun Racunovodstvene amortizacije", "2023",
                          "12"};
  const CalculationRow pa{"A202312P.DBF", "Godisnji obracun Poreske amortizacije", "2023", "12"};
  std::unique_ptr<ui::WaitNotice> wait;
  ASSERT_TRUE(StampaORA(program(), printer_, ra));
  auto report = statementReport(program(), ra, StatementSide::Accounting, wait);
  ASSERT_TRUE(report);
  // The statement's spreadsheet is made when asked for, from what the statement read: not
  // from the result table, which may be gone or recalculated by then.
  const auto table = folder_.resultFile(2023, 12, depreciation::ResultKind::Accounting);
  std::filesystem::rename(table, out_ / "aside.dbf");
  expectWorkbookOfThePages(*report, "ora");
  std::filesystem::rename(out_ / "aside.dbf", table);
  ASSERT_TRUE(StampaOPA(program(), printer_, pa));
  report = statementReport(program(), pa, StatementSide::Tax, wait);
  ASSERT_TRUE(report);
  expectWorkbookOfThePages(*report, "opa");
  const depreciation::PamRam list = depreciation::UCITAJPAMRAM(program(), "2023", "12");
  ASSERT_TRUE(OBRAZACPOA(program(), printer_, "2023", "12"));
  expectWorkbookOfThePages(poaReport(program(), list, "2023", "12"), "poa");
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12"));
  expectWorkbookOfThePages(registerReport(program(), list, "2023", "12"), "evidencija");
}

}  // namespace
}  // namespace kavrina::reports
