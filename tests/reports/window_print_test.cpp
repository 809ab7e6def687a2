// The two lists started from the main window's command trees with the program's own calls:
// the document shows in the window's preview place, the window's preview tool bar drives it,
// the first row is selected afterwards, and the previewed document saves as PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <memory>

#include "app/form_hooks.h"
#include "app/tfosmain.h"
#include "app/window_fixture.h"
#include "depreciation/obracun.h"
#include "register/tf_firma.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt/print_preview.h"
#include "reports/qt_fixture.h"
#include "reports/recorded_page.h"
#include "ui/modal_driver.h"

namespace kavrina::test {
namespace {

class WindowPrint : public WindowTest {
 protected:
  void SetUp() override {
    openDatabase();
    addCompany("000", "Velmar", "Beograd");
    addCompany("001", "Klijent DOO", "Novi Sad");
    addAsset({"1", "Racunar Dell", "10.02.2020", 120000, 120000, "", 0, 0});
    addAsset({"2", "Sto radni", "01.06.2019", 999, 999, "", 0, 0});
    addAsset({"3", "Stolica", "05.05.2025", 15000.5, 14000, "", 0, 0});
    window_ = std::make_unique<app::TFOSMAIN>(program(), app::TFOSMAIN::programHooks(raw_));
    raw_ = window_.get();
    program().LAGENCIJSKIMOD = true;
    window_->resize(1000, 700);
    window_->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    window_.reset();
    raw_ = nullptr;
  }

  reports::PrintPreview* preview() {
    return qobject_cast<reports::PrintPreview*>(window_->previewWidget());
  }
  void run(QToolButton* section, const char* command) {
    section->click();
    QApplication::processEvents();
    window_->sgSpisak->selectRow(window_->sgSpisak->model()->rowCount() - 1);
    window_->runTreeCommand(command);
    QApplication::processEvents();
  }

  app::TFOSMAIN* raw_ = nullptr;
  std::unique_ptr<app::TFOSMAIN> window_;
};

TEST_F(WindowPrint, CompanyListShowsInTheWindowsPreview) {
  run(window_->Firme, "Stampaj");
  ASSERT_TRUE(window_->previewVisible());
  ASSERT_NE(preview(), nullptr);
  EXPECT_EQ(preview()->document()->title, "SpisakFirmi");
  EXPECT_TRUE(preview()->isVisible());
  EXPECT_EQ(window_->eTBStrana->text(), "Strana 1 od 1");
  // The window's bar drives the preview and carries the PDF button.
  window_->SledecaStrana->click();
  EXPECT_EQ(preview()->state().page(), 1);
  bool pdfButton = false;
  for (QAction* action : window_->ToolBarStampa->actions())
    pdfButton = pdfButton || action->objectName() == "SacuvajPdf";
  EXPECT_TRUE(pdfButton);
  EXPECT_EQ(window_->sgSpisak->currentIndex().row(), 0);
  // For a person to look at, beside the test program.
  window_->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/window_preview.png"));
}

TEST_F(WindowPrint, AssetListAsksTheDateAndSavesAsPdf) {
  run(window_->Firme, "Stampaj");
  auto* first = preview();
  ui().type("31.12.2023");
  run(window_->Kavrina, "Spisak");
  ASSERT_EQ(preview(), first) << "one preview for the whole run";
  ASSERT_TRUE(preview()->document());
  EXPECT_EQ(preview()->document()->title, "SpisakOsnovnihSredstava");
  EXPECT_EQ(window_->sgSpisak->currentIndex().row(), 0);

  const auto pdf = folder_.path() / "SpisakOsnovnihSredstava.pdf";
  ASSERT_FALSE(reports::writePdf(*preview()->document(), pdf));
  const std::string text = runTool("pdftotext -layout " + quoted(pdf) + " -");
  for (const char* expected : {"Spisak Osnovnih sredstava", "na dan: 31.12.2023", "Racunar Dell",
                               "Sto radni", "120,000.00", "Ukupno:", "120,999.00"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(text.find("Stolica"), std::string::npos) << "acquired after the date";
}

TEST_F(WindowPrint, CalculationRowsOpenTheRegisterOf2019AndFormPoa) {
  ASSERT_TRUE(depreciation::runObracun(program(), {2023, 12, true, true}, {}).done);
  window_->UcitajObracune();
  window_->Obracuni->click();
  QApplication::processEvents();
  // Double-click on a row, as the user opens its document.
  auto open = [&](const std::string& description) {
    const auto& rows = program().AOBRACUNI;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i][1] != description) continue;
      window_->sgSpisak->selectRow(static_cast<int>(i));
      window_->sgSpisakOnDblClick();
      QApplication::processEvents();
      return true;
    }
    return false;
  };
  ASSERT_TRUE(open("Evidencija OS stecenih od 01.01.2019 "));
  ASSERT_TRUE(window_->previewVisible());
  ASSERT_TRUE(preview()->document());
  EXPECT_EQ(preview()->document()->title, "Evidencija_OS_od_01012019");
  EXPECT_EQ(preview()->document()->orientation, ui::Orientation::Landscape);
  EXPECT_EQ(window_->eTBStrana->text(), "Strana 1 od 1");
  window_->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/window_evidencija_2019.png"));

  ASSERT_TRUE(open("Obrazac POA "));
  EXPECT_EQ(preview()->document()->title, "ObrazacPOA");
  EXPECT_EQ(preview()->document()->orientation, ui::Orientation::Portrait);
}

TEST_F(WindowPrint, CalculationRowsOpenTheStatementsAndFormOaAndAssetsTheirCardAndList) {
  ASSERT_TRUE(depreciation::runObracun(program(), {2023, 12, true, true}, {}).done);
  window_->UcitajObracune();
  window_->Obracuni->click();
  QApplication::processEvents();
  auto select = [&](const std::string& description) {
    const auto& rows = program().AOBRACUNI;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i][1] != description) continue;
      window_->sgSpisak->selectRow(static_cast<int>(i));
      return true;
    }
    return false;
  };
  const struct {
    std::string description;
    std::string title;
  } documents[] = {
      {"Godisnji obracun Racunovodstvene amortizacije", "ObracunRacunovodstveneAmortizacije"},
      {"Godisnji obracun Poreske amortizacije", "ObracunPoreskeAmortizacije"},
      {"Obrazac OA ", "ObrazacOA"},
      {"Nalog za knjizenje amortizacije", "NalogZaKnjizenjeAmortizacije"}};
  for (const auto& d : documents) {
    ASSERT_TRUE(select(d.description)) << d.description;
    window_->sgSpisakOnDblClick();
    QApplication::processEvents();
    ASSERT_TRUE(preview() && preview()->document()) << d.description;
    EXPECT_EQ(preview()->document()->title, d.title);
  }
  // The note and form OA carry their workbooks: the window's "Excel" button is enabled.
  QAction* excel = window_->ToolBarStampa->findChild<QAction*>("SacuvajExcel");
  ASSERT_NE(excel, nullptr);
  EXPECT_TRUE(excel->isEnabled());
  EXPECT_TRUE(findText(*preview()->document(), 0, "UKUPNO DUGUJE:"));
  // "Stampaj" in the tree opens the row's document as the double-click does.
  ASSERT_TRUE(select("Godisnji obracun Racunovodstvene amortizacije"));
  window_->runTreeCommand("Stampaj");
  QApplication::processEvents();
  EXPECT_EQ(preview()->document()->title, "ObracunRacunovodstveneAmortizacije");
  EXPECT_TRUE(findText(*preview()->document(), 0, "Racunar Dell"));

  // The asset section: the card of the current asset and the inventory list.
  window_->Kavrina->click();
  QApplication::processEvents();
  window_->sgSpisak->selectRow(0);
  window_->runTreeCommand("Karticu");
  QApplication::processEvents();
  EXPECT_EQ(preview()->document()->title, "KarticaOsnovnogSredstva");
  EXPECT_TRUE(findText(*preview()->document(), 0, "Racunar Dell"));
  ui().type("31.12.2023");
  window_->runTreeCommand("Popisne liste");
  QApplication::processEvents();
  EXPECT_EQ(preview()->document()->title, "PopisOsnovnihSredstava");
  EXPECT_TRUE(findText(*preview()->document(), 0, "na dan: 31.12.2023"));
}

// The texts a recorded page draws, in drawing order.
std::vector<std::string> pageTexts(const reports::PageDocument& doc, int page) {
  std::vector<std::string> texts;
  const reports::Page& p = doc.pages()[static_cast<std::size_t>(page)];
  for (const reports::PageOp& op : p.ops())
    if (op.kind == reports::OpKind::Text) texts.emplace_back(p.text(op));
  return texts;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The active company renamed in the company form, then the asset list printed: its pages
// carry the new name and place (until now the old ones stayed until the program restarted).
TEST_F(WindowPrint, ListPrintedAfterTheCompanyWasRenamedShowsTheNewName) {
  app::createForms(program(), window_.get());
  ui().type("31.12.2023");
  run(window_->Kavrina, "Spisak");
  ASSERT_TRUE(preview() && preview()->document());
  EXPECT_TRUE(contains(pageTexts(*preview()->document(), 0), "Velmar"));
  window_->hidePreview();

  window_->Firme->click();
  QApplication::processEvents();
  window_->sgSpisak->selectRow(0);
  ui::testing::ModalDriver driver;
  driver.on<reg::TFFIRMA>([](reg::TFFIRMA* form) {
    form->eNazivFirme()->selectAll();
    QTest::keyClicks(form->eNazivFirme(), "Velmar Racunovodstvo");
    form->eMestoFirme()->selectAll();
    QTest::keyClicks(form->eMestoFirme(), "zemun");
    form->bSnimiZaglavlje()->click();
  });
  window_->runTreeCommand("Izmeni");
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(window_->StatusC->text(), "Velmar Racunovodstvo");

  ui().type("31.12.2023");
  run(window_->Kavrina, "Spisak");
  ASSERT_TRUE(preview()->isVisible());
  const std::vector<std::string> texts = pageTexts(*preview()->document(), 0);
  EXPECT_TRUE(contains(texts, "Velmar Racunovodstvo")) << "the title line's right";
  EXPECT_TRUE(contains(texts, "Zemun")) << "the second line's right";
  EXPECT_FALSE(contains(texts, "Velmar"));
  EXPECT_FALSE(contains(texts, "Beograd"));
}

// The preview has the keyboard as soon as it opens: the keys page at once, and Escape
// returns to the list.
TEST_F(WindowPrint, PreviewTakesTheKeysAtOnceAndEscapeReturnsToTheList) {
  for (int i = 10; i < 130; ++i)
    addAsset({std::to_string(i), "Stolica " + std::to_string(i), "01.02.2021", 100, 100, "", 0, 0});
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  window_->navigator().UcitajOsnovnaSredstva();
  ui().type("31.12.2023");
  run(window_->Kavrina, "Spisak");
  ASSERT_TRUE(window_->previewVisible());
  ASSERT_EQ(preview()->state().pages(), 3);
  EXPECT_EQ(QApplication::focusWidget(), preview()->scrollArea()) << "no click needed";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  EXPECT_EQ(preview()->state().page(), 3);
  EXPECT_EQ(window_->eTBStrana->text(), "Strana 3 od 3");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
  EXPECT_EQ(preview()->state().page(), 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
  EXPECT_EQ(preview()->state().page(), 1);
  QScrollBar* bar = preview()->scrollArea()->verticalScrollBar();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_GT(bar->value(), 0) << "the arrows scroll the page";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), 0) << "the next page shows from its top";

  // "Sacuvaj PDF" is on the Tab chain of the window's preview bar.
  QAction* pdf = window_->ToolBarStampa->findChild<QAction*>("SacuvajPdf");
  ASSERT_NE(pdf, nullptr);
  QWidget* pdfButton = window_->ToolBarStampa->widgetForAction(pdf);
  bool reached = false;
  for (int i = 0; i < 30 && !reached; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached = QApplication::focusWidget() == pdfButton;
  }
  EXPECT_TRUE(reached) << "Tab reaches Sacuvaj PDF";
  EXPECT_EQ(pdf->shortcut(), QKeySequence(QKeySequence::Save));

  preview()->scrollArea()->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(window_->previewVisible());
  EXPECT_EQ(QApplication::focusWidget(), window_->TreeView1)
      << "back to the tree the list was printed from";
}

}  // namespace
}  // namespace kavrina::test
