// The present values of the asset list read once per load: the same answers as the
// procedure that opens and indexes each annual result per asset, refreshed when a result
// file changes; and the asset list's rows.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "depreciation/annual_results_cache.h"
#include "depreciation/asset_builder.h"
#include "depreciation/asset_list.h"
#include "depreciation/calculation_input.h"
#include "depreciation/inv_br_index.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "store/schema.h"
#include "support/test_seed.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;
using testing::assetNo;
using testing::RegisterFolder;

// The procedure as the asset list once ran it for every asset: for each year from the
// newest down to the oldest, open A(j)12R as a working table, index it on "InvBr" and seek.
double literalOBRRASADVR(store::Program& program, const std::string& invBr, int newestYear,
                         int oldestYear, double defaultValue) {
  std::string key = invBr;
  key.resize(30, ' ');
  for (int j = newestYear; j >= oldestYear; --j) {
    const fs::path file = store::dataPath(program, resultTableName(j, 12, ResultKind::Accounting));
    if (!fs::exists(file)) continue;
    if (!store::openWorkingTable(program, file, "BazaRA")) throw std::runtime_error("in use");
    store::DbfTable& t = program.areas["BazaRA"];
    const bool found = t.seek(key);
    const double value = found ? t.getNumber("RASadVr") : 0;
    program.areas.close("BazaRA");
    if (found) return value;
  }
  return defaultValue;
}

// Writes A(year)12R with the records (number, RASadVr, deleted).
struct ResultRecord {
  std::string invBr;
  double sadVr;
  bool deleted;
};
void writeAnnualResult(store::Program& program, int year,
                       const std::vector<ResultRecord>& records) {
  const fs::path file = store::dataPath(program, resultTableName(year, 12, ResultKind::Accounting));
  ASSERT_TRUE(store::DbfTable::create(file, store::schema::resultRa()));
  auto t = store::DbfTable::open(file, {.shared = false});
  ASSERT_TRUE(t);
  for (const ResultRecord& r : records) {
    ASSERT_TRUE(t->append());
    t->putString("InvBr", r.invBr);
    t->putNumber("RASadVr", r.sadVr);
    if (r.deleted) t->deleteRecord();
  }
  t->close();
}

TEST(PresentValues, CacheAnswersAsTheProcedureOnRandomResults) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  RegisterFolder folder;
  store::Program& program = folder.program();
  std::uniform_int_distribution<int> number(1, 60), coin(0, 3);
  std::uniform_int_distribution<long long> milli(0, 10'000'000'000);
  // Years 2015 to 2024 with gaps; numbers repeat within a year, some records deleted.
  for (int year = 2015; year <= 2024; ++year) {
    if (year == 2018 || year == 2021) continue;
    std::vector<ResultRecord> records;
    for (int i = 0; i < 80; ++i)
      records.push_back(
          {std::to_string(number(rng)), static_cast<double>(milli(rng)) / 1000, coin(rng) == 0});
    writeAnnualResult(program, year, records);
  }
  // A periodic result and a tax result are not annual accounting results.
  writeAnnualResult(program, 2025, {});
  fs::rename(store::dataPath(program, "A202512R.dbf"), store::dataPath(program, "A202506R.dbf"));

  AnnualResultsCache cache;
  cache.refresh(store::dataPath(program, ""));
  EXPECT_EQ(cache.filesReadLastRefresh(), 8);
  std::uniform_int_distribution<int> newest(2013, 2026), span(0, 12);
  for (int q = 0; q < 400; ++q) {
    const std::string invBr = std::to_string(number(rng));
    const int y = newest(rng);
    const int oldest = y - span(rng);
    const double def = static_cast<double>(q);
    ASSERT_EQ(cache.OBRRASADVR(invBr, y, oldest, def),
              literalOBRRASADVR(program, invBr, y, oldest, def))
        << invBr << " " << y << ".." << oldest;
  }
}

TEST(PresentValues, ARecalculatedOrDeletedResultIsSeenAtTheNextRefreshOnly) {
  RegisterFolder folder;
  store::Program& program = folder.program();
  writeAnnualResult(program, 2022, {{"7", 100, false}});
  writeAnnualResult(program, 2023, {{"7", 50, false}});
  AnnualResultsCache cache;
  const fs::path dbf = store::dataPath(program, "");
  cache.refresh(dbf);
  EXPECT_EQ(cache.OBRRASADVR("7", 2026, 2000, -1), 50);

  cache.refresh(dbf);
  EXPECT_EQ(cache.filesReadLastRefresh(), 0) << "nothing changed: nothing read";

  writeAnnualResult(program, 2023, {{"7", 40, false}});
  cache.refresh(dbf);
  EXPECT_EQ(cache.filesReadLastRefresh(), 1);
  EXPECT_EQ(cache.OBRRASADVR("7", 2026, 2000, -1), 40);

  fs::remove(store::dataPath(program, "A202312R.dbf"));
  cache.refresh(dbf);
  EXPECT_EQ(cache.OBRRASADVR("7", 2026, 2000, -1), 100);
  EXPECT_EQ(cache.OBRRASADVR("7", 2021, 2000, -1), -1);
}

TEST(PresentValues, AResultHeldByACalculationIsLeftOutAndReadLater) {
  RegisterFolder folder;
  store::Program& program = folder.program();
  writeAnnualResult(program, 2022, {{"7", 100, false}});
  writeAnnualResult(program, 2023, {{"7", 50, false}});
  auto held = store::DbfTable::open(store::dataPath(program, "A202312R.dbf"), {.shared = false});
  ASSERT_TRUE(held);
  AnnualResultsCache cache;
  cache.refresh(store::dataPath(program, ""));
  EXPECT_EQ(cache.OBRRASADVR("7", 2026, 2000, -1), 100);
  held->close();
  cache.refresh(store::dataPath(program, ""));
  EXPECT_EQ(cache.OBRRASADVR("7", 2026, 2000, -1), 50);
}

struct PictureCase {
  std::string name;
  double value;
  std::string text;
};
void PrintTo(const PictureCase& c, std::ostream* os) {
  *os << c.name;
}

class AmountPicture : public ::testing::TestWithParam<PictureCase> {};
TEST_P(AmountPicture, GroupsThousandsInSeventeenCharacters) {
  EXPECT_EQ(amountPicture(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Values, AmountPicture,
    ::testing::Values(PictureCase{"Zero", 0, "             0.00"},
                      PictureCase{"HalfRoundsAway", 1234.005, "         1,234.01"},
                      PictureCase{"Million", 1234567.891, "     1,234,567.89"},
                      PictureCase{"Largest", 99999999999.99, "99,999,999,999.99"},
                      PictureCase{"Negative", -1500, "        -1,500.00"},
                      PictureCase{"TooWide", 100000000000.0, "*****************"}),
    [](const auto& info) { return info.param.name; });

// The list of the register as the window reads it: typed rows and their texts.
AssetList listOf(store::Program& program, const AssetListOptions& options = {}) {
  AssetListOptions withValues = options;
  withValues.presentValue = presentValueLookup(program);
  const std::optional<AssetList> list = loadAssetList(program, withValues);
  EXPECT_TRUE(list.has_value());
  return list.value_or(AssetList{});
}

TEST(AssetList, TypedRowsCarryThePresentValueOfTheNewestAnnualResultUnderTheirTexts) {
  RegisterFolder folder;
  store::Program& program = folder.program();
  folder.addAssets(
      {assetNo("10").acquired("15.03.2020").accounting(120000, 10, 1).tax(100000, 1, 2.5),
       assetNo("9").acquired("01.02.2024").accounting(5000, 10, 1).tax(5000, 1, 2.5)});
  ASSERT_TRUE(runObracun(program, {2020, 12, true, true}, {}).done);
  ASSERT_TRUE(runObracun(program, {2021, 12, true, true}, {}).done);
  program.NGODINA = 2021;
  const AssetList list = listOf(program);
  ASSERT_EQ(list.rows.size(), 2u);
  const AssetListRow& nine = list.rows[0];
  const AssetListRow& ten = list.rows[1];
  EXPECT_EQ(nine.InvBr, "9") << "index order: 9 before 10";
  EXPECT_EQ(nine.presentValue, 5000) << "no result holds it: its base";
  EXPECT_EQ(ten.DatumN, Date::fromYmd(2020, 3, 15));
  EXPECT_EQ(ten.RAOsn, 120000);
  EXPECT_EQ(ten.PAOsn, 100000);
  EXPECT_EQ(ten.presentValue, 99000);
  EXPECT_EQ(assetListTexts(ten, list.widths),
            (std::vector<std::string>{"10" + std::string(28, ' '), std::string(30, ' '),
                                      "15.03.2020", "       120,000.00", "       100,000.00",
                                      "        21,000.00", "        99,000.00"}));

  program.NGODINA = 2020;  // the newest year looked at
  EXPECT_EQ(listOf(program).rows[1].presentValue, 111000);

  // The progress box: cancelled after the first row keeps that row.
  folder.ui().cancelProgressAt(1);
  UcitajOsnovnaSredstva(program, presentValueLookup(program));
  ASSERT_EQ(program.AOSNOVNASREDSTVA.size(), 1u);
  EXPECT_EQ(assetListTexts(program.AOSNOVNASREDSTVA.rows[0], program.AOSNOVNASREDSTVA.widths),
            assetListTexts(nine, list.widths));
  EXPECT_EQ(folder.shown().front(),
            "progress 1..2: Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...");
  EXPECT_EQ(folder.ui().openProgressBoxes(), 0);
}

// Each filter against the fields it reads; the progress counts every record gone through.
TEST(AssetList, FiltersKeepTheAssetsTheyNameAndTheProgressCountsEveryRecord) {
  RegisterFolder folder;
  store::Program& program = folder.program();
  folder.addAssets({assetNo("1").acquired("15.03.2020").accounting(1000, 10, 1),
                    assetNo("2").acquired("15.03.2020").accounting(1000, 10, 1),
                    assetNo("3").acquired("15.03.2020").accounting(1000, 10, 1)});
  store::DbfTable& mdos = program.areas["MDOS"];
  auto change = [&](const char* invBr, auto assign) {
    ASSERT_TRUE(mdos.seek(std::stod(invBr)));
    ASSERT_TRUE(mdos.lockRecord());
    assign(mdos);
    mdos.unlock();
    mdos.commit();
  };
  change("1", [](store::DbfTable& t) { t.putString(t.fieldIndex("Naziv"), "Kombi Vito"); });
  change("2",
         [](store::DbfTable& t) { t.putDate(t.fieldIndex("DatumO"), Date::fromYmd(2024, 1, 1)); });
  change("3", [](store::DbfTable& t) {
    t.putNumber(t.fieldIndex("ODeo"), 12);
    t.putNumber(t.fieldIndex("Konto"), 201);
  });
  const struct {
    AssetFilter filter;
    std::vector<std::string> kept;
  } cases[] = {{writtenOffAssets(), {"2"}},   {assetsInUse(), {"1", "3"}},
               {assetsNamed("vito "), {"1"}}, {assetsNamed("kombi"), {"1"}},
               {assetsOfUnit("012"), {"3"}},  {assetsOfAccount("0201"), {"3"}},
               {assetsOfUnit("7"), {}}};
  for (const auto& c : cases) {
    std::size_t steps = 0;
    AssetListOptions options;
    options.keep = c.filter.keep;
    options.step = [&](std::size_t n) {
      steps = n;
      return true;
    };
    const AssetList list = listOf(program, options);
    std::vector<std::string> kept;
    for (const AssetListRow& row : list.rows) kept.push_back(row.InvBr);
    EXPECT_EQ(kept, c.kept) << c.filter.words;
    EXPECT_EQ(steps, 3u) << c.filter.words;
  }
}

}  // namespace
}  // namespace kavrina::depreciation
