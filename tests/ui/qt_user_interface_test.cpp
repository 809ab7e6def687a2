// The Qt user interface, offscreen: boxes are found while they are up and answered by
// clicking and typing, as a user would.
#include "ui/qt/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "modal_driver.h"
#include "ui/picture.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/wait_notice_window.h"

namespace kavrina::ui {
namespace {

using testing::ModalDriver;

class QtUi : public ::testing::Test {
 protected:
  // The application lives for the suite and is gone before exit, when Qt's own globals
  // are already being torn down.
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "ui_qt_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  static inline std::unique_ptr<QApplication> app_;
  QtUserInterface ui_;
};

// What a message box showed, captured while it was up.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QStringList buttons;
};

SeenBox seen(QMessageBox* box) {
  SeenBox s{box->windowTitle(), box->text(), box->icon(), box->textFormat(), {}};
  for (QAbstractButton* button : box->buttons()) s.buttons << button->text().remove('&');
  s.buttons.sort();
  return s;
}

TEST_F(QtUi, MessageBoxKindsHaveTheirIconAndTitleAndAnOkButton) {
  struct Row {
    MessageKind kind;
    QMessageBox::Icon icon;
    const char* title;
  };
  const Row rows[] = {
      {MessageKind::Information, QMessageBox::Information, "Information"},
      {MessageKind::Warning, QMessageBox::Warning, "Warning"},
      {MessageKind::Error, QMessageBox::Critical, "Error"},
      {MessageKind::Confirmation, QMessageBox::Question, "Confirm"},
  };
  for (const Row& row : rows) {
    SeenBox box;
    ModalDriver driver;
    driver.on<QMessageBox>([&](QMessageBox* b) {
      box = seen(b);
      b->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ui_.messageBox("Pogresna sifra!", row.kind, MessageButtons::Ok), Answer::Ok);
    ASSERT_TRUE(driver.done()) << row.title;
    EXPECT_EQ(box.icon, row.icon) << row.title;
    EXPECT_EQ(box.title, row.title);
    EXPECT_EQ(box.text, "Pogresna sifra!");
    EXPECT_EQ(box.buttons, QStringList{"OK"});
  }
}

TEST_F(QtUi, YesNoBoxAnswersSixForYesAndSevenForNoOrEscape) {
  struct Row {
    const char* name;
    std::function<void(QMessageBox*)> act;
    int answer;
  };
  const Row rows[] = {
      {"Yes", [](QMessageBox* b) { b->button(QMessageBox::Yes)->click(); }, 6},
      {"No", [](QMessageBox* b) { b->button(QMessageBox::No)->click(); }, 7},
      {"Escape", [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, 7},
  };
  for (const Row& row : rows) {
    SeenBox box;
    ModalDriver driver;
    driver.on<QMessageBox>([&](QMessageBox* b) {
      box = seen(b);
      row.act(b);
    });
    const Answer answer = ui_.messageBox("Sigurno brisete SVA Kavrina ?", MessageKind::Confirmation,
                                         MessageButtons::YesNo);
    ASSERT_TRUE(driver.done()) << row.name;
    EXPECT_EQ(static_cast<int>(answer), row.answer) << row.name;
    EXPECT_EQ(box.buttons, (QStringList{"No", "Yes"}));
  }
}

TEST_F(QtUi, MessageTextKeepsItsLinesAndIsNotReadAsMarkup) {
  SeenBox box;
  ModalDriver driver;
  driver.on<QMessageBox>([&](QMessageBox* b) {
    box = seen(b);
    b->button(QMessageBox::Ok)->click();
  });
  ui_.messageBox("Firma: <B>&CO\rPodaci su ucitani i aktivni.", MessageKind::Information,
                 MessageButtons::Ok);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(box.text, "Firma: <B>&CO\nPodaci su ucitani i aktivni.");
  EXPECT_EQ(box.format, Qt::PlainText);
}

TEST_F(QtUi, InputBoxShowsCaptionPromptValueAndWidthAndReturnsTheTypedValue) {
  QString title, prompt, start;
  int width = 0;
  bool startSelected = false;
  ModalDriver driver;
  driver.on<InputDialog>([&](InputDialog* d) {
    title = d->windowTitle();
    prompt = d->findChild<QLabel*>("inputPrompt")->text();
    start = d->edit()->text();
    startSelected = d->edit()->selectedText() == start;
    width = d->edit()->width();
    QTest::keyClicks(d->edit(), "2023");  // replaces the selected value
    QTest::keyClick(d->edit(), Qt::Key_Return);
  });
  const auto value = ui_.inputBox("Unos", "Obracunska godina:", "2022", "9999", 50);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(value, "2023");
  EXPECT_EQ(title, "Unos");
  EXPECT_EQ(prompt, "Obracunska godina:");
  EXPECT_EQ(start, "2022");
  EXPECT_TRUE(startSelected);
  EXPECT_EQ(width, 50);
}

TEST_F(QtUi, InputBoxRefusesKeystrokesThePictureCannotTake) {
  struct Row {
    const char* picture;
    const char* keys;
    const char* expected;
  };
  const Row rows[] = {
      {"9999", "20a23x4", "2023"},
      {"99", "1b23", "12"},
      {"9", "-7", "7"},
      {"99.99.9999", "1/5.03.2020x", "15.03.2020"},
      {"XXXXXXXXXXXXXXXXXXXX", "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
  };
  for (const Row& row : rows) {
    ModalDriver driver;
    driver.on<InputDialog>([&](InputDialog* d) {
      d->edit()->clear();
      QTest::keyClicks(d->edit(), row.keys);
      d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const auto value = ui_.inputBox("Unos", "Vrednost:", "", row.picture, 120);
    ASSERT_TRUE(driver.done()) << row.picture;
    EXPECT_EQ(value, row.expected) << row.picture;
  }
}

TEST_F(QtUi, InvalidInputIsAnsweredWithPogresanUnosAndTheBoxStaysOpen) {
  SeenBox error;
  bool stillOpen = false;
  ModalDriver driver;
  driver
      .on<InputDialog>([&](InputDialog* d) {
        d->edit()->clear();
        QTest::keyClicks(d->edit(), "31.02.2023");
        QTest::keyClick(d->edit(), Qt::Key_Return);
      })
      .on<QMessageBox>([&](QMessageBox* b) {
        error = seen(b);
        b->button(QMessageBox::Ok)->click();
      })
      .on<InputDialog>([&](InputDialog* d) {
        stillOpen = d->isVisible() && d->edit()->text() == "31.02.2023";
        d->edit()->clear();
        QTest::keyClicks(d->edit(), "1.3.2023");
        QTest::keyClick(d->edit(), Qt::Key_Return);
      });
  const auto value = ui_.inputBox("Unos", "Datum Otpisa:", "15.03.2023", kDatePicture, 80);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(value, "01.03.2023");
  EXPECT_EQ(error.text, "Pogresan unos.");
  EXPECT_EQ(error.title, "Error");
  EXPECT_EQ(error.icon, QMessageBox::Critical);
  EXPECT_TRUE(stillOpen);
}

TEST_F(QtUi, PastedTextIsCheckedOnOkToo) {
  // setText bypasses the keystroke check, as a paste of odd text may: OK still refuses it.
  QString errorText;
  ModalDriver driver;
  driver
      .on<InputDialog>([&](InputDialog* d) {
        d->edit()->setText("15 923");
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      })
      .on<QMessageBox>([&](QMessageBox* b) {
        errorText = b->text();
        b->button(QMessageBox::Ok)->click();
      })
      .on<InputDialog>([&](InputDialog* d) {
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
      });
  EXPECT_EQ(ui_.inputBox("Unos", "Sifra za brisanje:", "0", "999999", 70), std::nullopt);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(errorText, "Pogresan unos.");
}

TEST_F(QtUi, CancelAndEscapeAnswerNoValue) {
  for (bool escape : {false, true}) {
    ModalDriver driver;
    driver.on<InputDialog>([&](InputDialog* d) {
      if (escape) {
        QTest::keyClick(d->edit(), Qt::Key_Escape);
      } else {
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
      }
    });
    EXPECT_EQ(ui_.inputBox("Unos", "Konto:", "0", "9999999999", 80), std::nullopt);
    ASSERT_TRUE(driver.done());
  }
}

TEST_F(QtUi, WaitNoticeIsUpAndPaintedAtOnceAndGoesWithItsOwner) {
  QWidget mainWindow;
  QPushButton command("Brisi", &mainWindow);
  int commandRuns = 0;
  QObject::connect(&command, &QPushButton::clicked, [&] { ++commandRuns; });
  command.setGeometry(10, 10, 80, 30);
  mainWindow.resize(200, 100);
  mainWindow.show();
  // A click as the window system delivers it, so that modality applies.
  auto clickCommand = [&] {
    QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, QPoint(50, 25));
  };
  ui_.setParentWindow(&mainWindow);
  {
    auto wait = ui_.showWait("Obracun u toku. Molim sacekajte...");
    auto* notice = qobject_cast<WaitNoticeWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->windowHandle()->isExposed());
    EXPECT_EQ(notice->text(), "Obracun u toku. Molim sacekajte...");
    EXPECT_EQ(notice->windowTitle(), "Information");
    EXPECT_TRUE(notice->findChildren<QAbstractButton*>().isEmpty());
    // The user cannot close it, and while it is up the main window takes no clicks.
    EXPECT_FALSE(notice->close());
    EXPECT_TRUE(notice->isVisible());
    clickCommand();
    ui_.processEvents();
    EXPECT_EQ(commandRuns, 0);
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_EQ(qobject_cast<WaitNoticeWindow*>(top), nullptr);
  }
  clickCommand();
  ui_.processEvents();
  EXPECT_EQ(commandRuns, 1);
  ui_.setParentWindow(nullptr);
}

// The notice of a network step holds back clicks and keys like the modal one, but leaves
// the main window unblocked, so that the window system's close reaches it and can cancel
// the step; the input comes back with the notice's end.
TEST_F(QtUi, NetworkWaitHoldsInputButLeavesTheMainWindowClosable) {
  QWidget mainWindow;
  QPushButton command("Brisi", &mainWindow);
  QLineEdit field(&mainWindow);
  int commandRuns = 0;
  QObject::connect(&command, &QPushButton::clicked, [&] { ++commandRuns; });
  command.setGeometry(10, 10, 80, 30);
  field.setGeometry(10, 50, 80, 30);
  mainWindow.resize(200, 100);
  mainWindow.show();
  field.setFocus();
  auto clickCommand = [&] {
    QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, QPoint(50, 25));
  };
  ui_.setParentWindow(&mainWindow);
  {
    auto wait = ui_.showNetworkWait("Provera verzije programa...");
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
    WaitNoticeWindow* notice = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<WaitNoticeWindow*>(top)) notice = found;
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    clickCommand();
    QTest::keyClicks(&field, "123");
    ui_.processEvents();
    EXPECT_EQ(commandRuns, 0);
    EXPECT_EQ(field.text(), "");
    EXPECT_TRUE(mainWindow.close());
  }
  mainWindow.show();
  clickCommand();
  QTest::keyClicks(&field, "123");
  ui_.processEvents();
  EXPECT_EQ(commandRuns, 1);
  EXPECT_EQ(field.text(), "123");
  ui_.setParentWindow(nullptr);
}

TEST_F(QtUi, ProgressBoxFollowsThePositionAndItsCancelSetsTheFlag) {
  auto progress =
      ui_.showProgress("Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...", 1, 10);
  auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->labelText(), "Ucitava se Spisak Osnovnih Sredstava. Molim sacekajte...");
  EXPECT_EQ(dialog->windowTitle(), "Information");
  EXPECT_EQ(dialog->minimum(), 1);
  EXPECT_EQ(dialog->maximum(), 10);
  progress->setPosition(5);
  EXPECT_EQ(dialog->value(), 5);
  progress->setPosition(10);
  EXPECT_EQ(dialog->value(), 10);
  EXPECT_TRUE(dialog->isVisible()) << "reaching the end must not close the box";
  EXPECT_FALSE(progress->cancelled());

  auto* cancel = dialog->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), "Cancel");
  cancel->click();
  ui_.processEvents();
  EXPECT_TRUE(progress->cancelled());
  progress->setPosition(5);
  EXPECT_TRUE(progress->cancelled());

  QPointer<QProgressDialog> watch(dialog);
  progress.reset();
  EXPECT_TRUE(watch.isNull());
}

// A download's box with an unknown size (a busy bar) is cancelled by Escape as by its button.
TEST_F(QtUi, ProgressBoxIsCancelledByEscape) {
  auto progress = ui_.showProgress("Preuzimanje programa u toku. Molim sacekajte...", 0, 0);
  auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(progress->cancelled());
  QTest::keyClick(dialog, Qt::Key_Escape);
  ui_.processEvents();
  EXPECT_TRUE(progress->cancelled());
}

TEST_F(QtUi, ProcessEventsRunsWhatIsPending) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  ui_.processEvents();
  EXPECT_TRUE(ran);
}

TEST_F(QtUi, UnsupportedPictureRaisesWithoutShowingABox) {
  EXPECT_THROW(ui_.inputBox("Unos", "Iznos:", "0", "999.99", 50), std::invalid_argument);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kavrina::ui
