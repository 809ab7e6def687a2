// OBRACUN's computation on real tables: year after year from 2017 to 2026, every stored
// record must equal what the calculation core gives for the same register, and a few
// values are checked by hand; repeated runs, periodic runs, old result tables, settings.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "depreciation/accounting.h"
#include "depreciation/asset_builder.h"
#include "depreciation/chain_register.h"
#include "depreciation/inv_br_index.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "depreciation/tax.h"
#include "settings/settings_keys.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"
#include "support/test_seed.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;
using testing::assetNo;
using testing::RegisterFolder;

void expectSame(const std::vector<store::RaRow>& stored, const std::vector<store::RaRow>& core,
                int year) {
  ASSERT_EQ(stored.size(), core.size()) << year;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const store::RaRow& s = stored[i];
    const store::RaRow& c = core[i];
    SCOPED_TRACE("RA " + std::to_string(year) + " asset " + c.InvBr);
    EXPECT_EQ(invBrKey(s.InvBr), invBrKey(c.InvBr));
    EXPECT_EQ(s.RAPrVr, c.RAPrVr);
    EXPECT_EQ(s.RAOsn, c.RAOsn);
    EXPECT_EQ(s.RAStopa, c.RAStopa);
    EXPECT_EQ(s.RATip, c.RATip);
    EXPECT_EQ(s.BrMes, c.BrMes);
    EXPECT_EQ(s.RAm, c.RAm);
    EXPECT_EQ(s.RASadVr, c.RASadVr);
    EXPECT_EQ(s.RANab, c.RANab);
    EXPECT_EQ(s.RAOtp, c.RAOtp);
    EXPECT_EQ(s.NoviPrav, c.NoviPrav);
  }
}

void expectSame(const std::vector<store::PaRow>& stored, const std::vector<store::PaRow>& core,
                int year) {
  ASSERT_EQ(stored.size(), core.size()) << year;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const store::PaRow& s = stored[i];
    const store::PaRow& c = core[i];
    SCOPED_TRACE("PA " + std::to_string(year) + " asset " + c.InvBr);
    EXPECT_EQ(invBrKey(s.InvBr), invBrKey(c.InvBr));
    EXPECT_EQ(s.PAPrVr, c.PAPrVr);
    EXPECT_EQ(s.PAOsn, c.PAOsn);
    EXPECT_EQ(s.PAOtpVr, c.PAOtpVr);
    EXPECT_EQ(s.PAStopa, c.PAStopa);
    EXPECT_EQ(s.PAGrupa, c.PAGrupa);
    EXPECT_EQ(s.BrMes, c.BrMes);
    EXPECT_EQ(s.BrDan, c.BrDan);
    EXPECT_EQ(s.PAm, c.PAm);
    EXPECT_EQ(s.PASadVr, c.PASadVr);
    EXPECT_EQ(s.PANab, c.PANab);
    EXPECT_EQ(s.PAOtp, c.PAOtp);
    EXPECT_EQ(s.NoviPrav, c.NoviPrav);
  }
}

const store::RaRow& raOf(const std::vector<store::RaRow>& rows, std::string_view invBr) {
  for (const store::RaRow& r : rows)
    if (invBrKey(r.InvBr) == invBr) return r;
  throw std::runtime_error("asset not in result");
}
const store::PaRow& paOf(const std::vector<store::PaRow>& rows, std::string_view invBr) {
  for (const store::PaRow& r : rows)
    if (invBrKey(r.InvBr) == invBr) return r;
  throw std::runtime_error("asset not in result");
}

// Runs the tables' calculation and the core's year by year and compares every year.
void runChain(RegisterFolder& folder, const std::vector<store::AssetRecord>& mdos,
              const GroupResets& resets, const TaxRules& rules, int first, int last) {
  std::vector<store::RaRow> coreRa;
  std::vector<store::PaRow> corePa;
  for (int year = first; year <= last; ++year) {
    const ObracunResult r = runObracun(folder.program(), {year, 12, true, true}, rules);
    ASSERT_TRUE(r.done) << year;
    const CalcParams params{year, 12, rules};
    std::vector<store::RaRow> ra =
        calculateAccounting(mdos, year == first ? nullptr : &coreRa, params);
    std::vector<store::PaRow> pa =
        calculateTax(mdos, year == first ? nullptr : &corePa, resets, params);
    EXPECT_EQ(r.accountingRows, ra.size());
    EXPECT_EQ(r.taxRows, pa.size());
    expectSame(folder.raRows(year), ra, year);
    expectSame(folder.paRows(year), pa, year);
    coreRa = std::move(ra);
    corePa = std::move(pa);
  }
}

TEST(ObracunTables, ChainFrom2017To2026EqualsTheCoreAndTheHandValues) {
  RegisterFolder folder;
  const std::vector<store::AssetRecord> mdos = testing::chainRegister();
  folder.addAssets(mdos);
  folder.addResets({{testing::kChainResetInvBr, testing::kChainResetYear}});
  const GroupResets resets(
      std::vector<store::GroupResetMark>{{testing::kChainResetInvBr, testing::kChainResetYear}});
  runChain(folder, mdos, resets, TaxRules{}, 2017, 2026);

  // Worked by hand: the straight-line asset keeps its base, the declining one takes the
  // carried value, the new-rules tax asset keeps its base and goes by the day, the
  // old-rules group III declines, the reset group V asset is 0 from 2021.
  const auto ra2017 = folder.raRows(2017);
  EXPECT_EQ(raOf(ra2017, "1").BrMes, 9);
  EXPECT_EQ(raOf(ra2017, "1").RAm, 11250);
  const auto ra2022 = folder.raRows(2022), ra2025 = folder.raRows(2025),
             ra2026 = folder.raRows(2026);
  EXPECT_EQ(raOf(ra2022, "2").RAOsn, 13107.2);
  EXPECT_EQ(raOf(ra2022, "2").RAm, 2621.44);
  EXPECT_EQ(raOf(ra2025, "1").RAm, 3750);
  EXPECT_EQ(raOf(ra2025, "1").RASadVr, 0);
  EXPECT_EQ(raOf(ra2026, "1").RAOsn, 0) << "straight-line base drops once the value is 0";
  const auto pa2020 = folder.paRows(2020), pa2022 = folder.paRows(2022),
             pa2021 = folder.paRows(2021);
  EXPECT_EQ(paOf(pa2020, "3").BrDan, 153);
  EXPECT_EQ(paOf(pa2020, "3").PAm, 3060);
  EXPECT_EQ(paOf(pa2022, "2").PAm, 2662.232) << "17748.213 x 15 % rounded when stored";
  EXPECT_EQ(paOf(pa2022, "2").PASadVr, 15085.981);
  EXPECT_EQ(paOf(pa2022, "3").PAOsn, 73000) << "new-rules asset keeps its base";
  EXPECT_EQ(paOf(pa2022, "4").BrMes, 12) << "old-rules group IV written off: whole year";
  EXPECT_EQ(paOf(pa2022, "4").PASadVr, 0);
  EXPECT_EQ(paOf(pa2021, "5").PAm, 0);
  EXPECT_EQ(paOf(pa2021, "5").PAPrVr, 0) << "reset from 2021";
  EXPECT_EQ(folder.raRows(2024).size(), 6u);
  EXPECT_EQ(folder.raRows(2023).size(), 5u) << "asset 6 acquired in 2024 is absent before";
}

// A register of random assets with stored (three-decimal) amounts, dates from 2010 to
// 2027 and write-offs, deleted records, group resets and every tax setting.
std::vector<store::AssetRecord> randomRegister(std::mt19937& rng, int count) {
  std::uniform_int_distribution<int> year(2010, 2027), month(1, 12), day(1, 28), group(1, 5),
      method(1, 4), percent(0, 3);
  std::uniform_int_distribution<long long> milli(0, 500'000'000);
  const double rates[] = {2.5, 10, 15, 20, 30};
  std::vector<store::AssetRecord> assets;
  for (int i = 1; i <= count; ++i) {
    store::AssetRecord a;
    a.InvBr = std::to_string(i * 3);
    a.DatumN = percent(rng) == 0 ? Date() : Date::fromYmd(year(rng), month(rng), day(rng));
    if (percent(rng) == 0) a.DatumO = Date::fromYmd(year(rng), month(rng), day(rng));
    a.RAOsn = static_cast<double>(milli(rng)) / 1000;
    a.PAOsn = percent(rng) == 0 ? a.RAOsn : static_cast<double>(milli(rng)) / 1000;
    a.IspVr = percent(rng) == 0 ? static_cast<double>(milli(rng) / 4) / 1000 : 0;
    a.RAStopa = static_cast<double>(std::uniform_int_distribution<int>(0, 33333)(rng)) / 1000;
    a.RAtip = method(rng);
    a.PAgrupa = group(rng);
    a.PAStopa = rates[a.PAgrupa - 1];
    assets.push_back(a);
  }
  return assets;
}

TEST(ObracunTables, RandomRegisterWithSettingsEqualsTheCoreEveryYear) {
  const unsigned seed = test::testSeed();
  SCOPED_TRACE(test::seedNote(seed));
  std::mt19937 rng(seed);
  for (int variant = 0; variant < 3; ++variant) {
    RegisterFolder folder;
    std::vector<store::AssetRecord> mdos = randomRegister(rng, 150);
    folder.addAssets(mdos);
    // Deleted assets take no part.
    folder.deleteAsset(mdos[4].InvBr);
    folder.deleteAsset(mdos[77].InvBr);
    mdos.erase(mdos.begin() + 77);
    mdos.erase(mdos.begin() + 4);
    std::vector<store::GroupResetMark> resetRecords;
    std::vector<std::pair<std::string, std::string>> mdngRecords;
    for (std::size_t i = 0; i < mdos.size(); i += 7) {
      const std::string year = std::to_string(2015 + static_cast<int>(i % 11));
      resetRecords.push_back({mdos[i].InvBr, year});
      mdngRecords.emplace_back(mdos[i].InvBr, year);
    }
    folder.addResets(mdngRecords);
    TaxRules rules;
    rules.startRule = 1 + variant;
    rules.endRule = 3 - variant;
    rules.kodOtpisa = variant != 1;
    rules.korekcija = variant != 0;
    rules.prosecnaZaradaX5 = variant == 2 ? 1e12 : 3e7;
    runChain(folder, mdos, GroupResets(resetRecords), rules, 2016, 2026);
  }
}

TEST(ObracunTables, TaxSettingsAreReadFromTheSettingsFile) {
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2020").tax(120000, 2, 10).accounting(1, 1, 1),
       assetNo("2").acquired("01.01.2015").writtenOff("15.03.2021").tax(600000, 3, 15)});
  settings::WRITEINI("Programska podesavanja", "PA-pocetak", 3);
  settings::WRITEINI("Programska podesavanja", "PA-kraj", 3);
  settings::WRITEINI("Programska podesavanja", "PA-kodOtpisa", false);
  settings::WRITEINI("Programska podesavanja", "PA-korekcija", true);
  settings::WRITEINI("Programska podesavanja", "ProsecnaZaradaX5", 500000);
  const TaxRules rules = readTaxRules();
  EXPECT_EQ(rules.startRule, 3);
  EXPECT_EQ(rules.endRule, 3);
  EXPECT_FALSE(rules.kodOtpisa);
  EXPECT_TRUE(rules.korekcija);
  EXPECT_EQ(rules.prosecnaZaradaX5, 500000);

  ASSERT_TRUE(runObracun(folder.program(), {2020, 12, false, true}, rules).done);
  // Start rule 3: 15 March to 31 December = 292 days; group II's total 120000 is below the
  // limit, so the whole base goes in 2020; group III's 600000 is not.
  EXPECT_EQ(paOf(folder.paRows(2020), "1").BrDan, 292);
  EXPECT_EQ(paOf(folder.paRows(2020), "1").PAm, 120000);
  EXPECT_EQ(paOf(folder.paRows(2020), "1").PASadVr, 0);
  ASSERT_TRUE(runObracun(folder.program(), {2021, 12, false, true}, rules).done);
  // Written off with "PA-kodOtpisa" false: the value leaves the group.
  const auto rows2021 = folder.paRows(2021);
  const store::PaRow& off = paOf(rows2021, "2");
  EXPECT_EQ(paOf(folder.paRows(2020), "2").PAm, 90000);
  EXPECT_EQ(off.PAOtpVr, 510000);
  EXPECT_EQ(off.PAOsn, 0);
  EXPECT_EQ(off.PAm, 0);
}

TEST(ObracunTables, RepeatedAndPeriodicRunsReplaceOnlyTheirOwnResult) {
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2020").accounting(120000, 10, 1).tax(120000, 1, 2.5),
       assetNo("2").acquired("15.08.2021").accounting(60000, 10, 2).tax(60000, 2, 10)});
  ASSERT_TRUE(runObracun(folder.program(), {2020, 12, true, true}, {}).done);
  ASSERT_TRUE(runObracun(folder.program(), {2021, 12, true, true}, {}).done);
  ASSERT_TRUE(runObracun(folder.program(), {2021, 12, true, true}, {}).done);
  EXPECT_EQ(folder.raRows(2021).size(), 2u) << "a repeated run empties the table first";

  // Six months of 2021 read the annual result of 2020, not the annual result of 2021.
  ASSERT_TRUE(runObracun(folder.program(), {2021, 6, true, false}, {}).done);
  const auto periodic = folder.raRows(2021, 6);
  ASSERT_EQ(periodic.size(), 2u);
  EXPECT_EQ(raOf(periodic, "1").RAPrVr, 111000);
  EXPECT_EQ(raOf(periodic, "1").RAm, 6000);
  EXPECT_EQ(raOf(periodic, "2").BrMes, 0) << "acquired after month 6: never negative";
  // The working indexes the runs leave are whole; BazaRA is that of the last table written.
  for (const char* index :
       {"NTX/BazaRA.ntx", "NTX/BazaPA.ntx", "NTX/BazaPreRA.ntx", "NTX/MDNG.ntx"}) {
    auto file = store::ntx::NtxFile::open(index, /*shared=*/true, /*readOnly=*/true);
    ASSERT_TRUE(file) << index;
    EXPECT_TRUE(store::ntx::checkTree(*file).ok()) << index;
  }
  {
    auto table = store::DbfTable::open(folder.resultFile(2021, 6, ResultKind::Accounting),
                                       {.shared = true, .readOnly = true});
    ASSERT_TRUE(store::ntx::attachIndex(*table, "NTX/BazaRA"));
    EXPECT_TRUE(table->seek(std::string("2") + std::string(29, ' ')));
  }
  EXPECT_FALSE(fs::exists(folder.resultFile(2021, 6, ResultKind::Tax)));
  EXPECT_EQ(folder.raRows(2021).size(), 2u) << "the annual result stays";

  // Straight-line and declining next year, as worked by hand.
  const auto y2021 = folder.raRows(2021);
  EXPECT_EQ(raOf(y2021, "1").RAOsn, 120000);
  EXPECT_EQ(raOf(y2021, "1").RAm, 12000);
  EXPECT_EQ(raOf(y2021, "1").RASadVr, 99000);
}

TEST(ObracunTables, AResultTableOfAnOlderStructureIsUpgradedWhenRecalculated) {
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2020").accounting(120000, 10, 1).tax(120000, 1, 2.5)});
  store::Structure old = store::schema::resultRa();
  old.pop_back();  // without NoviPrav
  old[2].width = 12;
  ASSERT_TRUE(store::DbfTable::create(folder.resultFile(2020, 12, ResultKind::Accounting), old));
  ASSERT_TRUE(runObracun(folder.program(), {2020, 12, true, false}, {}).done);
  auto t =
      store::DbfTable::open(folder.resultFile(2020, 12, ResultKind::Accounting), {.shared = true});
  ASSERT_TRUE(t);
  EXPECT_EQ(t->fieldCount(), store::schema::resultRa().size());
  EXPECT_GE(t->fieldIndex("NoviPrav"), 0);
  EXPECT_EQ(t->fields()[2].def.width, 15);
  EXPECT_EQ(folder.raRows(2020).size(), 1u);
}

}  // namespace
}  // namespace kavrina::depreciation
