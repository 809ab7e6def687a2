// The company and asset lists against the recording printer: slots, paging, skipped rows,
// headings, totals, and the dialogs around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/number_picture.h"
#include "reports/asset_list.h"
#include "reports/company_list.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "support/listed_asset.h"
#include "support/scripted_ui.h"

namespace kavrina::reports {
namespace {

using test::findText;
using test::textsInBand;
using test::textsOf;
using ui::TextAlign;

const Date kToday = Date::fromYmd(2024, 2, 1);

std::string pad(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

std::vector<std::string> company(int code) {
  char sifra[4];
  std::snprintf(sifra, sizeof sifra, "%03d", code);
  return {sifra, pad("Firma " + std::to_string(code), 30),
          pad("Mesto " + std::to_string(code), 30)};
}

// An asset row as the main window's list holds it.
ui::AssetListRow asset(int invBr, const std::string& acquired, double purchase,
                       double depreciation = 0) {
  return test::listedAsset(std::to_string(invBr), "Sredstvo " + std::to_string(invBr),
                           Date::fromText(acquired), purchase, purchase, purchase - depreciation);
}

class ListReports : public ::testing::Test {
 protected:
  ListReports() {
    program_.ui = &ui_;
    program_.CKORISNIKNAZIV = "Preduzece DOO";
    program_.CKORISNIKMESTO = "Beograd";
  }

  void addAssets(int count, const std::string& acquired = "15.03.2020") {
    for (int i = 1; i <= count; ++i)
      program_.AOSNOVNASREDSTVA.rows.push_back(asset(i, acquired, 100));
  }
  const PageDocument& doc() const { return printer_.document(); }
  // Texts of the asset-list row in slot k of a page.
  std::vector<test::ShownText> assetSlot(int page, int k) const {
    return textsInBand(doc(), page, 26 + 5 * k);
  }

  ui::ScriptedUi ui_;
  store::Program program_;
  RecordingPrinter printer_;
};

// --- the company list ---

TEST_F(ListReports, CompaniesPrintFiftyAPageInSlotsFourMillimetresHigher) {
  for (int i = 0; i < 120; ++i) program_.AFIRME.push_back(company(i));
  const auto result = StampaSpiskaFirmi(program_, printer_, kToday);

  ASSERT_EQ(doc().pageCount(), 3);
  EXPECT_EQ(doc().title, "SpisakFirmi");
  const int expectedRows[] = {50, 50, 20};
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    int rows = 0;
    for (const auto& t : textsOf(doc(), p)) {
      if (t.rect.left == 10 && t.rect.right == 20 && t.rect.top >= 27) ++rows;
    }
    EXPECT_EQ(rows, expectedRows[p]);
    EXPECT_TRUE(findText(doc(), p, "Spisak Firmi"));
    EXPECT_TRUE(findText(doc(), p, "na dan : 01.02.2024"));
    EXPECT_TRUE(findText(doc(), p, "Strana " + std::to_string(p + 1)));
    const auto sifra = findText(doc(), p, "Sifra");
    ASSERT_TRUE(sifra);
    EXPECT_EQ(sifra->rect, (ui::RectMm{10, 22, 20, 26}));
    const auto boxes = test::opsOf(doc(), p, OpKind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect(), (ui::RectMm{8, 21, 202, 26}));
  }
  // Slot 1 starts at 27 mm, slot 50 ends at 277 mm.
  const auto first = findText(doc(), 0, "000");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->rect, (ui::RectMm{10, 27, 20, 32}));
  const auto fiftieth = findText(doc(), 0, pad("Firma 49", 30));
  ASSERT_TRUE(fiftieth);
  EXPECT_EQ(fiftieth->rect, (ui::RectMm{20, 272, 120, 277}));
  const auto mesto = findText(doc(), 2, pad("Mesto 119", 30));
  ASSERT_TRUE(mesto);
  EXPECT_EQ(mesto->rect, (ui::RectMm{120, 122, 200, 127}));
  // The company list has no right-hand heading texts and no totals.
  EXPECT_FALSE(findText(doc(), 0, "Preduzece DOO"));
  EXPECT_FALSE(findText(doc(), 2, "Ukupno:"));
  // The closing rule sits at the slot after the last row: 22 + 5 * 21.
  const auto lines = test::opsOf(doc(), 2, OpKind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].rect(), (ui::RectMm{10, 127, 200, 127}));

  EXPECT_TRUE(result.shown);
  EXPECT_EQ(result.selectIndex, 0u);
  EXPECT_EQ(printer_.previewCount(), 1);
  EXPECT_EQ(ui_.openWaitNotices(), 0);
  EXPECT_EQ(ui_.transcript().front(), "wait: Priprema za stampa u toku. Molim sacekajte...");
}

TEST_F(ListReports, EmptyListsSayThereIsNothingToPrint) {
  const auto companies = StampaSpiskaFirmi(program_, printer_, kToday);
  const auto assets = StampaSpiskaOS(program_, printer_, kToday);
  EXPECT_FALSE(companies.shown);
  EXPECT_FALSE(companies.selectIndex);
  EXPECT_FALSE(assets.shown);
  EXPECT_EQ(ui_.messages(),
            (std::vector<std::string>{"Nema podataka za stampu!", "Nema podataka za stampu!"}));
  EXPECT_EQ(printer_.beginDocCount(), 0);
  EXPECT_EQ(printer_.previewCount(), 0);
}

// --- the asset list ---

TEST_F(ListReports, AssetListAsksForTheDateAndNamesItInTheHeading) {
  addAssets(3);
  ui_.type("31.12.2023");
  const auto result = StampaSpiskaOS(program_, printer_, kToday);
  ASSERT_TRUE(result.shown);
  EXPECT_EQ(result.selectIndex, 0u);
  const auto& input = ui_.events().front();
  EXPECT_EQ(input.caption, "Unos");
  EXPECT_EQ(input.text, "Na dan:");
  EXPECT_EQ(input.value, "01.02.2024");
  EXPECT_EQ(input.widthPixels, 80);
  EXPECT_EQ(doc().title, "SpisakOsnovnihSredstava");
  EXPECT_TRUE(findText(doc(), 0, "Spisak Osnovnih sredstava"));
  EXPECT_TRUE(findText(doc(), 0, "na dan: 31.12.2023"));
  EXPECT_TRUE(findText(doc(), 0, "Preduzece DOO"));
  EXPECT_TRUE(findText(doc(), 0, "Beograd"));
}

TEST_F(ListReports, AssetListColumnHeadingAndFirstRow) {
  program_.AOSNOVNASREDSTVA.rows.push_back(asset(7, "15.03.2020", 1234.5, 234.5));
  printAssetList(program_, printer_, kToday);
  struct Expected {
    const char* text;
    ui::RectMm rect;
    TextAlign align;
  } expected[] = {
      {"Redni", {10, 22, 20, 26}, TextAlign::Left},
      {"Inventarski", {20, 22, 40, 26}, TextAlign::Left},
      {"Naziv osnovnog sredstva", {40, 24, 90, 28}, TextAlign::Left},
      {"nabavke", {90, 26, 105, 30}, TextAlign::Left},
      {"Nabavna vrednost", {105, 22, 165, 26}, TextAlign::Center},
      {"Racunovodstvena", {105, 26, 135, 30}, TextAlign::Right},
      {"Poreska", {135, 26, 155, 30}, TextAlign::Right},
      {"vrednosti", {155, 26, 175, 30}, TextAlign::Right},
      {"Sadasnja", {175, 22, 200, 26}, TextAlign::Right},
      {"   1", {10, 31, 16, 36}, TextAlign::Right},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.text);
    const auto t = findText(doc(), 0, e.text);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->rect, e.rect);
    EXPECT_EQ(t->align, e.align);
    EXPECT_FALSE(t->font.bold);
    EXPECT_EQ(t->font.size, 8);
  }
  const auto row = assetSlot(0, 1);
  ASSERT_EQ(row.size(), 8u);
  EXPECT_EQ(row[1].text, pad("7", 30));
  EXPECT_EQ(row[1].rect, (ui::RectMm{20, 31, 40, 36}));
  EXPECT_EQ(row[3].text, "15.03.2020");
  EXPECT_EQ(row[4].text, "         1,234.50");
  EXPECT_EQ(row[4].rect, (ui::RectMm{105, 31, 135, 36}));
  EXPECT_EQ(row[4].align, TextAlign::Right);
  EXPECT_EQ(row[7].rect, (ui::RectMm{175, 31, 200, 36}));
  const auto boxes = test::opsOf(doc(), 0, OpKind::Box);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rect(), (ui::RectMm{8, 21, 202, 30}));
}

TEST_F(ListReports, AFullPageOfRowsPutsTheTotalsOnTheNextPageClearOfTheFooter) {
  addAssets(50);
  printAssetList(program_, printer_, kToday);
  ASSERT_EQ(doc().pageCount(), 2);
  EXPECT_EQ(assetSlot(0, 50).front().text, "  50");
  EXPECT_FALSE(findText(doc(), 0, "Ukupno:"));
  // Page 2 holds no row: its frame and heading, then the band where the first row would be.
  EXPECT_TRUE(findText(doc(), 1, "Strana 2"));
  const auto total = findText(doc(), 1, "Ukupno:");
  ASSERT_TRUE(total);
  EXPECT_EQ(total->rect, (ui::RectMm{10, 28 + 5, 180, 28 + 5 + 5}));
  const auto sums = textsInBand(doc(), 1, total->rect.top);
  ASSERT_EQ(sums.size(), 5u);
  EXPECT_EQ(sums[1].text, "      5,000.00");
}

TEST_F(ListReports, TheFiftyFirstRowOpensPageTwoWithFrameAndHeading) {
  addAssets(51);
  printAssetList(program_, printer_, kToday);
  ASSERT_EQ(doc().pageCount(), 2);
  for (const char* text : {"Spisak Osnovnih sredstava", "Strana 2", "Redni", "Sadasnja"}) {
    EXPECT_TRUE(findText(doc(), 1, text)) << text;
  }
  const auto row = assetSlot(1, 1);
  ASSERT_EQ(row.size(), 8u);
  EXPECT_EQ(row[0].text, "  51");
  EXPECT_EQ(row[1].text, pad("51", 30));
  EXPECT_FALSE(findText(doc(), 0, "Ukupno:"));
  const auto total = findText(doc(), 1, "Ukupno:");
  ASSERT_TRUE(total);
  EXPECT_EQ(total->rect.top, 28 + 5 * 2);
}

TEST_F(ListReports, RowsAcquiredAfterTheDateTakeNoNumberSlotOrTotal) {
  program_.AOSNOVNASREDSTVA.rows = {asset(1, "01.01.2020", 10),
                                    asset(2, "02.02.2024", 1000),  // after the date
                                    asset(3, "", 20),              // no date: always printed
                                    asset(4, "01.02.2024", 30)};   // on the date: printed
  printAssetList(program_, printer_, kToday);
  EXPECT_EQ(assetSlot(0, 1)[1].text, pad("1", 30));
  EXPECT_EQ(assetSlot(0, 2)[0].text, "   2");
  EXPECT_EQ(assetSlot(0, 2)[1].text, pad("3", 30));
  EXPECT_EQ(assetSlot(0, 3)[0].text, "   3");
  EXPECT_EQ(assetSlot(0, 3)[1].text, pad("4", 30));
  EXPECT_FALSE(findText(doc(), 0, pad("2", 30)));
  const auto sums = textsInBand(doc(), 0, 28 + 5 * 4);
  ASSERT_EQ(sums.size(), 5u);
  EXPECT_EQ(sums[1].text, "         60.00");
}

TEST_F(ListReports, DateBeforeEveryAcquisitionPrintsOnlyTheFrameAndZeroTotals) {
  addAssets(5);
  printAssetList(program_, printer_, Date::fromYmd(2019, 1, 1));
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_TRUE(assetSlot(0, 1).empty());
  const auto lines = test::opsOf(doc(), 0, OpKind::Line);
  EXPECT_EQ(lines.back().rect(), (ui::RectMm{10, 31, 200, 31}));
  const auto sums = textsInBand(doc(), 0, 33);
  ASSERT_EQ(sums.size(), 5u);
  for (int c = 1; c <= 4; ++c) EXPECT_EQ(sums[c].text, "          0.00");
}

TEST_F(ListReports, ASkippedRowMayOpenAPageOfItsOwn) {
  addAssets(50);
  program_.AOSNOVNASREDSTVA.rows.push_back(asset(51, "01.01.2030", 100));
  printAssetList(program_, printer_, kToday);
  ASSERT_EQ(doc().pageCount(), 2);
  EXPECT_TRUE(assetSlot(1, 1).empty());
  EXPECT_EQ(findText(doc(), 1, "Ukupno:")->rect.top, 33);
  EXPECT_FALSE(findText(doc(), 0, "Ukupno:"));
}

TEST_F(ListReports, FilterWordsFollowTheDate) {
  addAssets(2);
  program_.CFILTER = "konto: 220";
  printAssetList(program_, printer_, Date::fromYmd(2023, 12, 31));
  const auto second = findText(doc(), 0, "na dan: 31.12.2023   (konto: 220)");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->rect, (ui::RectMm{8, 15, 202, 20}));
}

TEST_F(ListReports, TotalsAddTheAmountsAsDisplayed) {
  // Stored 0.005 shows as 0.01 in the list: three rows add 0.03, not 0.015 -> 0.02.
  for (int i = 1; i <= 3; ++i) {
    program_.AOSNOVNASREDSTVA.rows.push_back(asset(i, "01.01.2020", 0.005, 0.005));
  }
  // Amounts past the float's exact range still add up to the cent.
  program_.AOSNOVNASREDSTVA.rows.push_back(asset(4, "01.01.2020", 123456789.11, 0.1));
  program_.AOSNOVNASREDSTVA.rows.push_back(asset(5, "01.01.2020", -23456789.22, 0.2));
  printAssetList(program_, printer_, kToday);
  const auto sums = textsInBand(doc(), 0, 28 + 5 * 6);
  ASSERT_EQ(sums.size(), 5u);
  EXPECT_EQ(sums[1].text, " 99,999,999.92");
  EXPECT_EQ(sums[3].text, "          0.33");
  EXPECT_EQ(sums[4].text, " 99,999,999.59");
}

TEST_F(ListReports, CancelledDateLeavesThePrinterUntouched) {
  addAssets(2);
  ui_.cancel();
  const auto result = StampaSpiskaOS(program_, printer_, kToday);
  EXPECT_FALSE(result.shown);
  EXPECT_FALSE(result.selectIndex);
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(printer_.beginDocCount(), 0);
}

TEST_F(ListReports, EmptyDateIsRefused) {
  addAssets(2);
  ui_.type("  .  .    ");
  const auto result = StampaSpiskaOS(program_, printer_, kToday);
  EXPECT_FALSE(result.shown);
  EXPECT_EQ(ui_.messages(), std::vector<std::string>{"Pogresan unos."});
  EXPECT_EQ(printer_.beginDocCount(), 0);
}

TEST_F(ListReports, BodyFollowsTheReportFontOfTheSettings) {
  program_.CFONTNAME = "Liberation Serif";
  program_.NFONTSIZE = 10;
  addAssets(1);
  printAssetList(program_, printer_, kToday);
  const auto number = findText(doc(), 0, "   1");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->font.name, "Liberation Serif");
  EXPECT_EQ(number->font.size, 10);
  EXPECT_EQ(findText(doc(), 0, "Strana 1")->font.size, 6);
}

}  // namespace
}  // namespace kavrina::reports
