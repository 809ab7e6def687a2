// Importing into a real register: the assets read back field by field through the index,
// duplicates against the register, a trial and a bad file that change no byte, and the
// records taken back when writing fails halfway.
#include "import/asset_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/lock_offsets.h"
#include "common/os_file.h"
#include "errors/error.h"
#include "store/database.h"
#include "store/program_folder.h"
#include "support/temp_dir.h"

namespace kavrina::import {
namespace {

namespace fs = std::filesystem;

class ImportFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    program().areas.setHideDeleted(true);
    store::DBOPENALL(program());
  }
  store::Program& program() { return folder_.program(); }
  store::DbfTable& mdos() { return program().areas["MDOS"]; }

  ImportResult import(const std::string& text, bool trial = false) {
    return importAssets(program(), readAssetCsv(text, Clock().today()), trial);
  }
  // The inventory numbers of the live records, in index order.
  std::vector<std::string> numbers() {
    std::vector<std::string> seen;
    for (mdos().goTop(); !mdos().eof(); mdos().skip())
      seen.push_back(reg::numberDigits(mdos().getString("InvBr")));
    return seen;
  }
  // The bytes of the register's table and index.
  std::string registerBytes() {
    mdos().commit();
    return test::readFileBytes(folder_.path() / "DBF/MDOS.dbf") +
           test::readFileBytes(folder_.path() / "NTX/MDOS.ntx");
  }

  test::ProgramFolder folder_;
};

// A character field as stored, without the blanks that fill it.
std::string noBlanksAfter(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::vector<std::string> described(const ImportResult& result) {
  std::vector<std::string> lines;
  for (const BadRow& bad : result.bad) lines.push_back(describe(bad));
  return lines;
}

TEST_F(ImportFolder, AssetsReadBackFieldByFieldThroughTheIndex) {
  ASSERT_TRUE(import("InvBr;Naziv;DatumN;RAOsn\n50;Prvi;01.01.2020;10\n").written);
  const ImportResult result = import(
      "InvBr;Naziv;DatumN;RAOsn;PAOsn;IspVr;PKVT;RAStopa;RAtip;PAgrupa;Kolicina;ODeo;Konto;"
      "Dobavljac;Dokument;DatumO\n"
      "7;\u0161raf;15.03.2020;1.234.567,89;1.000,5;100;10;12,5;2;III;3;7;0201;Dobavlja\u010D;"
      "R-5;31.12.2022\n"
      "100;Sto;2019-12-31;99,99;;;;;;;;;;;;\n");
  ASSERT_TRUE(result.written) << result.failure << ::testing::PrintToString(described(result));
  EXPECT_EQ(result.assets, 2u);
  EXPECT_EQ(numbers(), (std::vector<std::string>{"7", "50", "100"}));

  const auto a = reg::loadAsset(program(), "7");
  ASSERT_TRUE(a);
  EXPECT_EQ(noBlanksAfter(a->Naziv), "\u0160raf");
  EXPECT_EQ(a->DatumN, Date::fromYmd(2020, 3, 15));
  EXPECT_DOUBLE_EQ(a->RAOsn, 1234567.89);
  EXPECT_DOUBLE_EQ(a->PAOsn, 1000.5);
  EXPECT_DOUBLE_EQ(a->IspVr, 100);
  EXPECT_DOUBLE_EQ(a->PKVT, 10);
  EXPECT_DOUBLE_EQ(a->RAStopa, 12.5);
  EXPECT_EQ(a->RAtip, 2);
  EXPECT_EQ(a->PAgrupa, 3);
  EXPECT_DOUBLE_EQ(a->Kolicina, 3);
  EXPECT_DOUBLE_EQ(a->ODeo, 7);
  EXPECT_EQ(reg::kontoText(a->Konto, a->DuzKonta), "0201");
  EXPECT_EQ(noBlanksAfter(a->Dobavljac), "Dobavlja\u010D");
  EXPECT_EQ(noBlanksAfter(a->Dokument), "R-5");
  EXPECT_EQ(a->DatumO, Date::fromYmd(2022, 12, 31));
  mdos().seek(7.0);
  EXPECT_DOUBLE_EQ(mdos().getNumber("PAStopa"), 15) << "the group's rate goes with it";

  const auto b = reg::loadAsset(program(), "100");
  ASSERT_TRUE(b);
  EXPECT_EQ(noBlanksAfter(b->Naziv), "Sto");
  EXPECT_EQ(b->RAtip, 1);
  EXPECT_EQ(b->PAgrupa, 1);
  EXPECT_DOUBLE_EQ(b->Kolicina, 1);
  EXPECT_TRUE(b->DatumO.empty());
}

TEST_F(ImportFolder, DuplicatesInTheFileOrTheRegisterAndBadRowsChangeNoByte) {
  ASSERT_TRUE(import("InvBr,Naziv,DatumN,RAOsn\n5,Postoji,01.01.2020,10\n").written);
  const std::string before = registerBytes();

  const ImportResult duplicate = import(
      "InvBr,Naziv,DatumN,RAOsn\n6,Novi,01.01.2020,1\n5,Isti,01.01.2020,1\n6,Opet,01.01.2020,1\n"
      "0,Nula,01.01.2020,1\n");
  EXPECT_FALSE(duplicate.written);
  EXPECT_EQ(
      described(duplicate),
      (std::vector<std::string>{"Red 3, kolona InvBr: inventarski broj 5 vec postoji u registru",
                                "Red 4, kolona InvBr: inventarski broj 6 vec postoji u redu 2",
                                "Red 5, kolona InvBr: inventarski broj ne moze biti 0"}));
  EXPECT_EQ(registerBytes(), before);

  // A trial of a good file checks it and writes nothing.
  const ImportResult trial = import("InvBr,Naziv,DatumN,RAOsn\n6,Novi,01.01.2020,1\n", true);
  EXPECT_TRUE(trial.bad.empty());
  EXPECT_FALSE(trial.written);
  EXPECT_EQ(trial.assets, 1u);
  EXPECT_EQ(registerBytes(), before);
  // And a trial reports a duplicate against the register as the import would.
  EXPECT_EQ(
      described(import("InvBr,Naziv,DatumN,RAOsn\n5,Isti,01.01.2020,1\n", true)),
      std::vector<std::string>{"Red 2, kolona InvBr: inventarski broj 5 vec postoji u registru"});
  EXPECT_EQ(numbers(), std::vector<std::string>{"5"});
}

TEST_F(ImportFolder, AnAppendLockKeptByAnotherStationWritesNothingAndTheFileGoesInLater) {
  ASSERT_TRUE(import("InvBr,Naziv,DatumN,RAOsn\n1,Prvi,01.01.2020,10\n").written);
  std::string file = "InvBr,Naziv,DatumN,RAOsn\n";
  for (int n = 2; n <= 40; ++n) file += std::to_string(n) + ",Sredstvo,01.01.2020,5\n";
  const AssetCsv csv = readAssetCsv(file, Clock().today());
  ASSERT_TRUE(csv.bad.empty());
  const std::string before = registerBytes();

  // Another station keeps the append lock beyond the second an append waits; the program's
  // handler lets the import's batch fail softly.
  OsFile other;
  ASSERT_EQ(other.open(folder_.path() / "DBF/MDOS.dbf", OsFile::Access::ReadWrite), 0);
  ASSERT_EQ(other.tryLock(store::locks::kAppend, 1, LockKind::Write), LockResult::Taken);
  const errors::ErrorHandler previous =
      errors::setErrorHandler([](errors::Error&) { return errors::ErrorAnswer::Default; });
  const ImportResult result = importAssets(program(), csv, false);
  errors::setErrorHandler(previous);
  other.unlock(store::locks::kAppend, 1);

  EXPECT_FALSE(result.written);
  EXPECT_NE(result.failure.find("nista nije uvezeno"), std::string::npos) << result.failure;
  EXPECT_EQ(numbers(), std::vector<std::string>{"1"});
  EXPECT_EQ(registerBytes(), before);

  const ImportResult again = importAssets(program(), csv, false);
  ASSERT_TRUE(again.written) << again.failure;
  EXPECT_EQ(numbers().size(), 40u);
}

TEST_F(ImportFolder, AnotherStationsImportIsWaitedFor) {
  // Another station's import holds the import byte; this one waits for it.
  OsFile other;
  ASSERT_EQ(other.open(folder_.path() / "DBF/MDOS.dbf", OsFile::Access::ReadWrite), 0);
  ASSERT_EQ(other.tryLock(locks::kImport, 1, LockKind::Write), LockResult::Taken);
  int passes = 0;
  folder_.ui().setOnProcessEvents([&](int pass) {
    passes = pass;
    if (pass == 20) other.unlock(locks::kImport, 1);
  });
  ASSERT_TRUE(import("InvBr,Naziv,DatumN,RAOsn\n1,Prvi,01.01.2020,10\n").written);
  EXPECT_GE(passes, 20) << "the import did not wait for the lock";
  EXPECT_EQ(numbers(), std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace kavrina::import
