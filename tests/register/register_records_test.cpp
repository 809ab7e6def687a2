// What the register forms decide and write, without a window: inventory numbers, the
// account with its digit count, the group's rate, and the records written to `Firme` and
// `MDOS` by the record-writing rule.
#include <gtest/gtest.h>

#include "depreciation/asset_list.h"
#include "register/asset_record.h"
#include "register/company_record.h"
#include "register/field_text.h"
#include "register_folder.h"

namespace kavrina::reg {
namespace {

using test::RegisterFolder;

TEST(InventoryNumber, DigitsAreTheNumbersWithoutLeadingZerosOrBlanks) {
  EXPECT_EQ(numberDigits("  0201x"), "201");
  EXPECT_EQ(numberDigits("12                            "), "12");
  EXPECT_EQ(numberDigits(""), "0");
  EXPECT_EQ(numberDigits("000"), "0");
  EXPECT_EQ(numberDigits("abc"), "0");
  EXPECT_EQ(storedInvBr("007"), "7" + std::string(29, ' '));
  EXPECT_EQ(storedInvBr("").size(), kInvBrWidth);
}

TEST(InventoryNumber, NextNumberIsExactForThirtyDigits) {
  EXPECT_EQ(nextNumber("41"), "42");
  EXPECT_EQ(nextNumber("999"), "1000");
  EXPECT_EQ(nextNumber(""), "1");
  // Beyond a double's exact digits: the increment is still exact.
  EXPECT_EQ(nextNumber("123456789012345678901234567899"), "123456789012345678901234567900");
}

TEST(Account, TypedDigitsSurviveTheNumberAndItsLength) {
  struct Case {
    const char* typed;
    double konto;
    int duzKonta;
    const char* shown;
  };
  for (const Case& c :
       {Case{"0201", 201, 4, "0201"}, Case{"201", 201, 3, "201"},
        Case{"0000000001", 1, 10, "0000000001"}, Case{"", 0, 0, "0"}, Case{"00", 0, 2, "00"}}) {
    const StoredKonto stored = storedKonto(c.typed);
    EXPECT_EQ(stored.konto, c.konto) << c.typed;
    EXPECT_EQ(stored.duzKonta, c.duzKonta) << c.typed;
    EXPECT_EQ(kontoText(stored.konto, stored.duzKonta), c.shown) << c.typed;
  }
  // A digit count smaller than the number's digits never cuts the number.
  EXPECT_EQ(kontoText(12345, 2), "12345");
}

TEST(TaxGroup, EachItemHasItsRate) {
  EXPECT_EQ(groupRate(1), 2.5);
  EXPECT_EQ(groupRate(2), 10);
  EXPECT_EQ(groupRate(3), 15);
  EXPECT_EQ(groupRate(4), 20);
  EXPECT_EQ(groupRate(5), 30);
  EXPECT_EQ(groupRate(0), 30);
}

TEST(FieldText, CutsByLettersAndNamesTheFieldOfALetterTheTablesCannotHold) {
  // A field of 30 holds 30 letters, Serbian ones included (one byte each in the table).
  const std::string text = std::string(28, 'a') + "čćb";
  EXPECT_EQ(fitField(text, 30), std::string(28, 'a') + "čć");
  EXPECT_EQ(fitField("abc", 30), "abc");

  EXPECT_EQ(unstorableTextMessage("Naziv firme", "Đurđević Šćekić"), std::nullopt);
  EXPECT_EQ(unstorableTextMessage("Naziv firme", "Предузеће"),
            "Polje \"Naziv firme\" sadrzi znak \"П\" koji ne moze da se upise u bazu "
            "podataka.\nIspravite unos pa snimite ponovo.");
}

class Records : public ::testing::Test {
 protected:
  RegisterFolder folder_;
  store::Program& program_ = folder_.program();
};

TEST_F(Records, CompanySavedNewThenChangedKeepsOneRecordAndOneRow) {
  folder_.putCompany("000", "Velmar", "Beograd", "");
  program_.AFIRME = {{"000", "Velmar", "Beograd"}};

  ASSERT_TRUE(saveCompany(program_, {"001", "Prva", "Nis", "101"}));
  ASSERT_TRUE(saveCompany(program_, {"001", "Prva doo", "Nis", "102"}));

  EXPECT_EQ(RegisterFolder::liveRecords(folder_.firme()), 2);
  ASSERT_TRUE(RegisterFolder::find(folder_.firme(), "Sifra", "001"));
  EXPECT_EQ(folder_.firme().getString("PIB"), "102          ");
  ASSERT_EQ(program_.AFIRME.size(), 2u);
  EXPECT_EQ(program_.AFIRME[1][0], "001");
  EXPECT_EQ(program_.AFIRME[1][1], "Prva doo" + std::string(22, ' '));
  const auto loaded = loadCompany(program_, "001");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Mesto, "Nis");
  EXPECT_FALSE(loadCompany(program_, "002"));
}

TEST_F(Records, AssetWithTheNumberOfADeletedOneIsANewRecord) {
  folder_.putAsset({.invBr = "5", .naziv = "Stari"});
  folder_.mdos().lockRecord();
  folder_.mdos().deleteRecord();
  folder_.mdos().unlock();
  folder_.mdos().commit();

  store::AssetRecord v = newAssetRecord("5", Date::fromYmd(2024, 1, 10));
  v.Naziv = "Novi";
  ASSERT_TRUE(saveAsset(program_, v));

  // The deleted record stays deleted with its old name; the new asset is a record of its own.
  folder_.mdos().goTo(1);
  EXPECT_TRUE(folder_.mdos().deleted());
  EXPECT_EQ(folder_.mdos().getString("Naziv").substr(0, 5), "Stari");
  ASSERT_TRUE(RegisterFolder::find(folder_.mdos(), "InvBr", "5"));
  EXPECT_EQ(folder_.mdos().recNo(), 2u);
  EXPECT_EQ(program_.CINVENTARSKIBROJ, "5" + std::string(29, ' '));
}

TEST_F(Records, NextInventoryNumberFollowsTheNumericOrder) {
  EXPECT_EQ(nextInventoryNumber(program_), "1") << "empty register";
  folder_.putAsset({.invBr = "10"});
  folder_.putAsset({.invBr = "9"});
  EXPECT_EQ(nextInventoryNumber(program_), "11");
}

TEST_F(Records, PresentValueComesFromTheNewestAnnualResultNotBeforeAcquisition) {
  folder_.putAnnualResult(2022, {{"7", 900}});
  folder_.putAnnualResult(2023, {{"8", 50}, {"7", 800}});
  // The lookup the asset list and the asset form use.
  auto OBRRASADVR = [&](const std::string& invBr, int oldestYear, double def) {
    return depreciation::presentValueLookup(program_)(invBr, oldestYear, def);
  };
  const std::string seven = storedInvBr("7");
  EXPECT_EQ(OBRRASADVR(seven, 2020, -1), 800);
  program_.NGODINA = 2022;
  EXPECT_EQ(OBRRASADVR(seven, 2020, -1), 900) << "years after NGODINA do not count";
  program_.NGODINA = 2024;
  EXPECT_EQ(OBRRASADVR(storedInvBr("9"), 2020, -1), -1);
  EXPECT_EQ(OBRRASADVR(seven, 2024, 123), 123) << "no result since acquisition";
  EXPECT_FALSE(program_.areas.isOpen("BazaRA"));
}

}  // namespace
}  // namespace kavrina::reg
