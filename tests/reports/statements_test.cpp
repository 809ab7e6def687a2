// The accounting and tax statements and form OA against the recording printer, on result
// tables of a real program folder: captions, lines, pictures, page breaks, the totals
// (also on a page of their own), the group rows of OA, a table in use, and totals equal
// to the stored results of a random register calculated over several years.
#include "reports/statements.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/number_picture.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "depreciation/ucitaj_pamram.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "reports/report_fixture.h"
#include "store/rec_lock.h"
#include "support/test_seed.h"

namespace kavrina::reports {
namespace {

using depreciation::thousandths;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;
using store::PaRow;
using store::RaRow;
using test::findText;
using test::textsInBand;
using ui::TextAlign;

std::string amount(double value) {
  return formatPicture(value, kPictureAmount);
}

class Statements : public ReportOnRegister {
 protected:
  void writeRa(const std::vector<store::RaRow>& rows, int year = 2023, int months = 12) {
    folder_.writeRaResult(year, months, rows);
  }
  void writePa(const std::vector<store::PaRow>& rows, int year = 2023, int months = 12) {
    folder_.writePaResult(year, months, rows);
  }
  // `count` assets "1".."count" of 1,200.00 in group `group`, each with an accounting and a
  // tax result of 120.00 depreciation.
  void assets(int count, int group = 1) {
    std::vector<store::AssetRecord> register_;
    std::vector<store::RaRow> ra;
    std::vector<store::PaRow> pa;
    for (int i = 1; i <= count; ++i) {
      const std::string n = std::to_string(i);
      register_.push_back(
          assetNo(n).acquired("01.02.2020").accounting(1200, 10, 1).tax(1200, group, 10));
      ra.push_back(
          {.InvBr = n, .RAPrVr = 900, .RAOsn = 900, .RAStopa = 10, .BrMes = 12, .RAm = 120});
      pa.push_back({.InvBr = n,
                    .PAPrVr = 800,
                    .PAOsn = 800,
                    .PAStopa = 10,
                    .PAGrupa = group,
                    .BrMes = 12,
                    .PAm = 120});
    }
    folder_.addAssets(register_);
    writeRa(ra);
    writePa(pa);
  }
  static CalculationRow row(std::string_view kind, std::string description, int year = 2023,
                            std::string months = "12") {
    return {"A" + std::to_string(year) + months + std::string(kind) + ".DBF",
            std::move(description), std::to_string(year), months};
  }
  // The texts of statement row slot k of a page.
  std::vector<std::string> slot(int page, int k) const { return textsAt(page, 26 + 5 * k); }
};

TEST_F(Statements, AccountingLineShowsEveryColumnWithItsPicture) {
  folder_.addAssets(
      {assetNo("7").acquired("01.02.2020").accounting(1234.5, 12.5, 1).tax(1000, 1, 10)});
  ASSERT_TRUE(store::writeRecord(program(), "MDOS", false,
                                 [](store::DbfTable& t) { t.putString("Naziv", "Racunar"); }));
  writeRa(
      {{.InvBr = "7", .RAPrVr = 1000, .RAOsn = 1000, .RAStopa = 12.5, .BrMes = 12, .RAm = 125}});
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  EXPECT_EQ(doc().title, "ObracunRacunovodstveneAmortizacije");
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_EQ(findText(doc(), 0, "Godisnji obracun Racunovodstvene amortizacije")->font.size, 14);
  EXPECT_TRUE(findText(doc(), 0, "Godina: 2023  //  Meseci: 12"));
  for (const char* caption :
       {"Redni", "Inventarski", "Naziv osnovnog sredstva", "Nabavna", "Ispravka", "vrednosti",
        "Osnovica", "Godisnja", "stopa (%)", "Meseci", "Amortizacija"})
    EXPECT_TRUE(findText(doc(), 0, caption)) << caption;
  EXPECT_EQ(slot(0, 1),
            (std::vector<std::string>{"   1", "7", "Racunar", "      1,234.50", "        234.50",
                                      "      1,000.00", " 12.50", "12", "        125.00"}));
  const auto months = textsInBand(doc(), 0, 31)[7];
  EXPECT_EQ(months.rect, (ui::RectMm{165, 31, 180, 36}));
  EXPECT_EQ(months.align, TextAlign::Center);
  // The totals in slot 2 below a rule at 35.
  EXPECT_EQ(slot(0, 2), (std::vector<std::string>{"UKUPNO:", "      1,234.50", "        234.50",
                                                  "      1,000.00", "        125.00"}));
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Line).back().rect(), (ui::RectMm{10, 35, 200, 35}));
  EXPECT_EQ(printer_.previewCount(), 1);
  EXPECT_EQ(folder_.ui().openWaitNotices(), 0);
  EXPECT_FALSE(program().areas.isOpen("BazaRA"));
}

TEST_F(Statements, AssetAcquiredInTheYearHasNoAccumulatedDepreciation) {
  folder_.addAssets({assetNo("1").acquired("01.03.2023").accounting(5000, 10, 1).tax(5000, 1, 10)});
  writePa({{.InvBr = "1",
            .PAPrVr = 4000,
            .PAOsn = 5000,
            .PAStopa = 10,
            .PAGrupa = 1,
            .BrMes = 10,
            .PAm = 416.667,
            .PANab = true}});
  ASSERT_TRUE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
  EXPECT_EQ(doc().title, "ObracunPoreskeAmortizacije");
  // The asset has no name, and an empty text draws nothing: eight texts.
  const auto line = slot(0, 1);
  ASSERT_EQ(line.size(), 8u);
  EXPECT_EQ(line[3], "          0.00") << "not 5000 - 4000";
  EXPECT_EQ(line[7], "        416.67");
}

TEST_F(Statements, TaxStatementOfGroupsTwoToFiveHasAnEmptyBodyAndZeroTotals) {
  assets(3, 2);
  ASSERT_TRUE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_TRUE(findText(doc(), 0, "Naziv osnovnog sredstva"));
  EXPECT_EQ(slot(0, 1),
            (std::vector<std::string>{"UKUPNO:", amount(0), amount(0), amount(0), amount(0)}));
}

TEST_F(Statements, EmptyRegisterPrintsItsPageWithZeroTotals) {
  writeRa({});
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_EQ(slot(0, 1).front(), "UKUPNO:");
}

TEST_F(Statements, FiftyOneAssetsGiveTwoPagesAndTheOrdinalRunsOn) {
  assets(51);
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  ASSERT_EQ(doc().pageCount(), 2);
  EXPECT_EQ(slot(0, 50).front(), "  50");
  EXPECT_EQ(slot(1, 1).front(), "  51");
  EXPECT_TRUE(findText(doc(), 1, "Naziv osnovnog sredstva")) << "heading repeated";
  EXPECT_TRUE(findText(doc(), 1, "Strana 2"));
  EXPECT_EQ(slot(1, 2), (std::vector<std::string>{"UKUPNO:", "     61,200.00", "     15,300.00",
                                                  "     45,900.00", "      6,120.00"}));
}

TEST_F(Statements, TotalsOfAFullPageGoOnANewPageWithItsHeading) {
  assets(50);
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  ASSERT_EQ(doc().pageCount(), 2);
  EXPECT_EQ(slot(0, 50).front(), "  50");
  EXPECT_FALSE(findText(doc(), 0, "UKUPNO:")) << "not in the footer band";
  EXPECT_TRUE(findText(doc(), 1, "Godina: 2023  //  Meseci: 12"));
  EXPECT_TRUE(findText(doc(), 1, "Naziv osnovnog sredstva"));
  EXPECT_EQ(slot(1, 1).front(), "UKUPNO:");
  EXPECT_EQ(test::opsOf(doc(), 1, OpKind::Line).back().rect(), (ui::RectMm{10, 30, 200, 30}));
}

TEST_F(Statements, AssetsWithoutAResultAndTaxGroupsAboveOneAreLeftOut) {
  folder_.addAssets({assetNo("1").acquired("01.02.2020").accounting(100, 10, 1).tax(100, 1, 10),
                     assetNo("2").acquired("01.02.2020").accounting(200, 10, 1).tax(200, 3, 10),
                     assetNo("3").acquired("01.02.2020").accounting(300, 10, 1).tax(300, 0, 10)});
  writePa({{.InvBr = "2", .PAGrupa = 3, .PAm = 20},
           {.InvBr = "3", .PAGrupa = 0, .PAm = 30},
           {.InvBr = "9", .PAGrupa = 1, .PAm = 90}});
  ASSERT_TRUE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
  // Asset 1 has no record, 2 is in group III, 9 is not in the register: only asset 3.
  EXPECT_EQ(slot(0, 1)[1], "3");
  EXPECT_EQ(slot(0, 2).front(), "UKUPNO:");
  EXPECT_EQ(slot(0, 2).back(), "         30.00");
}

TEST_F(Statements, TableHeldByAnotherUserIsNamedAndThePreviousDocumentStays) {
  assets(2);
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  const auto file = folder_.resultFile(2023, 12, depreciation::ResultKind::Tax);
  auto holder = store::DbfTable::open(file, {.shared = false});
  ASSERT_TRUE(holder);
  const std::size_t before = folder_.shown().size();
  EXPECT_FALSE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
  EXPECT_FALSE(StampaOA(program(), printer_, row("P", "Obrazac OA ")));
  const auto shown = folder_.shown();
  ASSERT_EQ(shown.size(), before + 6);  // wait, wait closed, message; twice
  EXPECT_EQ(shown[before + 2], "error: " + depreciation::tableInUseMessage(file));
  EXPECT_NE(shown[before + 2].find("A202312P.dbf"), std::string::npos);
  EXPECT_EQ(printer_.beginDocCount(), 1);
  EXPECT_EQ(doc().title, "ObracunRacunovodstveneAmortizacije");
  EXPECT_EQ(folder_.ui().openWaitNotices(), 0);
  EXPECT_FALSE(program().areas.isOpen("BazaPA"));
  holder->close();
  // A reader beside it is no obstacle.
  auto reader = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  EXPECT_TRUE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
}

// --- form OA ---

TEST_F(Statements, FormOaPrintsEveryGroupWithItsRateAndTheColumnSums) {
  writePa({{.InvBr = "1", .PAPrVr = 1000, .PAOsn = 1500, .PAGrupa = 2, .PAm = 150, .PASadVr = 1350},
           {.InvBr = "2",
            .PAPrVr = 0,
            .PAOsn = 500,
            .PAGrupa = 2,
            .PAm = 50,
            .PASadVr = 450,
            .PANab = true},
           {.InvBr = "3", .PAPrVr = 700, .PAOsn = 0, .PAOtpVr = 700, .PAGrupa = 4, .PAOtp = true},
           {.InvBr = "4",
            .PAPrVr = 0,
            .PAOsn = 0,
            .PAOtpVr = 300,
            .PAGrupa = 5,
            .PANab = true,
            .PAOtp = true},
           {.InvBr = "5", .PAPrVr = 99, .PAOsn = 99, .PAGrupa = 1, .PAm = 9}});
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA ")));
  EXPECT_EQ(doc().title, "ObrazacOA");
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_TRUE(findText(doc(), 0, "Obrazac OA"));
  EXPECT_TRUE(findText(doc(), 0, "Obracun Amortizacije stalnih sredstava za 2023. godinu"));
  auto band = [&](int j) {
    std::vector<std::string> texts;
    for (const auto& t : textsInBand(doc(), 0, 36 + 5 * j)) texts.push_back(t.text);
    return texts;
  };
  const std::string zero = amount(0);
  // Group, columns 2, 3, 4, 5, 7 and 8, then the rate.
  EXPECT_EQ(band(1), (std::vector<std::string>{"II", amount(1000), amount(500), zero, amount(2000),
                                               amount(200), amount(1800), "10%"}));
  EXPECT_EQ(band(2), (std::vector<std::string>{"III", zero, zero, zero, zero, zero, zero, "15%"}))
      << "a group without records";
  EXPECT_EQ(band(3), (std::vector<std::string>{"IV", amount(700), zero, amount(700), zero, zero,
                                               zero, "20%"}));
  EXPECT_EQ(band(4), (std::vector<std::string>{"V", zero, amount(300), amount(300), zero, zero,
                                               zero, "30%"}));
  EXPECT_EQ(band(5), (std::vector<std::string>{"UKUPNO:", amount(1700), amount(800), amount(1000),
                                               amount(2000), amount(200), amount(1800)}));
  EXPECT_EQ(band(9), (std::vector<std::string>{"Datum obracuna", "Obracunao"}));
  const auto lines = test::opsOf(doc(), 0, OpKind::Line);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].rect(), (ui::RectMm{10, 60, 200, 60}));
  EXPECT_EQ(lines[lines.size() - 2].rect(), (ui::RectMm{30, 91, 60, 91}));
  EXPECT_EQ(lines.back().rect(), (ui::RectMm{150, 91, 180, 91}));
  for (const char* number : {"1", "2", "3", "4", "5", "6", "7", "8"}) {
    const auto t = findText(doc(), 0, number);
    ASSERT_TRUE(t) << number;
    EXPECT_EQ(t->rect.top, 36);
    EXPECT_EQ(t->align, TextAlign::Center);
  }
  EXPECT_EQ(findText(doc(), 0, "Pribavljena sredstva")->rect, (ui::RectMm{50, 22, 80, 26}));
  EXPECT_EQ(findText(doc(), 0, "Stopa")->align, TextAlign::Center);
}

TEST_F(Statements, FormOaLeavesOutTheNewRulesFrom2019Only) {
  const std::vector<store::PaRow> rows{
      {.InvBr = "1", .PAOsn = 100, .PAGrupa = 3, .PAm = 15},
      {.InvBr = "2", .PAOsn = 200, .PAGrupa = 3, .PAm = 30, .NoviPrav = true}};
  writePa(rows, 2018);
  writePa(rows, 2019);
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA ", 2018)));
  EXPECT_EQ(textsInBand(doc(), 0, 46)[4].text, amount(300)) << "2018 counts both";
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA ", 2019)));
  EXPECT_EQ(textsInBand(doc(), 0, 46)[4].text, amount(100)) << "2019 only the old rules";
}

TEST_F(Statements, FormOaOfAPeriodNamesItsMonths) {
  writePa({}, 2023, 6);
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA (Periodicni)", 2023, "06")));
  EXPECT_TRUE(
      findText(doc(), 0, "Obracun Amortizacije stalnih sredstava za 2023. godinu  //  Meseci: 06"));
  writePa({});
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA ")));
  EXPECT_TRUE(findText(doc(), 0, "Obracun Amortizacije stalnih sredstava za 2023. godinu"));
}

// --- totals against the stored results ---

TEST_F(Statements, TotalsEqualTheStoredResultsOfACalculatedRandomRegister) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> cents(1, 5'000'000'00), group(1, 5), day(1, 28), month(1, 12),
      year(2015, 2022);
  std::vector<store::AssetRecord> register_;
  for (int i = 1; i <= 300; ++i) {
    const double base = cents(random) / 100.0;
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%d", day(random), month(random), year(random));
    register_.push_back(assetNo(std::to_string(i))
                            .acquired(date)
                            .accounting(base, 10 + i % 7, 1)
                            .tax(base, group(random), 10 + i % 5));
  }
  folder_.addAssets(register_);
  for (int y = 2020; y <= 2023; ++y)
    ASSERT_TRUE(depreciation::runObracun(program(), {y, 12, true, true}, {}).done);

  const std::vector<store::RaRow> ra = folder_.raRows(2023);
  const std::vector<store::PaRow> pa = folder_.paRows(2023);
  std::int64_t raBase = 0, raAm = 0, paBase = 0, paAm = 0;
  std::int64_t oaBase = 0, oaAm = 0, oaClosing = 0, oaOpening = 0;
  for (const store::RaRow& r : ra) {
    raBase += thousandths(r.RAOsn);
    raAm += thousandths(r.RAm);
  }
  for (const store::PaRow& r : pa) {
    if (r.PAGrupa == 1) {
      paBase += thousandths(r.PAOsn);
      paAm += thousandths(r.PAm);
    } else if (!r.NoviPrav) {
      oaOpening += thousandths(r.PAPrVr);
      oaBase += thousandths(r.PAOsn);
      oaAm += thousandths(r.PAm);
      oaClosing += thousandths(r.PASadVr);
    }
  }
  auto text = [](std::int64_t t) { return amount(static_cast<double>(t) / 1000.0); };
  auto totals = [&] {
    for (int p = doc().pageCount() - 1, k = 50; k >= 1; --k) {
      const auto texts = slot(p, k);
      if (!texts.empty() && texts.front() == "UKUPNO:") return texts;
    }
    return std::vector<std::string>{};
  };
  ASSERT_TRUE(
      StampaORA(program(), printer_, row("R", "Godisnji obracun Racunovodstvene amortizacije")));
  // Every asset has its result; 50 lines a page, the totals below the last line or, after
  // a full page, on a page of their own.
  EXPECT_EQ(doc().pageCount(), static_cast<int>(ra.size() / 50 + 1));
  auto t = totals();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[3], text(raBase));
  EXPECT_EQ(t[4], text(raAm));
  ASSERT_TRUE(StampaOPA(program(), printer_, row("P", "Godisnji obracun Poreske amortizacije")));
  t = totals();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[3], text(paBase));
  EXPECT_EQ(t[4], text(paAm));
  ASSERT_TRUE(StampaOA(program(), printer_, row("P", "Obrazac OA ")));
  const auto oa = textsInBand(doc(), 0, 61);
  ASSERT_EQ(oa.size(), 7u);
  EXPECT_EQ(oa[1].text, text(oaOpening));
  EXPECT_EQ(oa[4].text, text(oaBase));
  EXPECT_EQ(oa[5].text, text(oaAm));
  EXPECT_EQ(oa[6].text, text(oaClosing));
}

}  // namespace
}  // namespace kavrina::reports
