// NULIRAJGRUPU on real tables: which assets are marked with which year, a later reset
// overwriting the mark, and what the tax calculation then does with the marks.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "depreciation/asset_builder.h"
#include "depreciation/group_reset.h"
#include "depreciation/inv_br_index.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"

namespace kavrina::depreciation {
namespace {

using testing::assetNo;
using testing::RegisterFolder;

std::map<std::string, std::string> marks(RegisterFolder& folder) {
  auto t = store::DbfTable::open(store::dataPath(folder.program(), "MDNG.dbf"), {.shared = true});
  std::map<std::string, std::string> out;
  for (std::uint32_t r = 1; r <= t->recCount(); ++r) {
    t->goTo(r);
    EXPECT_EQ(out.count(std::string(invBrKey(t->getString("InvBr")))), 0u)
        << "one record per asset";
    out[std::string(invBrKey(t->getString("InvBr")))] = t->getString("GodinaNG");
  }
  return out;
}

double taxOf(RegisterFolder& folder, int year, const std::string& invBr) {
  for (const store::PaRow& r : folder.paRows(year))
    if (invBrKey(r.InvBr) == invBr) return r.PAm;
  return -1;
}

TEST(GroupResetTables, MarksTheGroupUpToTheYearAndALaterResetMovesTheMark) {
  RegisterFolder folder;
  folder.addAssets({
      assetNo("1").acquired("10.05.2015").tax(10000, 3, 15),
      assetNo("2").acquired("10.05.2019").tax(10000, 3, 15),
      assetNo("3").acquired("10.05.2020").tax(10000, 3, 15),  // after 2019
      assetNo("4").acquired("10.05.2015").tax(10000, 2, 10),  // another group
      assetNo("5").acquired("10.05.2015").writtenOff("01.02.2017").tax(10000, 3, 15),
      assetNo("6").acquired("").tax(10000, 3, 15),  // no date: acquired before every year
  });
  store::Program& program = folder.program();
  GroupResetResult r = runNulirajGrupu(program, 2019, 3);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(r.marked, 4u);
  EXPECT_EQ(marks(folder), (std::map<std::string, std::string>{
                               {"1", "2019"}, {"2", "2019"}, {"5", "2019"}, {"6", "2019"}}));

  for (int year = 2018; year <= 2020; ++year)
    ASSERT_TRUE(runObracun(program, {year, 12, false, true}, {}).done);
  EXPECT_GT(taxOf(folder, 2018, "1"), 0) << "2018 is before the reset";
  EXPECT_EQ(taxOf(folder, 2019, "1"), 0);
  EXPECT_EQ(taxOf(folder, 2020, "2"), 0);
  EXPECT_GT(taxOf(folder, 2020, "3"), 0) << "acquired after the reset year";

  r = runNulirajGrupu(program, 2020, 3);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(marks(folder),
            (std::map<std::string, std::string>{
                {"1", "2020"}, {"2", "2020"}, {"3", "2020"}, {"5", "2020"}, {"6", "2020"}}));
  ASSERT_TRUE(runObracun(program, {2019, 12, false, true}, {}).done);
  EXPECT_GT(taxOf(folder, 2019, "1"), 0) << "the recalculation of 2019 no longer resets it";
}

TEST(GroupResetTables, MdngHeldByAnotherUserWritesNothing) {
  RegisterFolder folder;
  folder.addAssets({assetNo("1").acquired("10.05.2015").tax(10000, 3, 15)});
  auto held =
      store::DbfTable::open(store::dataPath(folder.program(), "MDNG.dbf"), {.shared = false});
  ASSERT_TRUE(held);
  const GroupResetResult r = runNulirajGrupu(folder.program(), 2019, 3);
  EXPECT_FALSE(r.done);
  EXPECT_EQ(r.tableInUse.filename(), "MDNG.dbf");
  EXPECT_EQ(held->recCount(), 0u);
  EXPECT_FALSE(folder.program().areas.isOpen("MDNG"));
}

}  // namespace
}  // namespace kavrina::depreciation
