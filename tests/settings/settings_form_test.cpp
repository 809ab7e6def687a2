// The settings form, offscreen, driven with clicks and keys; each case checks the settings
// file itself and the program-wide values, not only the controls.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFontDialog>
#include <QFontInfo>
#include <QTest>
#include <filesystem>

#include "depreciation/obracun.h"
#include "register/qt_application.h"
#include "register/tf_podesavanja.h"
#include "settings/settings_keys.h"
#include "store/program_folder.h"
#include "support/temp_dir.h"
#include "ui/modal_driver.h"
#include "ui/qt/wrapping_check_box.h"

namespace kavrina::settings {
namespace {

using test::clickBox;
using test::readFileBytes;
using test::retype;
using test::writeFileBytes;
using ui::testing::ModalDriver;

constexpr const char* kDefaultsWrittenByOk =
    "[Programska podesavanja]\n"
    "PA-pocetak=1\n"
    "PA-kraj=1\n"
    "PA-korekcija=.F.\n"
    "ProsecnaZaradaX5=0.00\n"
    "PA-kodOtpisa=.T.\n"
    "Ucitaj spisak=.T.\n"
    "Izbor stampaca=.T.\n"
    "Centriranje programskog prozora=.T.\n"
    "Agencijski mod=.F.\n";

class SettingsForm : public ::testing::Test {
 protected:
  std::filesystem::path settingsFile() const { return folder_.path() / "Kavrina.ini"; }
  std::string settingsText() const { return readFileBytes(settingsFile()); }
  void open() {
    form_.show();
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  test::ProgramFolder folder_;
  store::Program& program_ = folder_.program();
  TFPODESAVANJA form_{program_};
};

TEST_F(SettingsForm, FreshFolderShowsTheDefaultsAndOkWritesThemInOrder) {
  program_.CFONTNAME = "Courier";
  program_.NFONTSIZE = 11;
  program_.LCENTRIRAJ = false;
  program_.LAGENCIJSKIMOD = true;
  open();
  test::screenshot(&form_, "tfpodesavanja.png");

  EXPECT_EQ(form_.clbPApocinje()->currentText(), "Prvi dan u mesecu posle meseca nabavke");
  EXPECT_EQ(form_.clbPAzavrsava()->currentText(),
            "Poslednji dan u mesecu koji prethodi mesecu otpisa / otudjenja");
  EXPECT_FALSE(form_.cbKorekcijaPA()->isChecked());
  EXPECT_EQ(form_.ePetIznosProsZarade()->text(), "0.00");
  EXPECT_TRUE(form_.cbObracunPAkodOtpisa()->isChecked());
  EXPECT_TRUE(form_.cbUcitajSpisak()->isChecked());
  EXPECT_TRUE(form_.cbIzborStampaca()->isChecked());
  EXPECT_TRUE(form_.cbCentriraj()->isChecked());
  EXPECT_FALSE(form_.cbAgencijskiMod()->isChecked());
  EXPECT_EQ(form_.lFont()->text(), "Font na Stampi: Arial (velicina: 8)");
  EXPECT_EQ(program_.CFONTNAME, "Arial");
  EXPECT_EQ(program_.NFONTSIZE, 8);
  EXPECT_TRUE(program_.LCENTRIRAJ);
  EXPECT_FALSE(program_.LAGENCIJSKIMOD);
  EXPECT_FALSE(std::filesystem::exists(settingsFile())) << "showing writes nothing";

  QTest::mouseClick(form_.bOk(), Qt::LeftButton);
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_EQ(settingsText(), kDefaultsWrittenByOk);
}

TEST_F(SettingsForm, FiveSalaryAmountIsStoredAsTheNumberTheCalculationReads) {
  open();
  clickBox(form_.cbKorekcijaPA());
  EXPECT_EQ(form_.focusWidget(), form_.ePetIznosProsZarade()) << "checking moves the cursor";
  QTest::keyClicks(form_.ePetIznosProsZarade(), "2500000");
  form_.clbPAzavrsava()->setFocus();
  QTest::keyClick(form_.clbPAzavrsava(), Qt::Key_Down);
  EXPECT_EQ(form_.ePetIznosProsZarade()->text(), "2,500,000.00") << "shown with its picture";
  clickBox(form_.cbAgencijskiMod());
  QTest::mouseClick(form_.bOk(), Qt::LeftButton);

  const std::string text = settingsText();
  EXPECT_NE(text.find("PA-kraj=2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("PA-korekcija=.T.\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ProsecnaZaradaX5=2500000.00\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Agencijski mod=.T.\n"), std::string::npos) << text;
  EXPECT_TRUE(program_.LAGENCIJSKIMOD);
  // What the tax calculation reads for the limit of the group correction.
  const depreciation::TaxRules rules = depreciation::readTaxRules();
  EXPECT_EQ(rules.prosecnaZaradaX5, 2500000);
  EXPECT_TRUE(rules.korekcija);
  EXPECT_EQ(rules.endRule, 2);
}

TEST_F(SettingsForm, AmountStoredWithCommasByAnOlderVersionIsShownAndRewrittenInFull) {
  writeFileBytes(
      settingsFile(),
      "[Programska podesavanja]\r\nPA-korekcija=.T.\r\nProsecnaZaradaX5=2,500,000.00\r\n");
  open();
  EXPECT_TRUE(form_.cbKorekcijaPA()->isChecked());
  EXPECT_EQ(form_.ePetIznosProsZarade()->text(), "2,500,000.00");
  EXPECT_EQ(depreciation::readTaxRules().prosecnaZaradaX5, 2500000);
  QTest::mouseClick(form_.bOk(), Qt::LeftButton);
  EXPECT_NE(settingsText().find("ProsecnaZaradaX5=2500000.00"), std::string::npos);
}

TEST_F(SettingsForm, UncheckingTheCorrectionLeavesTheCursorWhereItIs) {
  writeFileBytes(settingsFile(), "[Programska podesavanja]\nPA-korekcija=.T.\n");
  open();
  clickBox(form_.cbKorekcijaPA());
  EXPECT_FALSE(form_.cbKorekcijaPA()->isChecked());
  EXPECT_NE(form_.focusWidget(), form_.ePetIznosProsZarade());
}

TEST_F(SettingsForm, FontChosenThenClosedWithoutOkStillChangesTheReportFont) {
  open();
  QString title;
  QFont preset;
  ModalDriver driver;
  driver.on<QFontDialog>([&](QFontDialog* dialog) {
    title = dialog->windowTitle();
    preset = dialog->currentFont();
    dialog->setCurrentFont(QFont("Liberation Serif", 12));
    dialog->accept();
  });
  QTest::mouseClick(form_.sbFont(), Qt::LeftButton);
  ASSERT_TRUE(driver.done());

  EXPECT_EQ(title, "Font na stampi");
  EXPECT_EQ(preset.family(), QFontInfo(QFont("Arial")).family());
  EXPECT_EQ(preset.pointSize(), 8);
  EXPECT_EQ(form_.lFont()->text(), "Font na Stampi: Liberation Serif (velicina: 12)");
  QTest::keyClick(&form_, Qt::Key_Escape);  // closed without Ok
  EXPECT_EQ(form_.result(), QDialog::Rejected);

  EXPECT_EQ(program_.CFONTNAME, "Liberation Serif");
  EXPECT_EQ(program_.NFONTSIZE, 12);
  EXPECT_EQ(settingsText(), "[Programska podesavanja]\nFont-Name=Liberation Serif\nFont-Size=12\n");
}

TEST_F(SettingsForm, CancelledFontDialogChangesNothing) {
  open();
  ModalDriver driver;
  driver.on<QFontDialog>([](QFontDialog* dialog) {
    dialog->setCurrentFont(QFont("Liberation Serif", 12));
    dialog->reject();
  });
  QTest::mouseClick(form_.sbFont(), Qt::LeftButton);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(program_.CFONTNAME, "Arial");
  EXPECT_EQ(program_.NFONTSIZE, 8);
  EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

// Enter on the focused font button opens the font dialog, on the focused Ok it writes the
// settings and closes the form, as Space and a click do.
TEST_F(SettingsForm, EnterPressesTheFocusedButton) {
  open();
  ModalDriver driver;
  driver.on<QFontDialog>([](QFontDialog* dialog) {
    dialog->setCurrentFont(QFont("Liberation Serif", 12));
    dialog->accept();
  });
  form_.sbFont()->setFocus();
  ASSERT_TRUE(form_.sbFont()->hasFocus());
  QTest::keyClick(form_.sbFont(), Qt::Key_Enter, Qt::KeypadModifier);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(program_.CFONTNAME, "Liberation Serif");

  open();  // active again after the font dialog
  form_.bOk()->setFocus();
  ASSERT_TRUE(form_.bOk()->hasFocus());
  QTest::keyClick(form_.bOk(), Qt::Key_Return);
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  EXPECT_NE(settingsText().find("Agencijski mod=.F.\n"), std::string::npos) << settingsText();
}

TEST_F(SettingsForm, ResetLeavesOnlyTheVersionKeyOfTheActiveCompany) {
  struct Case {
    const char* prefix;
    const char* file;
  };
  for (const Case& c :
       {Case{"", "[Program]\nVerzija=1.07\n"}, Case{"001/", "[Program]\nVerzija(001\\)=1.07\n"}}) {
    writeFileBytes(settingsFile(),
                   "[Programska podesavanja]\nAgencijski mod=.T.\nFont-Name=Courier\n"
                   "PA-pocetak=3\n[Program]\nVerzija=1.07\nVerzija(002\\)=1.06\n");
    program_.CSUBDIRFIRME = c.prefix;
    open();
    ASSERT_TRUE(form_.cbAgencijskiMod()->isChecked());
    QTest::mouseClick(form_.bReset(), Qt::LeftButton);

    EXPECT_EQ(settingsText(), c.file) << c.prefix;
    EXPECT_TRUE(folder_.ui().messages().empty());
    EXPECT_FALSE(form_.cbAgencijskiMod()->isChecked()) << "the controls show the defaults";
    EXPECT_EQ(form_.clbPApocinje()->currentIndex(), 0);
    EXPECT_FALSE(program_.LAGENCIJSKIMOD);
    EXPECT_EQ(program_.CFONTNAME, "Arial");
    EXPECT_TRUE(form_.isVisible()) << "the reset does not close the form";
    form_.hide();
  }
}

TEST_F(SettingsForm, ResetThatCannotDeleteTheFileSaysSo) {
  // A settings "file" that cannot be deleted: a folder with something in it.
  std::filesystem::create_directory(settingsFile());
  writeFileBytes(settingsFile() / "held", "x");
  open();
  QTest::mouseClick(form_.bReset(), Qt::LeftButton);
  EXPECT_EQ(
      folder_.ui().transcript(),
      std::vector<std::string>{"error: Akcija nije uspela. Pokusajte ponovo.\n"
                               "Moguc uzrok: Fajl je u upotrebi od strane drugog operatera."});
  EXPECT_TRUE(std::filesystem::exists(settingsFile() / "held"));
}

// The booking accounts: the defaults are shown, a changed table is written in its own
// section, and an account that is not digits keeps the form open with nothing written.
TEST_F(SettingsForm, BookingAccountsAreShownCheckedAndWrittenWhenChanged) {
  open();
  EXPECT_EQ(form_.eKontoTroska()->text(), "540");
  QTableWidget* table = form_.sgKontaIspravke();
  ASSERT_NE(table->item(1, 1), nullptr);
  EXPECT_EQ(table->item(1, 0)->text(), "02");
  EXPECT_EQ(table->item(1, 1)->text(), "029");

  table->setItem(2, 0, new QTableWidgetItem("0231"));
  table->setItem(2, 1, new QTableWidgetItem("02X9"));
  QTest::mouseClick(form_.bOk(), Qt::LeftButton);
  EXPECT_NE(form_.result(), QDialog::Accepted);
  ASSERT_EQ(folder_.ui().transcript().size(), 1u);
  EXPECT_EQ(folder_.ui().transcript()[0],
            "warning: Prefiks konta i konto ispravke moraju imati od 1 do 10 cifara (prefiks "
            "0231).");
  EXPECT_FALSE(std::filesystem::exists(settingsFile()));

  table->item(2, 1)->setText("02319");
  clickBox(form_.cbNalogPoSredstvima());
  QTest::mouseClick(form_.bOk(), Qt::LeftButton);
  EXPECT_EQ(form_.result(), QDialog::Accepted);
  const BookingAccounts read = readBookingAccounts(programSettings());
  EXPECT_TRUE(read.perAsset);
  EXPECT_EQ(read.prefixes.size(), 3u);
  EXPECT_EQ(read.ispravkaOf("02310"), "02319");
}

// The form at its fixed width: the two long check-box captions wrap onto a second line and
// show whole, the rows below move down to make room, no caption touches a field, and a
// click on the wrapped caption still toggles its box.
TEST_F(SettingsForm, LongCaptionsWrapAndNoCaptionTouchesAField) {
  open();
  EXPECT_EQ(test::captionsTouchingFields(&form_), std::vector<std::string>{});
  for (QCheckBox* box : {form_.cbKorekcijaPA(), form_.cbObracunPAkodOtpisa()}) {
    auto* wrapping = dynamic_cast<ui::WrappingCheckBox*>(box);
    ASSERT_NE(wrapping, nullptr);
    QLabel* caption = wrapping->captionLabel();
    SCOPED_TRACE(caption->text().toStdString());
    EXPECT_LE(box->geometry().right(), form_.width() - 8) << "within the form";
    EXPECT_GE(caption->height(), caption->heightForWidth(caption->width())) << "shown whole";
    EXPECT_GT(caption->heightForWidth(caption->width()), caption->fontMetrics().height())
        << "on more than one line";
  }
  // Every control lies inside the form, the buttons at its foot.
  for (QWidget* child : form_.findChildren<QWidget*>()) {
    if (child->parentWidget() != &form_ || !child->isVisible()) continue;
    EXPECT_TRUE(form_.rect().contains(child->geometry())) << child->metaObject()->className();
  }
  EXPECT_GT(form_.bOk()->y(), form_.lFont()->geometry().bottom());

  // The second line of the caption is part of the box.
  QLabel* caption = static_cast<ui::WrappingCheckBox*>(form_.cbKorekcijaPA())->captionLabel();
  const QPoint secondLine = caption->geometry().bottomLeft() + QPoint(10, -3);
  QTest::mouseClick(form_.cbKorekcijaPA(), Qt::LeftButton, {}, secondLine);
  EXPECT_TRUE(form_.cbKorekcijaPA()->isChecked());
  EXPECT_EQ(form_.focusWidget(), form_.ePetIznosProsZarade());
  form_.cbKorekcijaPA()->setFocus();
  QTest::keyClick(form_.cbKorekcijaPA(), Qt::Key_Space);
  EXPECT_FALSE(form_.cbKorekcijaPA()->isChecked()) << "Space toggles it";

  // The long items of the lists show whole when dropped down and as a tooltip.
  QComboBox* end = form_.clbPAzavrsava();
  EXPECT_EQ(end->toolTip(), "Poslednji dan u mesecu koji prethodi mesecu otpisa / otudjenja");
  EXPECT_GT(end->view()->minimumWidth(),
            end->view()->fontMetrics().horizontalAdvance(end->itemText(0)));
  test::screenshot(&form_, "tfpodesavanja.png");
}

}  // namespace
}  // namespace kavrina::settings
