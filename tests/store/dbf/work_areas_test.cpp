// Work areas: tables under their aliases, one selected, closed by alias or all at once.
#include "store/work_areas.h"

#include <gtest/gtest.h>

#include "dbf_test_util.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

TEST(WorkAreas, TablesAreReachedByAliasInAnyCase) {
  TempDir dir;
  store::DbfTable::create(dir / "Firme.dbf", {{"Sifra", 'C', 3, 0}});
  store::DbfTable::create(dir / "mdos.dbf", {{"InvBr", 'C', 30, 0}});
  store::WorkAreas areas;
  ASSERT_TRUE(areas.use(dir / "Firme.dbf", "", {.shared = true}));
  EXPECT_EQ(areas.currentAlias(), "FIRME") << "the alias defaults to the file's name";
  ASSERT_TRUE(areas.use(dir / "mdos.dbf", "BazaRA", {.shared = false}));
  EXPECT_EQ(areas.currentAlias(), "BAZARA") << "a new area is selected";
  EXPECT_TRUE(areas.select("firme"));
  EXPECT_EQ(&areas.current(), &areas["FIRME"]);
  EXPECT_FALSE(areas.select("nema"));
  EXPECT_EQ(errorOf([&] { areas["nema"]; }).GENCODE, 15) << "undefined alias";
  EXPECT_EQ(errorOf([&] { areas.use(dir / "mdos.dbf", "bazara", {}); }).GENCODE, 18)
      << "alias in use";
  EXPECT_EQ(errorOf([&] { areas.use(dir / "mdos.dbf", "1x", {}); }).GENCODE, 17) << "illegal alias";
  areas.close("Firme");
  EXPECT_FALSE(areas.isOpen("Firme"));
  EXPECT_EQ(errorOf([&] { areas.current(); }).GENCODE, 15) << "the closed area was selected";
  areas.closeAll();
  EXPECT_FALSE(areas.isOpen("BazaRA"));
}

TEST(WorkAreas, HidingDeletedRecordsReachesEveryArea) {
  TempDir dir;
  {
    auto t = makeTable(dir / "t.dbf", {{"A", 'N', 1, 0}});
    for (int i = 1; i <= 2; ++i) {
      t->append();
      t->putNumber("A", i);
    }
    t->goTo(1);
    t->deleteRecord();
  }
  store::WorkAreas areas;
  areas.setHideDeleted(true);
  ASSERT_TRUE(areas.use(dir / "t.dbf", "T", {.shared = true}));
  EXPECT_EQ(areas["T"].getNumber("A"), 2) << "opened at the first live record";
  areas.setHideDeleted(false);
  areas["T"].goTop();
  EXPECT_EQ(areas["T"].getNumber("A"), 1);
}

}  // namespace
}  // namespace kavrina::test
