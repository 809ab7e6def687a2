// The forms driven from the keyboard alone, offscreen, with real key clicks on the focused
// control: dates typed in every way an accountant types them, the Tab order through the
// focus chain, the mnemonic of the acquisition date, Enter that saves only from a focused
// button, Space on the buttons, Escape that asks before throwing typed values away, and the
// checks that refuse a value. Each case reads back what was stored.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "common/decimal.h"
#include "qt_application.h"
#include "register/tf_firma.h"
#include "register/tf_osnovno_sredstvo.h"
#include "register_folder.h"
#include "support/fixed_today.h"

namespace kavrina::reg {
namespace {

using test::RegisterFolder;

// Keys go where the focus is, as they do for a person at the keyboard.
void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), k, modifiers);
}
void type(const char* text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

class KeyboardAssetForm : public ::testing::Test {
 protected:
  KeyboardAssetForm() { folder_.putAsset({.invBr = "10", .naziv = "Racunar"}); }

  // Shows the form for the number "Dodaj" or "Izmeni" hands over, active, with the focus in
  // the inventory number.
  void open(const char* invBr) {
    program_.CINVENTARSKIBROJ = storedInvBr(invBr);
    form_.show();
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    ASSERT_EQ(QApplication::focusWidget(), form_.eInventarskiBroj());
  }
  QWidget* focused() const { return QApplication::focusWidget(); }
  std::vector<std::string> messages() const { return folder_.ui().messages(); }
  bool stored(const char* invBr) { return RegisterFolder::find(folder_.mdos(), "InvBr", invBr); }
  Date storedDatumN(const char* invBr) {
    EXPECT_TRUE(stored(invBr)) << invBr;
    return folder_.mdos().getDate("DatumN");
  }
  // Tab from the number to the name, types it, then Alt+D to the acquisition date.
  void nameThenDate(const char* name) {
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), form_.eNazivOsnovnogSredstva());
    type(name);
    key(Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(focused(), form_.dtpDatumNabavke()) << "Alt+D reaches the date";
  }

  // The forms offer today's date; the cases type over it.
  mutable RegisterFolder folder_;
  store::Program& program_ = folder_.program();
  test::FixedToday today_{program_, Date::fromYmd(2026, 7, 14)};
  TFOSNOVNOSREDSTVO form_{program_};
};

TEST_F(KeyboardAssetForm, DatesAreStoredAsTyped) {
  const Date today = program_.clock.today();
  const struct {
    const char* name;
    std::function<void()> keys;
    Date expected;
  } cases[] = {
      {"Ctrl+A, then the whole date",
       [] {
         key(Qt::Key_A, Qt::ControlModifier);
         type("25.05.2020");
       },
       Date::fromYmd(2020, 5, 25)},
      {"the day, the month and the year one after the other",
       [] {
         key(Qt::Key_Home);
         type("25052020");
       },
       Date::fromYmd(2020, 5, 25)},
      {"short day and month",
       [] {
         key(Qt::Key_A, Qt::ControlModifier);
         type("1.7.2019");
       },
       Date::fromYmd(2019, 7, 1)},
      {"the day alone over today's date",
       [] {
         key(Qt::Key_Home);
         type("25");
       },
       Date::fromYmd(today.year(), today.month(), 25)},
      {"the month and the year after a whole date",
       [] {
         key(Qt::Key_A, Qt::ControlModifier);
         type("15.03.2020");
         key(Qt::Key_Home);
         key(Qt::Key_Right);
         key(Qt::Key_Right);  // over the point: the month's first digit
         type("072021");
       },
       Date::fromYmd(2021, 7, 15)},
      {"pasted whole",
       [] {
         QGuiApplication::clipboard()->setText("25.05.2020");
         key(Qt::Key_A, Qt::ControlModifier);
         key(Qt::Key_V, Qt::ControlModifier);
       },
       Date::fromYmd(2020, 5, 25)},
      {"pasted with short parts",
       [] {
         QGuiApplication::clipboard()->setText("1.7.2019");
         key(Qt::Key_A, Qt::ControlModifier);
         key(Qt::Key_V, Qt::ControlModifier);
       },
       Date::fromYmd(2019, 7, 1)},
  };
  int number = 20;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string invBr = std::to_string(number++);
    open(invBr.c_str());
    nameThenDate("ormar");
    c.keys();
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), form_.eDobavljac()) << "Tab goes on from the date to the supplier";
    QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
    EXPECT_EQ(storedDatumN(invBr.c_str()), c.expected) << storedDatumN(invBr.c_str()).toText();
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardAssetForm, CalendarDropsDownAndEnterTakesItsDay) {
  open("21");
  nameThenDate("sto");
  key(Qt::Key_A, Qt::ControlModifier);
  type("15.03.2020");
  key(Qt::Key_Down, Qt::AltModifier);
  ASSERT_NE(form_.dtpDatumNabavke()->calendar(), nullptr);
  EXPECT_EQ(form_.dtpDatumNabavke()->calendar()->selectedDate(), QDate(2020, 3, 15));
  key(Qt::Key_Right);  // the next day
  key(Qt::Key_Return);
  EXPECT_EQ(form_.dtpDatumNabavke()->calendar(), nullptr) << "closed";
  EXPECT_EQ(form_.dtpDatumNabavke()->text(), "16.03.2020");
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  EXPECT_EQ(storedDatumN("21"), Date::fromYmd(2020, 3, 16));
}

TEST_F(KeyboardAssetForm, ImpossibleDateIsRefusedAndTheFocusStays) {
  open("22");
  nameThenDate("sto");
  key(Qt::Key_A, Qt::ControlModifier);
  type("31.02.2021");
  key(Qt::Key_Tab);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Pogresan datum nabavke: 31.02.2021 (dd.mm.gggg)"}));
  EXPECT_EQ(focused(), form_.dtpDatumNabavke()) << "the focus stays in the field";
  EXPECT_EQ(form_.dtpDatumNabavke()->text(), "31.02.2021") << "kept for correction";

  key(Qt::Key_Return);
  EXPECT_EQ(messages().size(), 2u) << "Enter checks the date too";
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(messages().size(), 3u) << "Snimi refuses it";
  EXPECT_FALSE(stored("22"));
  EXPECT_TRUE(form_.isVisible());
  EXPECT_EQ(focused(), form_.dtpDatumNabavke());

  // Clicking into another field does not take the date either: the message, and back.
  QTest::mouseClick(form_.eDokument(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(messages().size(), 4u);
  EXPECT_EQ(focused(), form_.dtpDatumNabavke());

  // A cleared date is no date either.
  key(Qt::Key_A, Qt::ControlModifier);
  key(Qt::Key_Delete);
  key(Qt::Key_Tab);
  EXPECT_EQ(messages().size(), 5u);
  EXPECT_EQ(messages().back(), "Pogresan datum nabavke: prazno polje (dd.mm.gggg)");
  EXPECT_EQ(focused(), form_.dtpDatumNabavke());

  // Corrected, it is taken.
  key(Qt::Key_A, Qt::ControlModifier);
  type("28.02.2021");
  key(Qt::Key_Tab);
  EXPECT_EQ(focused(), form_.eDobavljac());
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  EXPECT_EQ(storedDatumN("22"), Date::fromYmd(2021, 2, 28));
  EXPECT_EQ(messages().size(), 5u);
}

// Keys typed on after a refused Tab land in the field over the refused date, from its
// start: "28" typed after "31.02.2021" and Tab makes "28.02.2021", nothing typed is lost.
TEST_F(KeyboardAssetForm, KeysTypedAfterARefusedTabCorrectTheDate) {
  const struct {
    const char* typedFirst;
    const char* typedAfter;
    const char* field;
    Date stored;
  } cases[] = {{"31.02.2021", "28", "28.02.2021", Date::fromYmd(2021, 2, 28)},
               {"15.13.2021", "15.12", "15.12.2021", Date::fromYmd(2021, 12, 15)}};
  int n = 40;
  for (const auto& c : cases) {
    const std::string invBr = std::to_string(++n);
    open(invBr.c_str());
    nameThenDate("sto");
    key(Qt::Key_A, Qt::ControlModifier);
    type(c.typedFirst);
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), form_.dtpDatumNabavke());
    type(c.typedAfter);
    EXPECT_EQ(form_.dtpDatumNabavke()->text(), c.field) << c.typedFirst;
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), form_.eDobavljac()) << c.typedFirst;
    QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
    EXPECT_EQ(storedDatumN(invBr.c_str()), c.stored) << c.typedFirst;
  }
}

TEST_F(KeyboardAssetForm, WriteOffDateIsCheckedWhenTheAssetIsWrittenOff) {
  open("10");
  form_.rbOtpisano()->setFocus();
  key(Qt::Key_Space);
  ASSERT_TRUE(form_.rbOtpisano()->isChecked());
  key(Qt::Key_Tab);
  ASSERT_EQ(focused(), form_.dtpDatumO());
  type("30.06.2023");  // over today's date, from the start of the field
  key(Qt::Key_Tab);
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  ASSERT_TRUE(stored("10"));
  EXPECT_EQ(folder_.mdos().getDate("DatumO"), Date::fromYmd(2023, 6, 30));

  open("10");
  form_.dtpDatumO()->setFocus();
  key(Qt::Key_A, Qt::ControlModifier);
  type("31.06.2023");
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Pogresan datum otpisa: 31.06.2023 (dd.mm.gggg)"}));
  ASSERT_TRUE(stored("10"));
  EXPECT_EQ(folder_.mdos().getDate("DatumO"), Date::fromYmd(2023, 6, 30)) << "unchanged";
}

TEST_F(KeyboardAssetForm, TabOrderSkipsTheAcquisitionDateWhichAltDReaches) {
  open("11");
  std::vector<QWidget*> chain{focused()};
  for (int i = 0; i < 30; ++i) {
    key(Qt::Key_Tab);
    if (focused() == chain.front()) break;
    chain.push_back(focused());
  }
  const std::vector<QWidget*> expected = {form_.eInventarskiBroj(),
                                          form_.eNazivOsnovnogSredstva(),
                                          form_.eDobavljac(),
                                          form_.eDokument(),
                                          form_.eRacunovodstvenaOsnovica(),
                                          form_.ePoreskaOsnovica(),
                                          form_.eIspravkaVrednosti(),
                                          form_.ePKVT(),
                                          form_.eStopaAmortizacije(),
                                          form_.csMetodRA(),
                                          form_.csGrupaPA(),
                                          form_.eKolicina(),
                                          form_.eODeo(),
                                          form_.eKonto(),
                                          form_.rbNijeOtpisano(),
                                          form_.bSnimi(),
                                          form_.bOdustani(),
                                          form_.cbPonistiPolja(),
                                          form_.cbNoviInventarskiBroj(),
                                          form_.cbNastaviUnos()};
  EXPECT_EQ(chain, expected);

  // Backwards from the supplier the date is skipped too.
  form_.eDobavljac()->setFocus();
  key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused(), form_.eNazivOsnovnogSredstva());

  // The date's caption carries the mnemonic, underlined, and leads to it.
  QLabel* caption = nullptr;
  for (QLabel* label : form_.findChildren<QLabel*>())
    if (label->buddy() == form_.dtpDatumNabavke()) caption = label;
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "&Datum:");
  key(Qt::Key_D, Qt::AltModifier);
  EXPECT_EQ(focused(), form_.dtpDatumNabavke());
}

TEST_F(KeyboardAssetForm, EnterSavesOnlyFromAFocusedButtonAsSpaceDoes) {
  open("11");
  key(Qt::Key_Tab);
  type("ormar");
  // Enter on every stop of the chain after the number but the buttons (Enter on the number
  // loads it).
  int buttons = 0;
  for (int i = 0; i < 18; ++i) {
    key(Qt::Key_Tab);
    if (qobject_cast<QPushButton*>(focused()) != nullptr) {
      ++buttons;
      continue;
    }
    SCOPED_TRACE(focused()->metaObject()->className());
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(form_.isVisible());
  }
  EXPECT_EQ(buttons, 2) << "the chain passed Snimi and Odustani";
  EXPECT_FALSE(stored("11")) << "a half-typed asset is never stored by Enter in a field";
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "Ormar");

  const struct {
    const char* invBr;
    QPushButton* button;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool stored;
  } cases[] = {{"11", form_.bSnimi(), Qt::Key_Return, Qt::NoModifier, true},
               {"12", form_.bSnimi(), Qt::Key_Enter, Qt::KeypadModifier, true},
               {"13", form_.bSnimi(), Qt::Key_Space, Qt::NoModifier, true},
               {"14", form_.bOdustani(), Qt::Key_Return, Qt::NoModifier, false}};
  for (const auto& c : cases) {
    if (std::string(c.invBr) != "11") {
      open(c.invBr);
      key(Qt::Key_Tab);
      type("ormar");
    }
    c.button->setFocus();
    key(c.key, c.modifiers);
    EXPECT_FALSE(form_.isVisible()) << c.invBr;
    EXPECT_EQ(stored(c.invBr), c.stored) << c.invBr;
  }
  EXPECT_EQ(folder_.mdos().getString("Naziv").substr(0, 6), "Ormar ");
}

// Escape closes the form at once when nothing was typed, and asks first when something was:
// No keeps the form with what was typed, Yes closes it without saving.
TEST_F(KeyboardAssetForm, EscapeAsksBeforeThrowingTypedValuesAway) {
  open("10");
  key(Qt::Key_Escape);
  EXPECT_FALSE(form_.isVisible()) << "nothing typed: closed without a question";
  EXPECT_TRUE(messages().empty());

  open("10");
  key(Qt::Key_Tab);
  key(Qt::Key_End);
  type(" novi");
  folder_.ui().no();
  key(Qt::Key_Escape);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Odustati od unetih izmena?"}));
  EXPECT_TRUE(form_.isVisible()) << "No keeps the form";
  EXPECT_EQ(form_.eNazivOsnovnogSredstva()->text(), "Racunar novi");
  folder_.ui().yes();
  key(Qt::Key_Escape);
  EXPECT_FALSE(form_.isVisible());
  ASSERT_TRUE(stored("10"));
  EXPECT_EQ(folder_.mdos().getString("Naziv").substr(0, 8), "Racunar ") << "not saved";
}

TEST_F(KeyboardAssetForm, TwoAssetsEnteredFromTheKeyboardAlone) {
  open("11");
  // Shift+Tab from the number wraps round to "Nastavi unos nakon snimanja".
  key(Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_EQ(focused(), form_.cbNastaviUnos());
  key(Qt::Key_Space);
  ASSERT_TRUE(form_.cbNastaviUnos()->isChecked());
  key(Qt::Key_Tab);

  const struct {
    const char* number;
    const char* name;
    const char* date;
    const char* supplier;
    const char* base;
    Date stored;
  } assets[] = {{"11", "ormar", "1.7.2019", "Drvo doo", "15000", Date::fromYmd(2019, 7, 1)},
                {"12", "polica", "25.05.2020", "Metal ad", "2400.5", Date::fromYmd(2020, 5, 25)}};
  for (const auto& a : assets) {
    SCOPED_TRACE(a.number);
    ASSERT_EQ(focused(), form_.eInventarskiBroj());
    EXPECT_EQ(form_.eInventarskiBroj()->text().toStdString(), a.number) << "the next number";
    key(Qt::Key_Tab);
    type(a.name);
    key(Qt::Key_D, Qt::AltModifier);
    key(Qt::Key_A, Qt::ControlModifier);
    type(a.date);
    key(Qt::Key_Tab);
    type(a.supplier);
    key(Qt::Key_Tab);  // Dokument
    key(Qt::Key_Tab);  // Racunovodstvena
    key(Qt::Key_A, Qt::ControlModifier);
    type(a.base);
    // On to Snimi: Poreska, Ispravka, vek, stopa, two lists, kolicina, org.deo, konto,
    // status, Snimi.
    for (int i = 0; i < 11; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focused(), form_.bSnimi());
    key(Qt::Key_Space);
  }
  EXPECT_TRUE(form_.isVisible()) << "entry goes on";
  EXPECT_EQ(storedDatumN("11"), assets[0].stored);
  EXPECT_EQ(folder_.mdos().getNumber("RAOsn"), 15000);
  EXPECT_EQ(folder_.mdos().getString("Dobavljac").substr(0, 9), "Drvo doo ");
  EXPECT_EQ(storedDatumN("12"), assets[1].stored);
  EXPECT_EQ(folder_.mdos().getNumber("RAOsn"), 2400.5);
  EXPECT_EQ(folder_.mdos().getString("Naziv").substr(0, 7), "Polica ");
  EXPECT_TRUE(messages().empty());
}

TEST_F(KeyboardAssetForm, AccumulatedDepreciationAboveTheBaseIsRefused) {
  open("11");
  test::retype(form_.eRacunovodstvenaOsnovica(), "1000");
  test::retype(form_.eIspravkaVrednosti(), "1000.01");
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Ispravka vrednosti (1,000.01) je veca od Racunovodstvene osnovice "
                            "(1,000.00).\rIspravka vrednosti ne moze biti veca od nabavne "
                            "vrednosti."}));
  EXPECT_FALSE(stored("11"));
  EXPECT_TRUE(form_.isVisible());
  EXPECT_EQ(focused(), form_.eIspravkaVrednosti());

  // Equal to the base, the asset is fully depreciated: stored.
  type("1000");
  QTest::mouseClick(form_.bSnimi(), Qt::LeftButton);
  ASSERT_TRUE(stored("11"));
  EXPECT_EQ(folder_.mdos().getNumber("IspVr"), 1000);
}

TEST_F(KeyboardAssetForm, LongListItemsShowWholeAndCaptionsKeepClearOfFields) {
  open("10");
  for (QComboBox* box : {form_.csMetodRA(), form_.csGrupaPA()}) {
    int widest = 0;
    for (int i = 0; i < box->count(); ++i) {
      EXPECT_EQ(box->itemData(i, Qt::ToolTipRole).toString(), box->itemText(i));
      widest = std::max(widest, box->view()->fontMetrics().horizontalAdvance(box->itemText(i)));
    }
    EXPECT_GT(box->view()->minimumWidth(), widest) << "the dropped-down list shows every item";
    EXPECT_EQ(box->toolTip(), box->currentText());
  }
  form_.csMetodRA()->setCurrentIndex(1);
  EXPECT_EQ(form_.csMetodRA()->toolTip(), "Degresivni metod dvostrukog opadajuceg salda");
  EXPECT_EQ(test::captionsTouchingFields(&form_), std::vector<std::string>{});

  // Both dates show whole beside their calendar button (frame and margin at the left), and
  // a click on the button drops the calendar down.
  form_.rbOtpisano()->click();
  for (DatePicker* picker : {form_.dtpDatumNabavke(), form_.dtpDatumO()}) {
    ASSERT_TRUE(picker->isVisible());
    picker->setValue(Date::fromYmd(2020, 12, 28));
    EXPECT_GE(picker->calendarButton()->x() - 4,
              picker->fontMetrics().horizontalAdvance(picker->text()));
    EXPECT_LE(picker->calendarButton()->geometry().right(), picker->width());
    QTest::mouseClick(picker->calendarButton(), Qt::LeftButton);
    ASSERT_NE(picker->calendar(), nullptr);
    EXPECT_EQ(picker->calendar()->selectedDate(), QDate(2020, 12, 28));
    QTest::keyClick(picker->calendar(), Qt::Key_Escape);
    QApplication::processEvents();
  }
}

TEST(KeyboardCompanyForm, EnterInAFieldNeverSavesAndOnAButtonPressesIt) {
  RegisterFolder folder;
  folder.putCompany("000", "Velmar", "Beograd", "100");
  TFFIRMA form(folder.program());
  const struct {
    const char* code;
    bool odustani;  // Tab on to Odustani before Enter
    bool stored;
  } cases[] = {{"001", false, true}, {"002", true, false}};
  for (const auto& c : cases) {
    folder.program().CSIFRAFIRME = c.code;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    type("nova firma");
    for (int i = 0; i < 3; ++i) {  // the name, the place and the PIB
      key(Qt::Key_Return);
      EXPECT_TRUE(form.isVisible());
      key(Qt::Key_Tab);
    }
    EXPECT_FALSE(RegisterFolder::find(folder.firme(), "Sifra", c.code));
    ASSERT_EQ(QApplication::focusWidget(), form.bSnimiZaglavlje());
    if (!c.odustani) test::screenshot(&form, "tffirma_enter_on_snimi.png");
    if (c.odustani) key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_FALSE(form.isVisible()) << c.code;
    EXPECT_EQ(RegisterFolder::find(folder.firme(), "Sifra", c.code), c.stored) << c.code;
  }
  EXPECT_EQ(test::captionsTouchingFields(&form), std::vector<std::string>{});
}

}  // namespace
}  // namespace kavrina::reg
