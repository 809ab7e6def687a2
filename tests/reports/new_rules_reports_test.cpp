// The register of assets acquired from 2019 and form POA against the recording printer, on
// result tables of a real program folder: pages, rows, recognised columns, totals,
// headings, the closing block, and the exact totals of a calculated register.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/number_picture.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "reports/evidencija_2019.h"
#include "reports/obrazac_poa.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "reports/report_fixture.h"
#include "store/rec_lock.h"
#include "support/test_seed.h"

namespace kavrina::reports {
namespace {

using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;
using test::findText;
using test::textsInBand;
using ui::TextAlign;

// One asset of both result tables, as a test states it.
struct Result {
  std::string invBr;
  double ram = 0;
  double pam = 0;
  double raSadVr = 0;
  double paSadVr = 0;
};

class NewRulesReports : public ReportOnRegister {
 protected:
  // Result tables of 2023 written directly: every asset under the new rules, acquired
  // before the year.
  void writeResults(const std::vector<Result>& results, const std::string& months = "12") {
    std::vector<store::RaRow> ra;
    std::vector<store::PaRow> pa;
    for (const Result& r : results) {
      ra.push_back(
          {.InvBr = r.invBr, .BrMes = 12, .RAm = r.ram, .RASadVr = r.raSadVr, .NoviPrav = true});
      pa.push_back(
          {.InvBr = r.invBr, .BrMes = 12, .PAm = r.pam, .PASadVr = r.paSadVr, .NoviPrav = true});
    }
    folder_.writeRaResult(2023, std::stoi(months), ra);
    folder_.writePaResult(2023, std::stoi(months), pa);
  }
  // `count` assets "1".."count" in MDOS and in the results, each of 1,000.00 a side.
  void assets(int count, const std::string& months = "12") {
    std::vector<store::AssetRecord> register_;
    std::vector<Result> results;
    for (int i = 1; i <= count; ++i) {
      register_.push_back(
          assetNo(std::to_string(i)).acquired("01.02.2021").accounting(10000, 10, 1));
      results.push_back({std::to_string(i), 1000, 1000, 9000, 9000});
    }
    folder_.addAssets(register_);
    writeResults(results, months);
  }
  // Every asset of MDOS gets the name "Sredstvo " + its number.
  void nameAssets() {
    store::DbfTable& mdos = program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      const std::string invBr = mdos.getString("InvBr");
      ASSERT_TRUE(store::writeRecord(program(), "MDOS", false, [&](store::DbfTable& t) {
        t.putString("Naziv", "Sredstvo " + invBr.substr(0, invBr.find(' ')));
      }));
    }
  }
  // The texts of register row slot n of a page, in column order.
  std::vector<std::string> row(int page, int n) const { return textsAt(page, 27 + 5 * n); }
};

const std::string kAmount1000 = "      1,000.00";

TEST_F(NewRulesReports, RegisterPagesHoldThirtyThreeRowsAndTheTotalsFollowTheLastRow) {
  assets(34);
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12"));
  ASSERT_EQ(doc().pageCount(), 2);
  EXPECT_EQ(doc().title, "Evidencija_OS_od_01012019");
  EXPECT_EQ(doc().orientation, ui::Orientation::Landscape);
  EXPECT_EQ(printer_.previewCount(), 1);
  EXPECT_EQ(row(0, 1).front(), "    1.");
  EXPECT_EQ(row(0, 33).front(), "   33.");
  EXPECT_TRUE(row(0, 34).empty());
  EXPECT_EQ(row(1, 1).front(), "   34.");
  // The totals box and row directly below row 1 of page 2; the signatures below them.
  EXPECT_EQ(test::opsOf(doc(), 1, OpKind::Box).back().rect(), (ui::RectMm{8, 37, 290, 42}));
  const auto ukupno = findText(doc(), 1, "Ukupno:");
  ASSERT_TRUE(ukupno);
  EXPECT_EQ(ukupno->rect, (ui::RectMm{19, 38, 39, 43}));
  EXPECT_EQ(findText(doc(), 1, "Sastavio")->rect, (ui::RectMm{40, 45, 90, 50}));
  EXPECT_EQ(findText(doc(), 1, "Odgovorno lice")->rect, (ui::RectMm{210, 45, 260, 50}));
  const auto lines = test::opsOf(doc(), 1, OpKind::Line);
  EXPECT_EQ(lines[lines.size() - 2].rect(), (ui::RectMm{40, 52, 90, 52}));
  EXPECT_EQ(lines.back().rect(), (ui::RectMm{210, 52, 260, 52}));
  EXPECT_EQ(findText(doc(), 1, "     34,000.00")->rect.left, 152) << "total of column 8";
  EXPECT_EQ(folder_.ui().openWaitNotices(), 0);
}

// Where the closing block goes for a count of assets: the pages, and the top of the totals
// box on the last page.
struct Closing {
  int assets;
  int pages;
  double boxTop;
};
void PrintTo(const Closing& c, std::ostream* os) {
  *os << c.assets << " assets";
}

class RegisterClosing : public NewRulesReports, public ::testing::WithParamInterface<Closing> {};

TEST_P(RegisterClosing, StaysAboveTheFooterBand) {
  assets(GetParam().assets);
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12"));
  ASSERT_EQ(doc().pageCount(), GetParam().pages);
  const int last = GetParam().pages - 1;
  EXPECT_EQ(test::opsOf(doc(), last, OpKind::Box).back().rect().top, GetParam().boxTop);
  // The last page carries its frame and column headings even without a row on it.
  EXPECT_TRUE(findText(doc(), last, "Strana " + std::to_string(GetParam().pages)));
  EXPECT_TRUE(findText(doc(), last, "obra\u010Duna"));
  for (const auto& line : test::opsOf(doc(), last, OpKind::Line))
    EXPECT_LE(line.y2, 199) << "nothing below the footer rule but the footer";
}

// 30 rows end at slot 31: the block ends at 197 mm, above the rule at 199. 31 and 33 rows
// would end it at 202 and 212 mm: it starts the next page, below its headings.
INSTANTIATE_TEST_SUITE_P(Counts, RegisterClosing,
                         ::testing::Values(Closing{30, 1, 182}, Closing{31, 2, 32},
                                           Closing{33, 2, 32}, Closing{34, 2, 37}));

TEST_F(NewRulesReports, RegisterRowShowsTheAssetAndTheRecognisedDepreciation) {
  folder_.addAssets({assetNo("7").acquired("15.03.2021").accounting(120000, 10, 1),
                     assetNo("8").acquired("02.11.2022").accounting(5000, 10, 1)});
  // 7: accounting 1000 below tax 1200, the accounting one is recognised; 8: equal, the tax
  // one; 9: no longer in MDOS.
  writeResults({{"7", 1000, 1200, 119000, 118800},
                {"8", 1000, 1000, 4000, 4000},
                {"9", 1300, 900.5, 0, 10}});
  nameAssets();
  program().NFONTSIZE = 9;
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12"));
  EXPECT_EQ(row(0, 1), (std::vector<std::string>{"    1.", "7", "Sredstvo 7", "15.03.21",
                                                 "    120,000.00", "01.01.23", "0.00", kAmount1000,
                                                 kAmount1000, "      1,200.00", "          0.00",
                                                 "    118,800.00", "    119,000.00"}));
  const auto cells = textsInBand(doc(), 0, 32);
  const double lefts[] = {10, 19, 39, 84, 100, 122, 138, 152, 176, 198, 220, 242, 264};
  const double widths[] = {9, 20, 45, 16, 22, 16, 14, 24, 22, 22, 22, 22, 24};
  for (std::size_t c = 0; c < cells.size(); ++c) {
    EXPECT_EQ(cells[c].rect, (ui::RectMm{lefts[c], 32, lefts[c] + widths[c], 42})) << c;
    EXPECT_EQ(cells[c].align, c < 3              ? TextAlign::Left
                              : c == 3 || c == 5 ? TextAlign::Center
                                                 : TextAlign::Right);
    EXPECT_EQ(cells[c].font.size, 9);
    EXPECT_FALSE(cells[c].font.bold);
  }
  EXPECT_EQ(row(0, 2)[8], "          0.00");
  EXPECT_EQ(row(0, 2)[10], kAmount1000);
  // An asset gone from MDOS has no name, date or purchase value.
  EXPECT_EQ(row(0, 3),
            (std::vector<std::string>{"    3.", "9", "01.01.23", "0.00", "      1,300.00",
                                      "          0.00", "        900.50", "        900.50",
                                      "         10.00", "          0.00"}));
  // Totals of columns 8, 9, 11, 12 and 13; none for the tax depreciation of column 10.
  std::vector<std::string> totals;
  for (const auto& t : textsInBand(doc(), 0, 28 + 5 * 4)) totals.push_back(t.text);
  EXPECT_EQ(totals,
            (std::vector<std::string>{"Ukupno:", "      3,300.00", "      1,000.00",
                                      "      1,900.50", "    122,810.00", "    123,000.00"}));
}

TEST_F(NewRulesReports, RegisterStartDatesOfACalculatedYear) {
  folder_.addAssets({
      assetNo("1").acquired("15.03.2023").accounting(120000, 10, 1).tax(120000, 2, 10),
      assetNo("2").acquired("10.12.2023").accounting(5000, 10, 1).tax(5000, 2, 10),
      assetNo("3").acquired("20.05.2021").accounting(10000, 10, 1).tax(12000, 2, 10),
  });
  ASSERT_TRUE(depreciation::runObracun(program(), {2023, 12, true, true}, {}).done);
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12"));
  // Column 6 ("Datum obračuna"): from the month after a March acquisition, from 1 January of
  // the next year after a December one, from 1 January of the year for an older asset.
  const char* starts[] = {"01.04.23", "01.01.24", "01.01.23"};
  for (int n = 1; n <= 3; ++n) {
    const auto cells = textsInBand(doc(), 0, 27 + 5 * n);
    const auto start =
        std::find_if(cells.begin(), cells.end(), [](const auto& t) { return t.rect.left == 122; });
    ASSERT_NE(start, cells.end());
    EXPECT_EQ(start->text, starts[n - 1]);
  }
}

TEST_F(NewRulesReports, RegisterFrameIsItsOwnOnTheLandscapePage) {
  assets(1, "06");
  program().CFONTNAME = "Liberation Serif";
  program().NFONTSIZE = 9;
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, "2023", "06"));
  const auto title =
      findText(doc(), 0, "Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->rect, (ui::RectMm{8, 8, 202, 15}));
  EXPECT_EQ(title->font, (ui::PrinterFont{"Liberation Serif", 14, true}));
  EXPECT_EQ(findText(doc(), 0, "Preduzece DOO")->rect, (ui::RectMm{8, 8, 290, 15}));
  const auto period = findText(doc(), 0, "Godina: 2023  //  Meseci: 06");
  ASSERT_TRUE(period);
  EXPECT_EQ(period->rect, (ui::RectMm{8, 15, 202, 20}));
  EXPECT_EQ(period->font, (ui::PrinterFont{"Liberation Serif", 9, true})) << "the settings' size";
  EXPECT_EQ(findText(doc(), 0, "Beograd")->align, TextAlign::Right);
  const auto software = findText(doc(), 0, "Software: Kavrina by Velmar");
  ASSERT_TRUE(software);
  EXPECT_EQ(software->rect, (ui::RectMm{8, 200, 290, 205}));
  EXPECT_EQ(software->font.size, 6);
  EXPECT_EQ(findText(doc(), 0, "Strana 1")->align, TextAlign::Center);
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Line).front().rect(), (ui::RectMm{8, 199, 290, 199}));
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Box).front().rect(), (ui::RectMm{8, 21, 290, 31}));
  const auto heading = findText(doc(), 0, "obra\u010Duna");
  ASSERT_TRUE(heading);
  EXPECT_EQ(heading->rect, (ui::RectMm{122, 26, 138, 30}));
  EXPECT_EQ(heading->align, TextAlign::Center);
  EXPECT_EQ(findText(doc(), 0, "racunovodstvena")->rect, (ui::RectMm{264, 26, 288, 30}));
}

TEST_F(NewRulesReports, NothingToPrintIsToldAndDrawsNothing) {
  folder_.addAssets({assetNo("1").acquired("01.02.2017").accounting(1000, 10, 1).tax(1000, 2, 10)});
  ASSERT_TRUE(depreciation::runObracun(program(), {2023, 12, true, true}, {}).done);
  EXPECT_FALSE(EVIDENCIJAOS01012019(program(), printer_, "2023", "12")) << "old rules only";
  EXPECT_FALSE(OBRAZACPOA(program(), printer_, "2022", "12"));
  EXPECT_EQ(printer_.beginDocCount(), 0);
  EXPECT_EQ(folder_.shown(),
            (std::vector<std::string>{
                "wait: Priprema za stampa u toku. Molim sacekajte...",
                "wait closed: Priprema za stampa u toku. Molim sacekajte...",
                "information: Nema podataka za stampu!",
                "wait: Priprema za stampa u toku. Molim sacekajte...",
                "error: Ne postoje podaci Poreske amoritzacije\rza godinu 2022 (meseci 12).",
                "wait closed: Priprema za stampa u toku. Molim sacekajte...",
                "information: Nema podataka za stampu!"}));
}

TEST_F(NewRulesReports, PoaLineOneTakesTheSmallerDepreciation) {
  // 1200.00 / 900.00 gives 900.00, 500.00 / 800.00 gives 500.00, tax only gives 0.
  writeResults({{"1", 1200, 900}, {"2", 500, 800}, {"3", 0, 300}});
  ASSERT_TRUE(OBRAZACPOA(program(), printer_, "2023", "12"));
  ASSERT_EQ(doc().pageCount(), 1);
  EXPECT_EQ(doc().title, "ObrazacPOA");
  EXPECT_EQ(doc().orientation, ui::Orientation::Portrait);
  const char* opis[] = {
      "Iznos amortizacije koji se priznaje kao rashod u poreskom periodu",
      "Iznos razlike izmedju neotpisane poreske i neotpisane racunovodstvene vrednosti stalnih "
      "sredstava u skladu sa cl.3. st.7. Pravilnika",
      "Ukupan iznos amortizacije koji se priznaje kao rashod u poreskom periodu (1+2)"};
  const char* iznos[] = {"      1,400.00", "          0.00", "      1,400.00"};
  for (int c = 1; c <= 3; ++c) {
    const auto line = textsInBand(doc(), 0, 27 + 5 * c);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].text, std::to_string(c) + ".");
    EXPECT_EQ(line[0].rect, (ui::RectMm{10, 27.0 + 5 * c, 15, 37.0 + 5 * c}));
    EXPECT_EQ(line[1].text, opis[c - 1]);
    // The description is one line clipped at x 180, where the amount begins.
    EXPECT_EQ(line[1].rect, (ui::RectMm{15, 27.0 + 5 * c, 180, 37.0 + 5 * c}));
    EXPECT_EQ(line[2].text, iznos[c - 1]);
    EXPECT_EQ(line[2].rect, (ui::RectMm{180, 27.0 + 5 * c, 200, 37.0 + 5 * c}));
    EXPECT_EQ(line[2].align, TextAlign::Right);
  }
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Line)[1].rect(), (ui::RectMm{8, 47, 202, 47}));
  EXPECT_EQ(findText(doc(), 0, "Sastavio")->rect, (ui::RectMm{20, 55, 70, 60}));
  EXPECT_EQ(findText(doc(), 0, "Odgovorno lice")->rect, (ui::RectMm{140, 55, 190, 60}));
  EXPECT_EQ(test::opsOf(doc(), 0, OpKind::Box).front().rect(), (ui::RectMm{8, 25, 202, 31}));
  EXPECT_EQ(findText(doc(), 0, "Iznos")->rect, (ui::RectMm{180, 26, 200, 30}));
}

TEST_F(NewRulesReports, PoaTitleAndPeriodOfAnnualAndPeriodicCalculations) {
  writeResults({{"1", 10, 10}}, "12");
  writeResults({{"1", 5, 5}}, "06");
  ASSERT_TRUE(OBRAZACPOA(program(), printer_, "2023", "12"));
  EXPECT_TRUE(findText(doc(), 0, "Obrazac POA"));
  const auto annual = findText(doc(), 0, "za period od 01.01.2023 do 31.12.2023");
  ASSERT_TRUE(annual);
  EXPECT_EQ(annual->rect, (ui::RectMm{8, 19, 202, 24}));
  EXPECT_EQ(annual->font.size, 10);
  EXPECT_TRUE(annual->font.bold);
  const auto second = findText(
      doc(), 0,
      "Podaci o obracunatoj amortizaciji stalnih sredstava stecenih pocev od 01.01.2019. godine");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->rect, (ui::RectMm{8, 15, 202, 20}));

  ASSERT_TRUE(OBRAZACPOA(program(), printer_, "2023", "06"));
  EXPECT_TRUE(findText(doc(), 0, "Obrazac POA (Periodicni)"));
  EXPECT_FALSE(findText(doc(), 0, "Obrazac POA"));
  EXPECT_TRUE(findText(doc(), 0, "Godina: 2023  //  Meseci: 06"));
  EXPECT_TRUE(findText(doc(), 0, "          5.00"));
}

// A stored amount read from its decimal text in thousandths, without going through a double.
std::int64_t storedThousandths(std::string_view text) {
  std::int64_t value = 0;
  int decimals = -1;
  bool negative = false;
  for (char ch : text) {
    if (ch == '-') negative = true;
    if (ch == '.') decimals = 0;
    if (ch < '0' || ch > '9') continue;
    value = value * 10 + (ch - '0');
    if (decimals >= 0) ++decimals;
  }
  for (; decimals < 3; ++decimals) value *= 10;
  return negative ? -value : value;
}

// Thousandths as the printed total: rounded half away from zero to hundredths.
std::string printedTotal(std::int64_t thousandths) {
  const std::int64_t cents = (thousandths + (thousandths < 0 ? -5 : 5)) / 10;
  return formatPicture(static_cast<double>(cents) / 100, kPictureAmount);
}

// The new-rules records of a result table by inventory number: (amount, closing value).
std::map<std::string, std::pair<std::int64_t, std::int64_t>> newRulesAmounts(
    const std::filesystem::path& file, const char* amount, const char* closing) {
  auto table = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  std::map<std::string, std::pair<std::int64_t, std::int64_t>> out;
  for (std::uint32_t r = 1; r <= table->recCount(); ++r) {
    table->goTo(r);
    if (table->deleted() || table->rawField(table->fieldIndex("NoviPrav")) != "T") continue;
    out.emplace(std::string(table->rawField(table->fieldIndex("InvBr"))),
                std::pair{storedThousandths(table->rawField(table->fieldIndex(amount))),
                          storedThousandths(table->rawField(table->fieldIndex(closing)))});
  }
  return out;
}

TEST_F(NewRulesReports, TotalsEqualTheSumsOfTheResultTablesOfACalculatedRegister) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> year(2015, 2023), month(1, 12), day(1, 28), group(1, 5),
      rate(1, 40), cents(10'000, 90'000'000), chance(0, 9);
  std::vector<store::AssetRecord> register_;
  for (int i = 1; i <= 400; ++i) {
    const double base = cents(rng) / 100.0;
    const int g = group(rng);
    auto asset = assetNo(std::to_string(i))
                     .acquired(Date::fromYmd(year(rng), month(rng), day(rng)).toText())
                     .accounting(base, rate(rng) / 2.0, 1 + chance(rng) % 2)
                     .tax(chance(rng) == 0 ? base / 3 : base, g, g * 5.0);
    if (chance(rng) == 0) asset.writtenOff(Date::fromYmd(2023, month(rng), day(rng)).toText());
    register_.push_back(asset);
  }
  folder_.addAssets(register_);
  for (int y = 2019; y <= 2023; ++y)
    ASSERT_TRUE(depreciation::runObracun(program(), {y, 12, true, true}, {}).done);
  ASSERT_TRUE(depreciation::runObracun(program(), {2023, 7, true, true}, {}).done);

  for (const auto& [y, months] :
       {std::pair{2019, "12"}, {2021, "12"}, {2023, "12"}, {2023, "07"}}) {
    SCOPED_TRACE(std::to_string(y) + "/" + months);
    const std::string period = "A" + std::to_string(y) + months;
    const auto ra = newRulesAmounts(store::dataPath(program(), period + "R.dbf"), "RAm", "RASadVr");
    const auto pa = newRulesAmounts(store::dataPath(program(), period + "P.dbf"), "PAm", "PASadVr");
    std::map<std::string, std::pair<std::int64_t, std::int64_t>> both;  // RAm, PAm
    for (const auto& [invBr, v] : ra) both[invBr].first = v.first;
    for (const auto& [invBr, v] : pa) both[invBr].second = v.first;
    std::int64_t ram = 0, recognisedRa = 0, recognisedPa = 0, paSadVr = 0, raSadVr = 0, poa = 0;
    for (const auto& [invBr, v] : both) {
      const auto [r, p] = v;
      ram += r;
      recognisedRa += r < p ? r : 0;
      recognisedPa += p <= r ? p : 0;
      poa += std::min(r, p);
    }
    for (const auto& [invBr, v] : ra) raSadVr += v.second;
    for (const auto& [invBr, v] : pa) paSadVr += v.second;
    ASSERT_GT(both.size(), 20u);

    ASSERT_TRUE(EVIDENCIJAOS01012019(program(), printer_, std::to_string(y), months));
    const int last = doc().pageCount() - 1;
    const auto ukupno = findText(doc(), last, "Ukupno:");
    ASSERT_TRUE(ukupno);
    std::vector<std::string> totals;
    for (const auto& t : textsInBand(doc(), last, ukupno->rect.top)) totals.push_back(t.text);
    EXPECT_EQ(totals,
              (std::vector<std::string>{"Ukupno:", printedTotal(ram), printedTotal(recognisedRa),
                                        printedTotal(recognisedPa), printedTotal(paSadVr),
                                        printedTotal(raSadVr)}));
    // 33 rows a page, and a page of its own for the closing block after 31 to 33 rows.
    EXPECT_EQ(doc().pageCount(), static_cast<int>(both.size() + 32) / 33 +
                                     (both.size() % 33 == 0 || both.size() % 33 > 30 ? 1 : 0));

    ASSERT_TRUE(OBRAZACPOA(program(), printer_, std::to_string(y), months));
    EXPECT_EQ(textsInBand(doc(), 0, 32)[2].text, printedTotal(poa));
    EXPECT_EQ(textsInBand(doc(), 0, 42)[2].text, printedTotal(poa));
  }
}

}  // namespace
}  // namespace kavrina::reports
