// The company and asset forms keep every Serbian letter of a 30-letter text, and refuse a
// letter the tables cannot hold where it was typed: a message naming the field, the cursor
// in that field, the form open and nothing saved.
#include <gtest/gtest.h>

#include <QTest>

#include "qt_application.h"
#include "register/tf_firma.h"
#include "register/tf_osnovno_sredstvo.h"
#include "register_folder.h"

namespace kavrina::reg {
namespace {

using test::RegisterFolder;

// Replaces an edit's text by typing it letter by letter, letters beyond ASCII included (as
// a keyboard layout with them sends them).
void retype(QLineEdit* edit, const std::string& utf8) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  for (const QChar letter : QString::fromStdString(utf8))
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

const std::string kThirtyLetters = "Ražić Đurđević Čučkić Šoš Kraj";

TEST(StoredTextForms, TheCompanyFormKeepsSerbianLettersAndRefusesCyrillic) {
  RegisterFolder folder;
  folder.program().CSIFRAFIRME = "001";
  TFFIRMA form(folder.program());
  form.show();

  retype(form.eNazivFirme(), "Ražić doo");
  retype(form.eMestoFirme(), "Нови Сад");
  QTest::mouseClick(form.bSnimiZaglavlje(), Qt::LeftButton);
  ASSERT_EQ(folder.ui().messages().size(), 1u);
  EXPECT_EQ(folder.ui().messages()[0],
            "Polje \"Mesto firme\" sadrzi znak \"Н\" koji ne moze da se upise u bazu podataka.\n"
            "Ispravite unos pa snimite ponovo.");
  EXPECT_TRUE(form.isVisible()) << "the form stays open with what was typed";
  EXPECT_EQ(form.focusWidget(), form.eMestoFirme());
  EXPECT_FALSE(RegisterFolder::find(folder.firme(), "Sifra", "001")) << "nothing saved";

  retype(form.eNazivFirme(), kThirtyLetters);
  retype(form.eMestoFirme(), "Čačak");
  QTest::mouseClick(form.bSnimiZaglavlje(), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  ASSERT_TRUE(RegisterFolder::find(folder.firme(), "Sifra", "001"));
  EXPECT_EQ(folder.firme().getString("Naziv"), kThirtyLetters) << "30 letters, nothing cut";
  EXPECT_EQ(folder.firme().getString("Mesto"), "Čačak" + std::string(25, ' '));
}

TEST(StoredTextForms, TheAssetFormRefusesALetterInTheSupplierAndSavesNothing) {
  RegisterFolder folder;
  folder.program().CINVENTARSKIBROJ = storedInvBr("5");
  TFOSNOVNOSREDSTVO form(folder.program());
  form.show();
  retype(form.eNazivOsnovnogSredstva(), kThirtyLetters);
  retype(form.eDobavljac(), "Жарко");
  QTest::mouseClick(form.bSnimi(), Qt::LeftButton);
  ASSERT_EQ(folder.ui().messages().size(), 1u);
  EXPECT_EQ(folder.ui().messages()[0].rfind("Polje \"Dobavljac\" sadrzi znak \"Ж\" koji", 0), 0u);
  EXPECT_EQ(form.focusWidget(), form.eDobavljac());
  EXPECT_EQ(RegisterFolder::liveRecords(folder.mdos()), 0) << "nothing saved";

  retype(form.eDobavljac(), "Žitoprodukt");
  QTest::mouseClick(form.bSnimi(), Qt::LeftButton);
  ASSERT_TRUE(RegisterFolder::find(folder.mdos(), "InvBr", "5"));
  EXPECT_EQ(folder.mdos().getString("Naziv"), kThirtyLetters);
  EXPECT_EQ(folder.mdos().getString("Dobavljac"), "Žitoprodukt" + std::string(19, ' '));
}

}  // namespace
}  // namespace kavrina::reg
