// The company form and the fixed-asset form, offscreen, driven with typed keys and clicks;
// each case checks the record the form stored, not only its widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "common/decimal.h"
#include "depreciation/asset_list.h"
#include "qt_application.h"
#include "register/tf_firma.h"
#include "register/tf_osnovno_sredstvo.h"
#include "register_folder.h"
#include "support/fixed_today.h"
#include "support/listed_asset.h"

namespace kavrina::reg {
namespace {

using test::clickBox;
using test::RegisterFolder;
using test::retype;

// ------------------------------------------------------------------ company form

class CompanyForm : public ::testing::Test {
 protected:
  CompanyForm() {
    folder_.putCompany("000", "Velmar", "Beograd", "100200300");
    program_.AFIRME = {{"000", "Velmar", "Beograd"}};
  }
  // Shows the form for `code` as "Dodaj" or "Izmeni" hands it over.
  void open(const char* code) {
    program_.CSIFRAFIRME = code;
    form_.show();
  }

  RegisterFolder folder_;
  store::Program& program_ = folder_.program();
  TFFIRMA form_{program_};
};

TEST_F(CompanyForm, SavedFromDodajAddsTheCompanyWithThePresetCode) {
  open("001");
  EXPECT_EQ(form_.eSifraFirme()->text(), "001");
  EXPECT_FALSE(form_.eSifraFirme()->isEnabled());
  EXPECT_EQ(form_.eNazivFirme()->text(), "");
  EXPECT_EQ(form_.ePIBFirme()->text(), "");
  test::screenshot(&form_, "tffirma.png");

  QTest::keyClicks(form_.eNazivFirme(), "moja firma doo");
  QTest::keyClicks(form_.eMestoFirme(), "novi sad");
  QTest::keyClicks(form_.ePIBFirme(), "10-12a3 45");
  QTest::mouseClick(form_.bSnimiZaglavlje(), Qt::LeftButton);

  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(RegisterFolder::liveRecords(folder_.firme()), 2);
  ASSERT_TRUE(RegisterFolder::find(folder_.firme(), "Sifra", "001"));
  EXPECT_EQ(folder_.firme().getString("Naziv"), "moja firma doo" + std::string(16, ' '))
      << "the name is stored as typed";
  EXPECT_EQ(folder_.firme().getString("Mesto"), "Novi sad" + std::string(22, ' '))
      << "the place's first letter is upper case";
  EXPECT_EQ(folder_.firme().getString("PIB"), "1012345      ") << "digits only";
  ASSERT_EQ(program_.AFIRME.size(), 2u);
  EXPECT_EQ(program_.AFIRME[1],
            (std::vector<std::string>{"001", "moja firma doo" + std::string(16, ' '),
                                      "Novi sad" + std::string(22, ' ')}));
}

TEST_F(CompanyForm, SavedFromIzmeniChangesTheRecordAndKeepsItsCode) {
  open("000");
  EXPECT_EQ(form_.eNazivFirme()->text(), "Velmar");
  EXPECT_EQ(form_.eMestoFirme()->text(), "Beograd");
  EXPECT_EQ(form_.ePIBFirme()->text(), "100200300");

  retype(form_.eMestoFirme(), "zemun");
  retype(form_.ePIBFirme(), "12345678901234567");  // 17 digits typed, 13 kept
  QTest::mouseClick(form_.bSnimiZaglavlje(), Qt::LeftButton);

  EXPECT_EQ(RegisterFolder::liveRecords(folder_.firme()), 1);
  ASSERT_TRUE(RegisterFolder::find(folder_.firme(), "Sifra", "000"));
  EXPECT_EQ(folder_.firme().recNo(), 1u);
  EXPECT_EQ(folder_.firme().getString("Naziv").substr(0, 7), "Velmar ");
  EXPECT_EQ(folder_.firme().getString("Mesto").substr(0, 6), "Zemun ");
  EXPECT_EQ(folder_.firme().getString("PIB"), "1234567890123");
  ASSERT_EQ(program_.AFIRME.size(), 1u) << "the row is replaced, not added";
  EXPECT_EQ(program_.AFIRME[0][2], "Zemun" + std::string(25, ' '));
}

TEST_F(CompanyForm, OdustaniWritesNothing) {
  open("000");
  retype(form_.eNazivFirme(), "Drugi naziv");
  QTest::mouseClick(form_.bOdustaniZaglavlje(), Qt::LeftButton);
  EXPECT_EQ(form_.result(), QDialog::Rejected);
  ASSERT_TRUE(RegisterFolder::find(folder_.firme(), "Sifra", "000"));
  EXPECT_EQ(folder_.firme().getString("Naziv").substr(0, 7), "Velmar ");
  EXPECT_EQ(program_.AFIRME[0][1], "Velmar");
}

// ------------------------------------------------------------------ asset form

class AssetForm : public ::testing::Test {
 protected:
  AssetForm() {
    folder_.putAsset({.invBr = "3", .naziv = "Sto"});
    folder_.putAsset({.invBr = "10",
                      .naziv = "Racunar",
                      .raOsn = 120000,
                      .paOsn = 100000,
                      .konto = 201,
                      .duzKonta = 4});
  }
  // Shows the form with the inventory number "Dodaj" or "Izmeni" hands over.
  void open(const char* invBr) {
    program_.CINVENTARSKIBROJ = storedInvBr(invBr);
    form_.show();
  }
  void enterNumber(const char* number) {
    retype(form_.eInventarskiBroj(), number);
    QTest::keyClick(form_.eInventarskiBroj(), Qt::Key_Return);
  }
  void save() { QTest::mouseClick(form_.bSnimi(), Qt::LeftButton); }
  store::DbfTable& record(const char* invBr) {
    EXPECT_TRUE(RegisterFolder::find(folder_.mdos(), "InvBr", invBr)) << invBr;
    return folder_.mdos();
  }

  // A new asset and a write-off are offered today's date.
  RegisterFolder folder_;
  store::Program& program_ = folder_.program();
  test::FixedToday today_{program_, Date::fromYmd(2026, 7, 14)};
  TFOSNOVNOSREDSTVO form_{program_};
};

TEST_F(AssetForm, EnterLoadsAnExistingAssetAndSavingUpdatesIt) {
  open("11");  // "Dodaj": the number after the highest
  enterNumber("10");
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "Racunar");
  EXPECT_EQ(form_.eRacunovodstvenaOsnovica()->text(), "120000.00");
  EXPECT_EQ(form_.eKonto()->text(), "0201");
  test::screenshot(&form_, "tfosnovnosredstvo.png");

  retype(form_.eNazivOsnovnogSredstva(), "racunar dell");
  save();

  EXPECT_EQ(RegisterFolder::liveRecords(folder_.mdos()), 2) << "updated, not added";
  EXPECT_EQ(record("10").getString("Naziv").substr(0, 13), "Racunar dell ");
  EXPECT_EQ(record("10").getNumber("RAOsn"), 120000);
}

TEST_F(AssetForm, EnterOnANewNumberClearsTheFieldsAndKeepsTheNumber) {
  open("10");
  retype(form_.eStopaAmortizacije(), "20");
  clickBox(form_.rbOtpisano());
  enterNumber("0042");

  EXPECT_EQ(form_.eInventarskiBroj()->text(), "0042");
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "");
  EXPECT_EQ(form_.eDobavljac()->text(), "");
  EXPECT_EQ(form_.dtpDatumNabavke()->value(), program_.clock.today());
  EXPECT_EQ(form_.eRacunovodstvenaOsnovica()->text(), "0.00");
  EXPECT_EQ(form_.ePKVT()->text(), "0");
  EXPECT_EQ(form_.eStopaAmortizacije()->text(), "0.000");
  EXPECT_EQ(form_.csMetodRA()->currentIndex(), 0);
  EXPECT_EQ(form_.csGrupaPA()->currentIndex(), 0);
  EXPECT_EQ(form_.eKolicina()->text(), "1");
  EXPECT_EQ(form_.eODeo()->text(), "0");
  EXPECT_EQ(form_.eKonto()->text(), "");
  EXPECT_TRUE(form_.rbNijeOtpisano()->isChecked());
  EXPECT_FALSE(form_.dtpDatumO()->isVisible());

  save();
  EXPECT_EQ(RegisterFolder::liveRecords(folder_.mdos()), 3);
  EXPECT_EQ(record("42").getNumber("Kolicina"), 1);
  EXPECT_TRUE(record("42").getDate("DatumO").empty());
  EXPECT_EQ(record("42").getNumber("DuzKonta"), 0);
}

TEST_F(AssetForm, AnInventoryNumberTheIndexCannotHoldExactlyIsRefused) {
  open("20");
  for (const char* number : {"9007199254740993", "123456789012345678901234567890"}) {
    enterNumber(number);
    QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "stolica");
    save();
    EXPECT_EQ(folder_.ui().messages().back(),
              "Inventarski broj " + std::string(number) +
                  " ima vise od 15 cifara: indeks registra ne moze tacno da ga zapamti.");
  }
  EXPECT_EQ(RegisterFolder::liveRecords(folder_.mdos()), 2) << "nothing stored";
  enterNumber("999999999999999");
  QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "stolica");
  save();
  EXPECT_EQ(RegisterFolder::liveRecords(folder_.mdos()), 3) << "fifteen digits are stored";
}

TEST_F(AssetForm, AccountTypedWithALeadingZeroKeepsIt) {
  open("20");
  QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "stolica");
  QTest::keyClicks(form_.eKonto(), "0201");
  retype(form_.eRacunovodstvenaOsnovica(), "1a2345.678");  // letter and third decimal refused
  save();

  EXPECT_EQ(record("20").getNumber("Konto"), 201);
  EXPECT_EQ(record("20").getNumber("DuzKonta"), 4);
  EXPECT_EQ(record("20").getNumber("RAOsn"), 12345.67);
  EXPECT_EQ(record("20").getString("Naziv").substr(0, 8), "Stolica ");

  form_.hide();
  open("20");
  EXPECT_EQ(form_.eKonto()->text(), "0201");
  EXPECT_EQ(form_.eRacunovodstvenaOsnovica()->text(), "12345.67");
  EXPECT_EQ(form_.eRacunovodstvenaOsnovica()->alignment() & Qt::AlignRight, Qt::AlignRight);
}

TEST_F(AssetForm, ThirdGroupStoresGroupThreeAndItsRate) {
  // Stored with a rate that does not belong to its group: the save sets the group's rate.
  folder_.putAsset({.invBr = "30", .paGrupa = 1, .paStopa = 7});
  open("30");
  form_.csGrupaPA()->setFocus();
  QTest::keyClick(form_.csGrupaPA(), Qt::Key_Down);
  QTest::keyClick(form_.csGrupaPA(), Qt::Key_Down);
  EXPECT_EQ(form_.csGrupaPA()->currentText(), "III grupa - 15%");
  save();
  EXPECT_EQ(record("30").getNumber("PAgrupa"), 3);
  EXPECT_EQ(record("30").getNumber("PAStopa"), 15);
}

TEST_F(AssetForm, WithoutContinuingTheFormClosesAfterOneSave) {
  open("11");
  QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "ormar");
  save();
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_EQ(record("11").getString("Naziv").substr(0, 6), "Ormar ");
}

TEST_F(AssetForm, ContinuingEntryMovesToTheNextNumberAndClears) {
  open("5");
  clickBox(form_.cbNastaviUnos());
  ASSERT_TRUE(form_.cbNastaviUnos()->isChecked());
  QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "lampa");
  save();

  EXPECT_TRUE(form_.isVisible());
  EXPECT_EQ(form_.eInventarskiBroj()->text(), "11") << "the highest number plus 1";
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "") << "fields cleared";
  EXPECT_EQ(record("5").getString("Naziv").substr(0, 6), "Lampa ");

  // Without clearing, the next asset starts with the values of the last one.
  clickBox(form_.cbPonistiPolja());
  QTest::keyClicks(form_.eNazivOsnovnogSredstva(), "kasa");
  save();
  EXPECT_EQ(form_.eInventarskiBroj()->text(), "12");
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "Kasa");
  EXPECT_EQ(record("11").getString("Naziv").substr(0, 5), "Kasa ");

  // Without a new number the number becomes 0.
  clickBox(form_.cbNoviInventarskiBroj());
  save();
  EXPECT_EQ(form_.eInventarskiBroj()->text(), "0");
  EXPECT_EQ(RegisterFolder::liveRecords(folder_.mdos()), 5);
}

TEST_F(AssetForm, WriteOffDateShowsTodayForAnAssetInUse) {
  open("10");
  EXPECT_TRUE(form_.rbNijeOtpisano()->isChecked());
  EXPECT_FALSE(form_.dtpDatumO()->isVisible());
  clickBox(form_.rbOtpisano());
  EXPECT_TRUE(form_.dtpDatumO()->isVisible());
  EXPECT_EQ(form_.dtpDatumO()->value(), program_.clock.today());
  test::screenshot(&form_, "tfosnovnosredstvo_otpisano.png");
  save();
  EXPECT_EQ(record("10").getDate("DatumO"), program_.clock.today());

  // A written-off asset shows its own date; back in use, the date is emptied.
  form_.hide();
  folder_.putAsset({.invBr = "40", .datumO = Date::fromYmd(2023, 6, 30)});
  open("40");
  EXPECT_TRUE(form_.rbOtpisano()->isChecked());
  EXPECT_EQ(form_.dtpDatumO()->value(), Date::fromYmd(2023, 6, 30));
  clickBox(form_.rbNijeOtpisano());
  EXPECT_FALSE(form_.dtpDatumO()->isVisible());
  save();
  EXPECT_TRUE(record("40").getDate("DatumO").empty());
}

TEST_F(AssetForm, ListRowIsReplacedOrAddedWithThePresentValue) {
  folder_.putAnnualResult(2023, {{"10", 96000}});
  program_.AOSNOVNASREDSTVA.rows = {
      test::listedAsset(storedInvBr("3"), "Sto", Date(), 0, 0, 0),
      test::listedAsset(storedInvBr("10"), "Racunar", Date(), 0, 0, 0)};
  const auto texts = [&](std::size_t i) {
    return depreciation::assetListTexts(program_.AOSNOVNASREDSTVA.rows[i],
                                        program_.AOSNOVNASREDSTVA.widths);
  };
  open("10");
  save();
  ASSERT_EQ(program_.AOSNOVNASREDSTVA.size(), 2u);
  EXPECT_EQ(texts(1),
            (std::vector<std::string>{storedInvBr("10"), "Racunar" + std::string(23, ' '),
                                      "15.03.2020", "       120,000.00", "       100,000.00",
                                      "        24,000.00", "        96,000.00"}));

  form_.hide();
  open("12");
  retype(form_.eRacunovodstvenaOsnovica(), "500");
  save();
  ASSERT_EQ(program_.AOSNOVNASREDSTVA.size(), 3u);
  EXPECT_EQ(texts(2)[0], storedInvBr("12"));
  EXPECT_EQ(texts(2)[6], "           500.00") << "no result yet: the base itself";
}

TEST_F(AssetForm, InventoryNumberTakesDigitsOnly) {
  open("3");
  retype(form_.eInventarskiBroj(), "1x2-3 ");
  EXPECT_EQ(form_.eInventarskiBroj()->text(), "123");
}

}  // namespace
}  // namespace kavrina::reg
