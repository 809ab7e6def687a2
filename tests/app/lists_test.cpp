// The plain rules of the lists: the command trees, the calculation rows, sorting and
// inventory numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/inventory_number.h"
#include "app/list_loaders.h"
#include "app/list_rows.h"
#include "app/list_sort.h"
#include "app/sections.h"
#include "common/number_picture.h"
#include "depreciation/asset_list.h"
#include "register/asset_record.h"
#include "support/listed_asset.h"

namespace kavrina::app {
namespace {

// The tree as lines "  text (image)", two blanks per level.
void flatten(const CommandNode& node, int depth, std::vector<std::string>& out) {
  out.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text + " (" +
                std::to_string(static_cast<int>(node.image)) + ")");
  for (const CommandNode& child : node.children) flatten(child, depth + 1, out);
}

std::vector<std::string> tree(Section section) {
  std::vector<std::string> out;
  flatten(commandTree(section), 0, out);
  return out;
}

TEST(CommandTrees, FirmaSection) {
  EXPECT_EQ(
      tree(Section::Firma),
      (std::vector<std::string>{"[FIRMA] (1)", "  Aktiviraj (1)", "  Trazi (2)", "  Dodaj (3)",
                                "  Izmeni (4)", "  Stampaj (6)", "  Osvezi (7)"}));
}

TEST(CommandTrees, KavrinaSection) {
  EXPECT_EQ(tree(Section::Kavrina),
            (std::vector<std::string>{"[KAVRINA] (1)",
                                      "  Trazi (2)",
                                      "    Otpisana Osnovna sredstva (2)",
                                      "    Neotpisana Osnovna sredstva (2)",
                                      "    Osnovna sredstva za Org.deo (lokaciju) (2)",
                                      "    Osnovna sredstva po Kontu (2)",
                                      "  Dodaj (3)",
                                      "    Uvoz iz CSV fajla (3)",
                                      "  Izmeni (4)",
                                      "  Otpisi (5)",
                                      "    Nuliraj grupu (5)",
                                      "  Brisi (5)",
                                      "    Brisi sve (5)",
                                      "    Brisi selektivno (5)",
                                      "  Stampaj (6)",
                                      "    Spisak (6)",
                                      "    Popisne liste (6)",
                                      "    Karticu (6)",
                                      "    Nalepnice (6)",
                                      "    Popisne razlike (6)",
                                      "  Osvezi (7)"}));
}

TEST(CommandTrees, ObracuniSection) {
  EXPECT_EQ(
      tree(Section::Obracuni),
      (std::vector<std::string>{
          "[OBRACUNI] (1)", "  Godisnji obracun (3)",
          "    Godisnja Racunovodstvena amortizacija (3)", "    Godisnja Poreska amortizacija (3)",
          "  Periodicni obracun (3)", "    Periodicna Racunovodstvena amortizacija (3)",
          "    Periodicna Poreska amortizacija (3)", "  Brisi obracun (5)", "  Stampaj (5)",
          "    Odabrani obrazac (5)", "    Nalog za knjizenje (CSV) (5)"}));
}

TEST(Sections, PanelCaptionsAndSenders) {
  EXPECT_EQ(panelCaption(Section::Kavrina), " Kavrina - Spisak");
  EXPECT_EQ(panelCaption(Section::Firma), " Kavrina - Firma");
  EXPECT_EQ(panelCaption(Section::Obracuni), " Kavrina - Obracuni");
  EXPECT_EQ(sectionFromSender("Start"), Section::None);
  EXPECT_EQ(sectionFromSender(""), Section::None);
  EXPECT_EQ(sectionFromSender("Obracuni"), Section::Obracuni);
}

bool none(const std::string&) {
  return false;
}
bool all(const std::string&) {
  return true;
}

std::vector<std::string> descriptions(const ListRows& rows) {
  std::vector<std::string> out;
  for (const ListRow& r : rows) out.push_back(r[1]);
  return out;
}

TEST(CalculationRows, TaxResultOf2019WithItsAccountingTableGivesFourRows) {
  std::string asked;
  const ListRows rows = calculationRows("A201912P.dbf", [&](const std::string& name) {
    asked = name;
    return true;
  });
  EXPECT_EQ(asked, "A201912R.dbf");
  EXPECT_EQ(descriptions(rows),
            (std::vector<std::string>{"Godisnji obracun Poreske amortizacije", "Obrazac OA ",
                                      "Obrazac POA ", "Evidencija OS stecenih od 01.01.2019 "}));
  for (const ListRow& r : rows) {
    EXPECT_EQ(r[0], "A201912P.dbf");
    EXPECT_EQ(r[2], "2019");
    EXPECT_EQ(r[3], "12");
  }
}

TEST(CalculationRows, PeriodicTaxResultNamesItselfPeriodic) {
  EXPECT_EQ(descriptions(calculationRows("A202306P.DBF", all)),
            (std::vector<std::string>{"Periodicni obracun Poreske amortizacije",
                                      "Obrazac OA (Periodicni)", "Obrazac POA (Periodicni)",
                                      "Evidencija OS stecenih od 01.01.2019 (Periodicna)"}));
}

TEST(CalculationRows, TaxResultOf2018OrWithoutAccountingTableGivesTwoRows) {
  EXPECT_EQ(descriptions(calculationRows("A201812P.dbf", all)),
            (std::vector<std::string>{"Godisnji obracun Poreske amortizacije", "Obrazac OA "}));
  EXPECT_EQ(calculationRows("A202312P.dbf", none).size(), 2u);
}

TEST(CalculationRows, AccountingResultGivesItsStatementAndBookingNoteAndOtherNamesNone) {
  EXPECT_EQ(descriptions(calculationRows("A202312R.dbf", all)),
            (std::vector<std::string>{"Godisnji obracun Racunovodstvene amortizacije",
                                      "Nalog za knjizenje amortizacije"}));
  EXPECT_EQ(descriptions(calculationRows("A202406R.dbf", all)),
            (std::vector<std::string>{"Periodicni obracun Racunovodstvene amortizacije",
                                      "Nalog za knjizenje amortizacije (Periodicni)"}));
  EXPECT_TRUE(calculationRows("A20231xR.dbf", all).empty());
  EXPECT_TRUE(calculationRows("MDOS.dbf", all).empty());
  EXPECT_FALSE(isCalculationFileName("A202312R.ntx"));
  EXPECT_TRUE(isCalculationFileName("a202312r.DBF"));
}

TEST(DeleteAllCode, IsDayMonthAndYearInTwoDigitsEach) {
  EXPECT_EQ(deleteAllCode(Date::fromYmd(2024, 3, 5)), "050324");
  EXPECT_EQ(deleteAllCode(Date::fromYmd(2000, 12, 31)), "311200");
}

ListRows amounts(std::initializer_list<const char*> values) {
  ListRows rows;
  int n = 1;
  for (const char* v : values)
    rows.push_back(
        {std::to_string(n++), "X", "01.01.2020", depreciation::amountPicture(std::stod(v))});
  return rows;
}

std::vector<std::string> column(const ListRows& rows, std::size_t c) {
  std::vector<std::string> out;
  for (const ListRow& r : rows) out.push_back(trimmed(r[c]));
  return out;
}

TEST(SortRows, AmountsSortAsNumbersNotAsText) {
  ListRows rows = amounts({"1234", "999", "25000.5", "-3"});
  sortRows(rows, Section::Kavrina, 4, true);
  EXPECT_EQ(column(rows, 3),
            (std::vector<std::string>{"-3.00", "999.00", "1,234.00", "25,000.50"}));
  sortRows(rows, Section::Kavrina, 4, false);
  EXPECT_EQ(column(rows, 3),
            (std::vector<std::string>{"25,000.50", "1,234.00", "999.00", "-3.00"}));
}

TEST(SortRows, DatesAsDatesNamesAndCompaniesAsUpperCaseText) {
  ListRows assets{{"1", "b", "02.01.2021"}, {"2", "A", "31.12.2020"}, {"3", "C", "01.02.2021"}};
  sortRows(assets, Section::Kavrina, 3, true);
  EXPECT_EQ(column(assets, 0), (std::vector<std::string>{"2", "1", "3"}));
  sortRows(assets, Section::Kavrina, 2, true);
  EXPECT_EQ(column(assets, 1), (std::vector<std::string>{"A", "b", "C"}));
  ListRows companies{{"010", "x"}, {"002", "y"}, {"1", "z"}};
  sortRows(companies, Section::Firma, 1, true);  // text, not numbers
  EXPECT_EQ(column(companies, 0), (std::vector<std::string>{"002", "010", "1"}));
}

TEST(SortRows, InventoryNumbersSortNumerically) {
  ListRows rows{{"10"}, {"9"}, {"100"}};
  sortRows(rows, Section::Kavrina, 1, true);
  EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"9", "10", "100"}));
}

// Typed asset rows whose texts tie, read as no date or no number, or show stars; one row
// deleted (its texts in parentheses).
ui::AssetList awkwardAssets() {
  ui::AssetList list;
  list.widths = {6, 8};
  const Date d = Date::fromYmd(2020, 5, 1);
  list.rows = {
      test::listedAsset("10", "sto", d, 0.004, 1e11, 0.001),
      test::listedAsset("9", "Sto", Date(), 0.001, -1e10, 1e12),
      test::listedAsset("100", "stolica", d, -0.005, 99999999999.99, -9999999999.99),
      test::listedAsset("7", "STO", Date::fromYmd(2019, 1, 1), 2.675, -0.001, 1.005),
      test::listedAsset("8", "", Date(), 1e11, 1.0 / 3, -1e10),
      test::listedAsset("08", "Sto", d, 0.004, 0.0049, 0.0051),
  };
  list.rows[3].deleted = true;
  return list;
}

std::vector<ListRow> textsOf(const ui::AssetList& list) {
  std::vector<ListRow> rows;
  for (const ui::AssetListRow& r : list.rows)
    rows.push_back(depreciation::assetListTexts(r, list.widths));
  return rows;
}

TEST(SortAssetList, GivesTheOrderOfTheTextSortOnEveryColumnBothWays) {
  for (int column = 1; column <= 8; ++column) {
    for (const bool ascending : {true, false}) {
      SCOPED_TRACE(std::to_string(column) + (ascending ? " ascending" : " descending"));
      ui::AssetList typed = awkwardAssets();
      ListRows texts = textsOf(typed);
      // Twice, so that the second sort starts from the first one's order of ties.
      for (int pass = 0; pass < 2; ++pass) {
        sortRows(texts, Section::Kavrina, column, ascending);
        sortAssetList(typed, column, ascending);
        EXPECT_EQ(textsOf(typed), texts);
      }
    }
  }
}

TEST(SortAssetList, TypedRowsReadAsTheirTextsReadBack) {
  const ui::AssetList list = awkwardAssets();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const ListRow texts = textsOf(list)[i];
    for (std::size_t c = 0; c < depreciation::kAssetListColumns; ++c) {
      SCOPED_TRACE(texts[c]);
      EXPECT_EQ(depreciation::assetListCellLength(list.rows[i], c), trimmed(texts[c]).size());
      if (c >= depreciation::kAssetListFirstAmountColumn) {
        EXPECT_EQ(depreciation::assetListAmount(list.rows[i], c), pictureTextValue(texts[c]));
      }
    }
    EXPECT_EQ(depreciation::assetListDate(list.rows[i]), Date::fromText(texts[2]));
  }
}

TEST(InventoryNumbers, ReadCompareAndCountBeyondDoublePrecision) {
  EXPECT_EQ(reg::numberDigits("  0042   "), "42");
  EXPECT_EQ(reg::numberDigits("   "), "0");
  EXPECT_EQ(reg::nextNumber("41"), "42");
  EXPECT_EQ(reg::nextNumber("999"), "1000");
  const std::string big = "123456789012345678901234567890";
  EXPECT_EQ(reg::nextNumber(big), "123456789012345678901234567891");
  EXPECT_LT(compareInventory("99", "100"), 0);
  EXPECT_GT(compareInventory(reg::nextNumber(big), big), 0);
  EXPECT_EQ(compareInventory("7", "7"), 0);
}

TEST(CompanionPlace, KeepsTheTextBeforeTheMunicipalityMarker) {
  EXPECT_EQ(companionPlace("Novi Sad / Sifra Opstine: 80284"), "Novi Sad ");
  EXPECT_EQ(companionPlace("Novi Sad"), "");
}

}  // namespace
}  // namespace kavrina::app
