// The asset card against the recording printer, on annual results calculated in a real
// program folder: the header texts, the accounting and tax lines (months, then days), the
// group numeral, the write-off line, the continuation page, an asset not in the register,
// and result tables read beside other stations.
#include "reports/asset_card.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/number_picture.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "reports/report_fixture.h"
#include "store/rec_lock.h"

namespace kavrina::reports {
namespace {

using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;
using test::findText;
using test::textsInBand;
using ui::TextAlign;

class AssetCard : public ReportOnRegister {
 protected:
  // Asset 5 with its register texts.
  void addAsset(depreciation::testing::AssetBuilder asset) {
    folder_.addAssets({asset});
    ASSERT_TRUE(store::writeRecord(program(), "MDOS", false, [](store::DbfTable& t) {
      t.putString("Naziv", "Kombi vozilo");
      t.putNumber("ODeo", 3);
      t.putNumber("Kolicina", 2);
      t.putString("Dokument", "Racun 17/2017");
      t.putString("Dobavljac", "Auto centar");
    }));
  }
  void calculate(int first, int last) {
    for (int y = first; y <= last; ++y)
      ASSERT_TRUE(depreciation::runObracun(program(), {y, 12, true, true}, {}).done) << y;
  }
  bool print(std::string_view invBr = "5", int year = 2023) {
    return StampaKartice(program(), printer_, invBr, Date::fromYmd(year, 12, 31));
  }
  // The texts of card band n of a page (41 + 5n).
  std::vector<std::string> band(int page, int n) const { return textsAt(page, 41 + 5 * n); }
};

TEST_F(AssetCard, AssetOf2017CalculatedTo2023HasSevenLinesInEachTable) {
  addAsset(assetNo("5").acquired("15.03.2017").accounting(120000, 10, 1).tax(120000, 3, 15));
  calculate(2017, 2023);
  ASSERT_TRUE(print());
  EXPECT_EQ(doc().title, "KarticaOsnovnogSredstva");
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_EQ(findText(doc(), 0, "Kartica Osnovnog sredstva")->font.size, 14);
  EXPECT_EQ(findText(doc(), 0, "Kombi vozilo")->rect, (ui::RectMm{8, 15, 202, 20}));
  EXPECT_EQ(
      findText(doc(), 0, "Inventarski broj: 5  //  Organizacioni deo: 3  //  Kolicina: 2")->rect,
      (ui::RectMm{8, 21, 202, 26}));
  EXPECT_EQ(findText(doc(), 0,
                     "Datum nabavke: 15.03.2017  //  Dokument: Racun 17/2017  //  "
                     "Dobavljac: Auto centar")
                ->rect,
            (ui::RectMm{8, 26, 202, 31}));
  EXPECT_EQ(band(0, -1),
            (std::vector<std::string>{
                "Racunovodstvena Amortizacija - Proporcionalni metod - Stopa:  10.000%"}));
  EXPECT_EQ(band(0, 0),
            (std::vector<std::string>{"Godina", "Meseci", "Prethodna vrednost", "Osnovica",
                                      "Amortizacija", "Sadasnja vrednost"}));
  // Accounting lines in bands 1 to 7: 2017 with its nine months, the rest with twelve.
  const auto first = band(0, 1);
  ASSERT_EQ(first.size(), 6u);
  EXPECT_EQ(first[0], "2017");
  EXPECT_EQ(first[1], " 9");
  EXPECT_EQ(first[3], "       120,000.00");
  EXPECT_EQ(first[4], "         9,000.00");
  EXPECT_EQ(band(0, 7)[0], "2023");
  EXPECT_TRUE(band(0, 8).empty());
  // The rule at the top of band 8, the tax heading text in band 10, its table in 11.
  EXPECT_EQ(band(0, 10),
            (std::vector<std::string>{"Poreska Amortizacija - III grupa - Stopa:  15.000%"}));
  EXPECT_EQ(band(0, 11),
            (std::vector<std::string>{"Godina", "Meseci ili Dana", "Prethodna vrednost", "Osnovica",
                                      "Amortizacija", "Sadasnja vrednost"}));
  for (int i = 0; i < 7; ++i) {
    const int year = 2017 + i;
    const auto line = band(0, 12 + i);
    ASSERT_EQ(line.size(), 6u) << i;
    EXPECT_EQ(line[0], std::to_string(year));
    const store::PaRow stored = folder_.paRows(year).at(0);
    EXPECT_EQ(line[1],
              year < 2019 ? formatPicture(stored.BrMes, "99") : formatPicture(stored.BrDan, "999"))
        << "months before 2019, then days";
    EXPECT_EQ(line[4], formatPicture(stored.PAm, "99,999,999,999.99"));
  }
  EXPECT_EQ(band(0, 12)[1], "12") << "the tax year of 2017 is whole";
  EXPECT_EQ(band(0, 14)[1], "365");
  const auto period = textsInBand(doc(), 0, 41 + 5 * 12)[1];
  EXPECT_EQ(period.rect, (ui::RectMm{30, 101, 40, 106}));
  EXPECT_EQ(period.align, TextAlign::Center);
  EXPECT_TRUE(band(0, 19).empty());
  const auto lines = test::opsOf(doc(), 0, OpKind::Line);
  EXPECT_EQ(lines.back().rect(), (ui::RectMm{8, 136, 202, 136}));
  EXPECT_FALSE(findText(doc(), 0, "Osnovno sredstvo je otpisano/otudjeno: "));
  EXPECT_EQ(folder_.ui().openWaitNotices(), 0);
  EXPECT_FALSE(program().areas.isOpen("BazaRA"));
  EXPECT_FALSE(program().areas.isOpen("BazaPA"));
}

class AssetCardGroup : public AssetCard, public ::testing::WithParamInterface<int> {};

TEST_P(AssetCardGroup, GroupsOutsideOneToFourAreGroupFiveAndTheWriteOffEndsTheCard) {
  addAsset(assetNo("5")
               .acquired("15.03.2021")
               .writtenOff("15.03.2023")
               .accounting(1000, 10, 1)
               .tax(1000, GetParam(), 10));
  calculate(2021, 2023);
  ASSERT_TRUE(print());
  EXPECT_TRUE(findText(doc(), 0, "Poreska Amortizacija - V grupa - Stopa:  10.000%"));
  // Three lines each: rule at band 4, text 5 at 6, heading 7, lines 8 to 10, rule 11, the
  // write-off line two bands lower.
  EXPECT_EQ(
      band(0, 13),
      (std::vector<std::string>{"Osnovno sredstvo je otpisano/otudjeno: 15.03.2023. godine."}));
}

INSTANTIATE_TEST_SUITE_P(Groups, AssetCardGroup, ::testing::Values(0, 6));

TEST_F(AssetCard, AssetAcquiredThisYearPrintsBothHeadingsWithoutLines) {
  addAsset(assetNo("5").acquired("15.03.2023").accounting(1000, 10, 1).tax(1000, 2, 10));
  ASSERT_TRUE(print());
  EXPECT_EQ(band(0, 0).front(), "Godina");
  EXPECT_EQ(band(0, 1), std::vector<std::string>{}) << "the rule, no line";
  EXPECT_EQ(band(0, 3).front(), "Poreska Amortizacija - II grupa - Stopa:  10.000%");
  EXPECT_EQ(band(0, 4).front(), "Godina");
  EXPECT_TRUE(band(0, 5).empty());
}

TEST_F(AssetCard, AssetNotInTheRegisterShowsQuestionMarks) {
  addAsset(assetNo("5").acquired("15.03.2020").accounting(1000, 10, 1).tax(1000, 2, 10));
  calculate(2020, 2021);
  ASSERT_TRUE(print("77"));
  int unknown = 0;
  for (const auto& t : test::textsOf(doc(), 0)) unknown += t.text == "???";
  EXPECT_EQ(unknown, 5);
  EXPECT_EQ(band(0, 1), std::vector<std::string>{});
}

TEST_F(AssetCard, ThirtyYearsOfHistoryContinueOnASecondPageWithTheirHeading) {
  addAsset(assetNo("5").acquired("10.01.1997").accounting(3000000, 2, 1).tax(3000000, 1, 2.5));
  calculate(1997, 2026);
  ASSERT_TRUE(print("5", 2026));
  ASSERT_EQ(doc().pageCount(), 2);
  // Accounting lines in bands 1..30, the rule at 31, text 5 at 33, heading at 34, tax lines
  // from 35: the last band of a page is 47, so 13 tax lines fit on page 1.
  EXPECT_EQ(band(0, 30)[0], "2026");
  EXPECT_EQ(band(0, 47)[0], "2009");
  EXPECT_TRUE(findText(doc(), 1, "Kartica Osnovnog sredstva"));
  EXPECT_TRUE(findText(doc(), 1, "Strana 2"));
  EXPECT_TRUE(findText(doc(), 1, "Inventarski broj: 5  //  Organizacioni deo: 3  //  Kolicina: 2"));
  EXPECT_EQ(band(1, 0),
            (std::vector<std::string>{"Godina", "Meseci ili Dana", "Prethodna vrednost", "Osnovica",
                                      "Amortizacija", "Sadasnja vrednost"}));
  EXPECT_EQ(band(1, 1)[0], "2010");
  EXPECT_EQ(band(1, 17)[0], "2026");
  for (int page = 0; page < 2; ++page)
    for (const auto& t : test::textsOf(doc(), page)) {
      if (t.rect.top > 60 && t.rect.top < 280) {
        EXPECT_LE(t.rect.bottom, 281) << t.text;
      }
    }
}

TEST_F(AssetCard, RuleBelowALastLineOnBandFortySevenStaysOnThePage) {
  addAsset(assetNo("5").acquired("10.01.2001").accounting(1000, 2, 1).tax(1000, 1, 2.5));
  // 22 accounting years and 21 tax years: the last tax line in band 47, its rule at 281.
  for (int year = 2001; year <= 2022; ++year) {
    folder_.writeRaResult(year, 12, {{.InvBr = "5", .BrMes = 12, .RAm = 20}});
    if (year > 2001) folder_.writePaResult(year, 12, {{.InvBr = "5", .BrMes = 12, .PAm = 25}});
  }
  ASSERT_TRUE(print("5", 2022));
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_EQ(band(0, 47)[0], "2022");
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Line).back().rect(), (ui::RectMm{8, 281, 202, 281}));
}

TEST_F(AssetCard, ReadsBesideAnotherReaderAndNamesATableHeldExclusively) {
  addAsset(assetNo("5").acquired("15.03.2021").accounting(1000, 10, 1).tax(1000, 2, 10));
  calculate(2021, 2022);
  const auto file = folder_.resultFile(2022, 12, depreciation::ResultKind::Tax);
  {
    auto reader = store::DbfTable::open(file, {.shared = true, .readOnly = true});
    ASSERT_TRUE(reader);
    ASSERT_TRUE(print());
    EXPECT_EQ(band(0, 2)[0], "2022");
  }
  auto holder = store::DbfTable::open(file, {.shared = false});
  ASSERT_TRUE(holder);
  EXPECT_FALSE(print());
  EXPECT_EQ(folder_.ui().messages().back(), depreciation::tableInUseMessage(file));
  EXPECT_EQ(printer_.beginDocCount(), 1) << "the card before stays";
  EXPECT_EQ(folder_.ui().openWaitNotices(), 0);
  EXPECT_FALSE(program().areas.isOpen("BazaRA"));
  EXPECT_FALSE(program().areas.isOpen("BazaPA"));
}

}  // namespace
}  // namespace kavrina::reports
