// Creating and opening the database: the first start, a company activated for the first
// time, the standing indexes, and the working tables.
#include "store/database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "errors/error.h"
#include "errors/network_error.h"
#include "program_folder.h"
#include "store/dbf/dbf_table.h"
#include "store/ntx/ntx_check.h"
#include "store/ntx/ntx_file.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using store::DbfTable;

bool sameStructure(const store::Structure& a, const store::Structure& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!store::sameFieldName(a[i].name, b[i].name) || a[i].type != b[i].type ||
        a[i].width != b[i].width || a[i].decimals != b[i].decimals)
      return false;
  }
  return true;
}

void expectTable(const fs::path& file, const store::Structure& structure) {
  auto t = DbfTable::open(file, {.shared = true, .readOnly = true});
  ASSERT_TRUE(t) << file;
  EXPECT_TRUE(sameStructure(t->structure(), structure)) << file;
}

class Database : public ::testing::Test {
 protected:
  ProgramFolder folder_;
  store::Program& program_ = folder_.program();
};

TEST_F(Database, FirstStartInAnEmptyFolderCreatesEverything) {
  store::DBOPENALL(program_);
  for (const char* dir : {"DBF", "NTX"}) EXPECT_TRUE(fs::is_directory(dir)) << dir;
  expectTable("DBF/Firme.dbf", store::schema::firme());
  expectTable("DBF/MDOS.dbf", store::schema::mdos());
  expectTable("DBF/MDNG.dbf", store::schema::mdng());
  for (const char* index : {"NTX/Firme.ntx", "NTX/MDOS.ntx"}) {
    auto file = store::ntx::NtxFile::open(index, /*shared=*/true, /*readOnly=*/true);
    ASSERT_TRUE(file) << index;
    EXPECT_TRUE(store::ntx::checkTree(*file).ok()) << index;
  }
  EXPECT_TRUE(program_.areas.isOpen("Firme"));
  EXPECT_TRUE(program_.areas.isOpen("MDOS"));
  EXPECT_TRUE(program_.areas["MDOS"].isShared());
  EXPECT_TRUE(program_.areas.isOpen("SwRun"));
  EXPECT_TRUE(fs::exists(folder_.path() / "tmp" / ("Kavrina-" + std::to_string(::geteuid())) /
                         "Kavrina.run"))
      << "the marker lies in a folder of the user's own";
  EXPECT_EQ(settings::READINI("Program", "Verzija", "0.00"), "1.07")
      << "first start records the version";
  EXPECT_EQ(folder_.ui().messages().size(), 0u) << "no check runs on a first start";
}

TEST_F(Database, CompanyActivatedForTheFirstTimeGetsItsFoldersAndTables) {
  store::DBOPENALL(program_);
  program_.CSIFRAFIRME = "005";
  program_.CSUBDIRFIRME = store::companyPrefix("005");
  store::DBOPENALL(program_);
  for (const char* dir : {"005", "005/DBF", "005/NTX"}) EXPECT_TRUE(fs::is_directory(dir)) << dir;
  expectTable("005/DBF/MDOS.dbf", store::schema::mdos());
  expectTable("005/DBF/MDNG.dbf", store::schema::mdng());
  EXPECT_TRUE(fs::exists("005/NTX/MDOS.ntx"));
  EXPECT_FALSE(fs::exists("005/DBF/Firme.dbf")) << "the company register stays in DBF/";
  EXPECT_EQ(program_.areas["MDOS"].path(), fs::path("005/DBF/MDOS.dbf"));
  EXPECT_EQ(settings::READINI("Program", "Verzija(005\\)", "0.00"), "1.07");
}

TEST_F(Database, AssetsComeInTheOrderOfTheirNumbers) {
  store::INITDBF(program_, 0);
  {
    auto t = DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    for (const char* inv : {"10", "9", "100", "11"}) {
      t->append();
      t->putString("InvBr", inv);
    }
  }
  store::DBOPENALL(program_);
  DbfTable& mdos = program_.areas["MDOS"];
  std::vector<std::string> order;
  for (mdos.goTop(); !mdos.eof(); mdos.skip())
    order.push_back(mdos.getString("InvBr").substr(0, 3));
  EXPECT_EQ(order, (std::vector<std::string>{"9  ", "10 ", "11 ", "100"}));
  EXPECT_TRUE(mdos.seek(10.0));
  EXPECT_EQ(mdos.recNo(), 1u);
}

int countInIndexOrder(DbfTable& table) {
  int seen = 0;
  for (table.goTop(); !table.eof(); table.skip()) ++seen;
  return seen;
}

TEST_F(Database, AStandingIndexIsBuiltWhenMissingAndRebuiltWhenItMissesRecords) {
  store::DBOPENALL(program_);
  DbfTable& mdos = program_.areas["MDOS"];
  mdos.append();
  mdos.putString("InvBr", "7");
  mdos.unlock();
  mdos.commit();
  program_.areas.closeAll();
  // A record reaches the table without its key (a station killed between the two writes).
  {
    auto t = DbfTable::open("DBF/MDOS.dbf", {.shared = false});
    t->append();
    t->putString("InvBr", "3");
  }
  const std::string stale = readFileBytes("NTX/MDOS.ntx");
  {
    // While another station has the index open, it is used as that station uses it.
    auto other = DbfTable::open("DBF/MDOS.dbf", {.shared = true});
    ASSERT_TRUE(store::ntx::attachIndex(*other, "NTX/MDOS"));
    store::DBOPENALL(program_);
    EXPECT_EQ(countInIndexOrder(program_.areas["MDOS"]), 1);
    program_.areas.closeAll();
  }
  EXPECT_EQ(readFileBytes("NTX/MDOS.ntx"), stale);
  store::DBOPENALL(program_);
  EXPECT_EQ(countInIndexOrder(program_.areas["MDOS"]), 2) << "the first station alone rebuilds it";
  program_.areas.closeAll();
  fs::remove("NTX/MDOS.ntx");
  store::DBOPENALL(program_);
  EXPECT_EQ(countInIndexOrder(program_.areas["MDOS"]), 2) << "a missing index is built";
  program_.areas.closeAll();
  const std::string rebuilt = readFileBytes("NTX/MDOS.ntx");
  store::DBOPENALL(program_);
  program_.areas.closeAll();
  EXPECT_EQ(readFileBytes("NTX/MDOS.ntx"), rebuilt) << "a sound index is used as it is";
}

TEST_F(Database, CreateInModeZeroLeavesAnExistingTableAlone) {
  fs::create_directory("DBF");
  DbfTable::create("DBF/X.dbf", {{"A", 'C', 5, 0}});
  const std::string before = readFileBytes("DBF/X.dbf");
  EXPECT_TRUE(store::CREATEDBF(program_, "DBF/X.dbf", {{"A", 'C', 9, 0}}, "DbfNtx", 0));
  EXPECT_EQ(readFileBytes("DBF/X.dbf"), before);
  EXPECT_TRUE(store::CREATEDBF(program_, "DBF/X.dbf", {{"A", 'C', 9, 0}}));
  expectTable("DBF/X.dbf", {{"A", 'C', 9, 0}});
}

TEST_F(Database, WorkingTableIsOpenedExclusivelyWithAFreshIndex) {
  store::INITDBF(program_, 0);
  {
    auto t = DbfTable::open("DBF/MDNG.dbf", {.shared = false});
    for (const char* inv : {"5", "12", "3"}) {
      t->append();
      t->putString("InvBr", inv);
    }
  }
  ASSERT_TRUE(store::openWorkingTable(program_, "DBF/MDNG.dbf", "MDNG"));
  DbfTable& mdng = program_.areas["MDNG"];
  EXPECT_FALSE(mdng.isShared());
  EXPECT_TRUE(fs::exists("NTX/MDNG.ntx"));
  std::vector<std::string> order;
  for (mdng.goTop(); !mdng.eof(); mdng.skip())
    order.push_back(mdng.getString("InvBr").substr(0, 2));
  EXPECT_EQ(order, (std::vector<std::string>{"12", "3 ", "5 "})) << "key InvBr orders as text";

  store::Program other;  // another station
  EXPECT_FALSE(store::openWorkingTable(other, "DBF/MDNG.dbf", "MDNG"));
  EXPECT_TRUE(errors::networkError());
  EXPECT_FALSE(other.areas.isOpen("MDNG"));
}

}  // namespace
}  // namespace kavrina::test
