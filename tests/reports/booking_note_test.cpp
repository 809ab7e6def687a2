// The booking note: its paras add up to the stored depreciation, every credit account is the
// one its prefix gives, an account without one lands under "Bez konta ispravke"; the pages,
// the CSV (read by Python's csv module) and the workbook (read by openpyxl) agree with it.
#include <gtest/gtest.h>

#include <random>

#include "common/number_picture.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/ucitaj_pamram.h"
#include "reports/booking_note_csv.h"
#include "reports/booking_note_report.h"
#include "reports/list_engine.h"
#include "reports/report_fixture.h"
#include "reports/xlsx_dump.h"
#include "reports/xlsx_writer.h"
#include "support/temp_dir.h"
#include "support/test_seed.h"

namespace kavrina::reports {
namespace {

using depreciation::BookingAsset;
using depreciation::BookingNote;
using depreciation::thousandths;
using depreciation::testing::assetNo;
using store::RaRow;

std::string runPython(const std::string& script, const std::filesystem::path& file) {
  std::string out;
  FILE* pipe = ::popen(("/usr/bin/python3 '" + script + "' '" + file.string() + "'").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  EXPECT_TRUE(pipe && ::pclose(pipe) == 0) << out;
  return out;
}

TEST(BookingNoteLines, ParasOfEachPartAddUpToItsExactTotalRounded) {
  struct Case {
    const char* name;
    std::vector<double> amounts;  // one asset account each
    std::vector<std::int64_t> paras;
    std::int64_t total;
  };
  const std::vector<Case> cases{
      {"whole paras", {100.25, 3.5}, {10025, 350}, 10375},
      {"half paras go up", {0.335, 0.335, 0.335}, {34, 34, 33}, 101},
      {"largest remainder first", {0.001, 0.009, 0.004}, {0, 1, 0}, 1},
      {"a line below half a para", {0.004}, {0}, 0},
      {"thousands", {1234567.891, 0.109}, {123456789, 11}, 123456800},
  };
  for (const Case& c : cases) {
    std::vector<RaRow> rows;
    std::unordered_map<std::string, BookingAsset> assets;
    for (std::size_t i = 0; i < c.amounts.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      rows.push_back({.InvBr = n, .RAm = c.amounts[i]});
      assets[n] = {"020" + n, "Sredstvo " + n};
    }
    const BookingNote note = depreciation::composeBookingNote(rows, assets, {}, 2025, 12, false);
    std::vector<std::int64_t> paras;
    for (const auto& line : note.lines) paras.push_back(line.paras);
    EXPECT_EQ(paras, c.paras) << c.name;
    EXPECT_EQ(note.totalParas, c.total) << c.name;
  }
}

TEST(BookingNoteLines, DateOfBookingIsTheLastDayOfThePeriod) {
  EXPECT_EQ(depreciation::bookingDate(2025, 12).toText(), "31.12.2025");
  EXPECT_EQ(depreciation::bookingDate(2024, 2).toText(), "29.02.2024");
  EXPECT_EQ(depreciation::bookingDate(2025, 6).toText(), "30.06.2025");
}

class BookingNoteReport : public ReportOnRegister {
 protected:
  // Gives the asset `invBr` the account `konto` (with its leading zeros).
  void setKonto(const std::string& invBr, const std::string& konto) {
    store::DbfTable& mdos = program().areas["MDOS"];
    ASSERT_TRUE(mdos.seek(std::stod(invBr)));
    ASSERT_TRUE(mdos.lockRecord());
    mdos.putNumber("Konto", std::stod(konto));
    mdos.putNumber("DuzKonta", static_cast<double>(konto.size()));
    mdos.unlock();
    mdos.commit();
  }
  static CalculationRow row(int year, int months) {
    char m[3];
    std::snprintf(m, sizeof m, "%02d", months);
    return {"A" + std::to_string(year) + m + "R.DBF", "Nalog", std::to_string(year), m};
  }
  // The texts of row slot k of a page of the note.
  std::vector<std::string> slot(int page, int k) const {
    return textsAt(page, kSlotBase + kSlotHeight * k);
  }

  test::TempDir out_;
};

TEST_F(BookingNoteReport, RandomRegisterWithSeveralAccountsAndAPeriodicCalculation) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> cents(1, 50'000'00), day(1, 28), month(1, 12),
      year(2018, 2024);
  const std::vector<std::string> kontos{"0120", "0121", "0220", "0230", "02310", "0300", ""};
  std::uniform_int_distribution<std::size_t> konto(0, kontos.size() - 1);
  std::vector<store::AssetRecord> register_;
  std::vector<std::string> kontoOf;
  for (int i = 1; i <= 180; ++i) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%d", day(random), month(random), year(random));
    register_.push_back(assetNo(std::to_string(i))
                            .acquired(date)
                            .accounting(cents(random) / 100.0, 5 + i % 20, 1)
                            .tax(1000, 2, 10));
    kontoOf.push_back(kontos[konto(random)]);
  }
  folder_.addAssets(register_);
  for (int i = 1; i <= 180; ++i)
    if (!kontoOf[i - 1].empty()) setKonto(std::to_string(i), kontoOf[i - 1]);
  ASSERT_TRUE(depreciation::runObracun(program(), {2024, 12, true, false}, {}).done);
  ASSERT_TRUE(depreciation::runObracun(program(), {2025, 7, true, false}, {}).done);

  std::int64_t stored = 0, storedUnmatched = 0;
  for (const RaRow& r : folder_.raRows(2025, 7)) {
    const std::string& k = kontoOf[std::stoul(r.InvBr) - 1];
    (k.starts_with("01") || k.starts_with("02") ? stored : storedUnmatched) += thousandths(r.RAm);
  }
  ASSERT_GT(stored, 0);
  settings::BookingAccounts accounts;
  accounts.prefixes.push_back({"0231", "02319"});
  ASSERT_TRUE(StampaNaloga(program(), printer_, row(2025, 7), accounts, false));
  const auto note = readBookingNote(program(), row(2025, 7), accounts, false);
  ASSERT_TRUE(note);

  // Debit total = credit total = the stored depreciation of the accounts booked, in paras.
  EXPECT_EQ(note->totalParas, (stored + 5) / 10);
  EXPECT_EQ(note->unmatchedParas, (storedUnmatched + 5) / 10);
  EXPECT_EQ(note->datum.toText(), "31.07.2025");
  for (const auto& line : note->lines) {
    const char* expected = line.konto.starts_with("0231") ? "02319"
                           : line.konto.starts_with("01") ? "019"
                                                          : "029";
    EXPECT_EQ(line.ispravka, expected) << line.konto;
  }
  for (const auto& line : note->unmatched) EXPECT_TRUE(line.konto == "0300" || line.konto.empty());
  ASSERT_FALSE(note->unmatched.empty());

  // The pages: a line per account pair, both totals, then the accounts without a pair.
  const std::string total = formatAmountGrowing(note->totalParas / 100.0);
  const int n = static_cast<int>(note->lines.size());
  EXPECT_EQ(slot(0, n + 1), (std::vector<std::string>{"UKUPNO DUGUJE:", total}));
  EXPECT_EQ(slot(0, n + 2), (std::vector<std::string>{"UKUPNO POTRAZUJE:", total}));
  EXPECT_EQ(slot(0, n + 4), std::vector<std::string>{"Bez konta ispravke"});
  EXPECT_TRUE(
      test::findText(doc(), 0, "Godina: 2025  //  Meseci: 7  //  Datum knjizenja: 31.07.2025"));
  for (const char* signature : {"Sastavio", "Kontrolisao", "Knjizio"})
    EXPECT_TRUE(test::findText(doc(), doc().pageCount() - 1, signature)) << signature;

  // The CSV read by Python's csv module.
  const auto csv = out_ / "nalog.csv";
  ASSERT_EQ(writeBookingNoteCsv(*note, csv, {}, false), std::nullopt);
  const std::string sums = runPython(KAVRINA_CSV_SUMS, csv);
  const std::string amount = depreciation::parasText(note->totalParas);
  EXPECT_EQ(sums, "Datum,Konto,Opis,Duguje,Potrazuje\nlines " + std::to_string(2 * n) +
                      "\nduguje " + amount + "\npotrazuje " + amount + "\ndates 31.07.2025\n");

  // The workbook the document carries, read by openpyxl: the page's lines and total.
  ASSERT_TRUE(doc().workbook);
  const auto xlsx = out_ / "nalog.xlsx";
  ASSERT_EQ(writeXlsx(doc().workbook(), xlsx, {}, false), std::nullopt);
  const auto cells = test::xlsxCells(xlsx);
  for (int k = 1; k <= n; ++k) {
    const std::vector<std::string> page = slot(0, k);
    ASSERT_EQ(page.size(), 6u) << k;
    const std::string r = std::to_string(6 + k);
    EXPECT_EQ(test::xlsxCell(cells, "Nalog!B" + r), "s " + page[1]);
    EXPECT_EQ(test::xlsxCell(cells, "Nalog!C" + r), "s " + page[2]);
    EXPECT_EQ(test::xlsxCell(cells, "Nalog!D" + r), "s " + page[3]);
    EXPECT_EQ(test::xlsxCell(cells, "Nalog!E" + r), "s " + page[4]);
    const std::string f = test::xlsxCell(cells, "Nalog!F" + r);
    EXPECT_EQ(std::stod(f.substr(2)), pictureTextValue(page[5])) << f;
    EXPECT_TRUE(f.ends_with(" #,##0.00")) << f;
  }
  const std::string totalCell = test::xlsxCell(cells, "Nalog!F" + std::to_string(7 + n));
  EXPECT_TRUE(totalCell.starts_with("f =SUM(F7:F" + std::to_string(6 + n) + ") = ")) << totalCell;
  EXPECT_DOUBLE_EQ(std::stod(totalCell.substr(totalCell.find(" = ") + 3)),
                   note->totalParas / 100.0);
}

TEST_F(BookingNoteReport, PerAssetSwitchGivesOneLinePerAssetWithItsInventoryNumber) {
  folder_.addAssets({assetNo("007").acquired("01.01.2020").accounting(1200, 10, 1),
                     assetNo("8").acquired("01.01.2020").accounting(2400, 10, 1),
                     assetNo("9").acquired("01.01.2020").accounting(3600, 10, 1)});
  setKonto("007", "0230");
  setKonto("8", "0230");
  setKonto("9", "0120");
  ASSERT_TRUE(depreciation::runObracun(program(), {2025, 12, true, false}, {}).done);
  const auto byAccount = readBookingNote(program(), row(2025, 12), {}, false);
  const auto byAsset = readBookingNote(program(), row(2025, 12), {}, true);
  ASSERT_TRUE(byAccount && byAsset);
  ASSERT_EQ(byAccount->lines.size(), 2u);
  ASSERT_EQ(byAsset->lines.size(), 3u);
  EXPECT_EQ(byAsset->totalParas, byAccount->totalParas);
  EXPECT_EQ(byAsset->totalParas, 72000);
  EXPECT_EQ(depreciation::bookingLineText(*byAccount, byAccount->lines[0]),
            "Amortizacija 2025, konto 0120");
  EXPECT_EQ(byAsset->lines[0].ispravka, "019");
  EXPECT_EQ(depreciation::bookingLineText(*byAsset, byAsset->lines[1]), "Amortizacija 2025, 007");
  EXPECT_EQ(byAsset->lines[2].invBr, "8");
  EXPECT_EQ(byAsset->lines[2].paras, 24000);
}

}  // namespace
}  // namespace kavrina::reports
