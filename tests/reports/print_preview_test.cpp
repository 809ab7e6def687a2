// The preview panel offscreen: showing a document, paging with clamping, the page box, the
// keys, the three views, printing without the dialog, and a printer that cannot be opened.
#include "reports/qt/print_preview.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include "reports/page_frame.h"
#include "reports/qt/document_printing.h"
#include "reports/qt/page_view.h"
#include "reports/qt_fixture.h"
#include "reports/recording_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/modal_driver.h"

namespace kavrina::reports {
namespace {

using test::pdfInfoLine;

class Preview : public test::QtReports {
 protected:
  Preview() {
    preview_.resize(800, 600);
    preview_.setProgramFolder(std::filesystem::current_path());
    preview_.setErrorSink([this](const QString& text) { errors_.push_back(text.toStdString()); });
  }

  // Draws a document of `pages` framed pages through the preview's printer and previews it.
  void compose(int pages, std::string title = "SpisakFirmi") {
    RecordingPrinter& printer = preview_.printer();
    ReportStyle style;
    setUpPortraitA4(printer, title, style);
    printer.BeginDoc();
    for (int i = 0; i < pages; ++i) {
      printer.NewPage();
      drawPageFrame(printer, style, {"Spisak Firmi", "", "na dan : 01.02.2024", ""});
    }
    printer.EndDoc();
    printer.Preview();
  }

  std::string pageBox() const { return preview_.pageBox()->text().toStdString(); }
  int viewportWidth() const { return preview_.scrollArea()->viewport()->width(); }
  int viewportHeight() const { return preview_.scrollArea()->viewport()->height(); }

  PrintPreview preview_;
  std::vector<std::string> errors_;
};

TEST_F(Preview, CreatedHiddenAndShownByTheFirstDocument) {
  EXPECT_FALSE(preview_.isVisible());
  EXPECT_EQ(pageBox(), "Strana 1 od 1");
  int shown = 0;
  QObject::connect(&preview_, &PrintPreview::previewShown, [&] { ++shown; });
  compose(15);
  EXPECT_TRUE(preview_.isVisible());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(pageBox(), "Strana 1 od 15");
  EXPECT_EQ(preview_.toolBar()->objectName(), "ToolBarStampa");
  EXPECT_EQ(preview_.toolBar()->height(), 45);
  EXPECT_EQ(preview_.objectName(), "fPreview");
}

TEST_F(Preview, PagingIsClampedAndTheBoxFollows) {
  compose(15);
  preview_.PrethodnaStranaClick();
  EXPECT_EQ(pageBox(), "Strana 1 od 15");
  preview_.PoslednjaStranaClick();
  preview_.SledecaStranaClick();
  EXPECT_EQ(pageBox(), "Strana 15 od 15");
  preview_.PrethodnaStranaClick();
  preview_.PrethodnaStranaClick();
  preview_.PrethodnaStranaClick();
  EXPECT_EQ(pageBox(), "Strana 12 od 15");
  preview_.PrvaStranaClick();
  EXPECT_EQ(preview_.state().page(), 1);
}

TEST_F(Preview, KeysPageThroughTheDocument) {
  compose(5);
  QScrollArea* area = preview_.scrollArea();
  const struct {
    Qt::Key key;
    int page;
  } steps[] = {{Qt::Key_End, 5},  {Qt::Key_PageDown, 5}, {Qt::Key_PageUp, 4},
               {Qt::Key_Home, 1}, {Qt::Key_PageUp, 1},   {Qt::Key_PageDown, 2}};
  for (const auto& s : steps) {
    QTest::keyClick(area, s.key);
    EXPECT_EQ(preview_.state().page(), s.page) << s.key;
  }
  EXPECT_EQ(pageBox(), "Strana 2 od 5");
}

// A page turned to with the keys shows from its top; a key that turns no page leaves the
// view where it was.
TEST_F(Preview, APageTurnShowsTheNewPageFromItsTop) {
  compose(5);
  preview_.UvecanaStranaClick();  // the enlarged view scrolls
  QScrollArea* area = preview_.scrollArea();
  QScrollBar* bar = area->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  const struct {
    Qt::Key key;
    int page;
    bool fromTop;
  } steps[] = {{Qt::Key_PageDown, 2, true}, {Qt::Key_End, 5, true},  {Qt::Key_PageDown, 5, false},
               {Qt::Key_PageUp, 4, true},   {Qt::Key_Home, 1, true}, {Qt::Key_Home, 1, false},
               {Qt::Key_PageUp, 1, false}};
  for (const auto& s : steps) {
    bar->setValue(bar->maximum());
    QTest::keyClick(area, s.key);
    EXPECT_EQ(preview_.state().page(), s.page) << s.key;
    EXPECT_EQ(bar->value(), s.fromTop ? 0 : bar->maximum()) << s.key;
  }
}

// "Sacuvaj PDF" is a Tab stop with Ctrl+S; it offers the document's title in the user's
// documents, and the print dialog offers the same file for printing to a file.
TEST_F(Preview, PdfButtonHasCtrlSAndTheTabChainAndThePrintDialogOffersItsFile) {
  compose(2);
  preview_.show();
  preview_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&preview_));
  QAction* pdf = preview_.toolBar()->findChild<QAction*>("SacuvajPdf");
  ASSERT_NE(pdf, nullptr);
  EXPECT_EQ(pdf->shortcut(), QKeySequence(QKeySequence::Save));
  QWidget* button = preview_.toolBar()->widgetForAction(pdf);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);

  // A home of the test's own with its documents folder, the place the PDF is offered in.
  test::TempDir home;
  const QByteArray realHome = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(home.path().string()));
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QDir().mkpath(documents);
  const QString expected = documents + "/SpisakFirmi.pdf";
  QStringList offered;
  ui::testing::ModalDriver driver;
  driver.on<QFileDialog>([&](QFileDialog* dialog) {
    offered = dialog->selectedFiles();
    dialog->reject();
  });
  QTest::keyClick(preview_.scrollArea(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(offered, QStringList{expected});

  QString printToFile;
  ui::testing::ModalDriver printDriver;
  printDriver.on<QPrintDialog>([&](QPrintDialog* dialog) {
    if (auto* file = dialog->findChild<QLineEdit*>("filename")) printToFile = file->text();
    dialog->reject();
  });
  preview_.setPrinterChoice([] { return true; });
  preview_.StampajDokumentClick();
  qputenv("HOME", realHome);
  ASSERT_TRUE(printDriver.done());
  EXPECT_EQ(printToFile, expected);
  EXPECT_TRUE(documents.startsWith(QString::fromStdString(home.path().string())));
}

TEST_F(Preview, TypingAPageNumberAndEnterMovesThere) {
  compose(15);
  QLineEdit* box = preview_.pageBox();
  QFocusEvent focusIn(QEvent::FocusIn);
  QCoreApplication::sendEvent(box, &focusIn);
  EXPECT_EQ(pageBox(), "1");
  box->setText("7");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(preview_.state().page(), 7);
  box->setText("99");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(preview_.state().page(), 7);
  QFocusEvent focusOut(QEvent::FocusOut);
  QCoreApplication::sendEvent(box, &focusOut);
  EXPECT_EQ(pageBox(), "Strana 7 od 15");
}

TEST_F(Preview, ViewsSizeThePageFromTheArea) {
  compose(3);
  const QRect normal = preview_.pageView()->pageRect();
  EXPECT_EQ(normal.width(), viewportWidth() - 100);
  EXPECT_EQ(normal.top(), 50);
  EXPECT_NEAR(normal.height(), normal.width() * 297.0 / 210.0, 1);

  preview_.UmanjenaStranaClick();
  const QRect whole = preview_.pageView()->pageRect();
  EXPECT_EQ(whole.height(), viewportHeight() - 100);
  EXPECT_NEAR(whole.center().x(), viewportWidth() / 2.0, 1);
  EXPECT_NEAR(whole.center().y(), viewportHeight() / 2.0, 1);

  preview_.UvecanaStranaClick();
  EXPECT_NEAR(preview_.pageView()->pageRect().height(), normal.height() * 1.5, 1);
  preview_.StandardnaStranaClick();
  EXPECT_EQ(preview_.pageView()->pageRect(), normal);
}

// The whole page fits the area by its size, so no scroll bar takes room beside it, at any
// size of the preview; the normal view keeps its vertical bar.
TEST_F(Preview, WholePageViewShowsNoScrollBar) {
  compose(3);
  preview_.UmanjenaStranaClick();
  for (const QSize size : {QSize(800, 600), QSize(1366, 800), QSize(560, 380), QSize(700, 1000)}) {
    SCOPED_TRACE(size.width());
    preview_.resize(size);
    QApplication::processEvents();
    EXPECT_FALSE(preview_.scrollArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(preview_.scrollArea()->horizontalScrollBar()->isVisible());
    const QRect page = preview_.pageView()->pageRect();
    EXPECT_TRUE(preview_.scrollArea()->viewport()->rect().contains(page));
    EXPECT_EQ(std::min(viewportWidth() - page.width(), viewportHeight() - page.height()), 100)
        << "50 pixels on each side in the tighter direction";
  }
  preview_.StandardnaStranaClick();
  QApplication::processEvents();
  EXPECT_TRUE(preview_.scrollArea()->verticalScrollBar()->isVisible());
  EXPECT_EQ(preview_.pageView()->pageRect().width(), viewportWidth() - 100);
}

TEST_F(Preview, TakesTheKeyboardWhenADocumentIsShown) {
  preview_.show();
  preview_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&preview_));
  preview_.pageBox()->setFocus();
  compose(4);
  EXPECT_EQ(QApplication::focusWidget(), preview_.scrollArea());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_EQ(preview_.state().page(), 2);
}

TEST_F(Preview, ANewDocumentOpensInTheNormalViewAtPageOneScrolledToTheStart) {
  compose(15);
  preview_.UvecanaStranaClick();
  preview_.PoslednjaStranaClick();
  preview_.scrollArea()->verticalScrollBar()->setValue(300);
  compose(4, "SpisakOsnovnihSredstava");
  EXPECT_EQ(preview_.state().view(), PreviewView::Normal);
  EXPECT_EQ(pageBox(), "Strana 1 od 4");
  EXPECT_EQ(preview_.scrollArea()->verticalScrollBar()->value(), 0);
  EXPECT_EQ(preview_.scrollArea()->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(preview_.pageView()->pageRect().width(), viewportWidth() - 100);
  EXPECT_EQ(preview_.document()->title, "SpisakOsnovnihSredstava");
}

TEST_F(Preview, PagePaintsItsTexts) {
  compose(2);
  const QImage image = preview_.pageView()->grab().toImage();
  // Some dark pixels inside the page (text and rules), none outside on the grey.
  const QRect page = preview_.pageView()->pageRect();
  int dark = 0;
  for (int y = page.top(); y < page.top() + page.height() / 10; ++y) {
    for (int x = page.left(); x < page.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 100) ++dark;
    }
  }
  EXPECT_GT(dark, 50);
}

TEST_F(Preview, PrintingWithoutTheDialogGoesToTheCurrentPrinter) {
  test::TempDir dir;
  const auto pdf = dir / "job.pdf";
  preview_.setPrinterChoice([] { return false; });
  QString jobName;
  preview_.setJobConfigurer([&](QPrinter& printer) {
    jobName = printer.docName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
  });
  compose(3);
  const auto folder = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  preview_.StampajDokumentClick();
  EXPECT_EQ(std::filesystem::current_path(), folder);  // the program folder again
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(jobName, "SpisakFirmi");
  EXPECT_EQ(pdfInfoLine(pdf, "Pages:"), "3");
  EXPECT_EQ(pdfInfoLine(pdf, "Page size:"), "595 x 842 pts (A4)");
  EXPECT_EQ(preview_.printer().printCount(), 1);
  EXPECT_FALSE(preview_.printer().showDialog());
}

TEST_F(Preview, APrinterThatCannotBeOpenedShowsAnErrorBox) {
  preview_.setPrinterChoice([] { return false; });
  preview_.setJobConfigurer([](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/job.pdf");
  });
  compose(1);
  preview_.StampajDokumentClick();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_FALSE(errors_[0].empty());
}

TEST_F(Preview, HostToolBarTakesThePageTextAndTheNewPdfButton) {
  QToolBar host;
  host.addAction("Stampaj");
  host.addAction("PrvaStrana");
  QLineEdit hostBox;
  preview_.useHostToolBar(&host, &hostBox);
  compose(6);
  EXPECT_FALSE(preview_.toolBar()->isVisible());
  EXPECT_EQ(hostBox.text(), "Strana 1 od 6");
  preview_.PoslednjaStranaClick();
  EXPECT_EQ(hostBox.text(), "Strana 6 od 6");
  ASSERT_EQ(host.actions().size(), 4);
  EXPECT_EQ(host.actions()[1]->objectName(), "SacuvajPdf");
  EXPECT_EQ(host.actions()[1]->toolTip(), "Sacuvaj PDF");
  EXPECT_EQ(host.actions()[2]->objectName(), "SacuvajExcel");
  EXPECT_EQ(host.actions()[2]->toolTip(), "Excel");
}

// "Excel" is enabled only for a document with a workbook; Ctrl+E saves it where the user
// says, as an XLSX file (a ZIP container).
TEST_F(Preview, ExcelButtonSavesTheWorkbookOfTheDocument) {
  compose(1);
  preview_.show();
  preview_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&preview_));
  QAction* excel = preview_.toolBar()->findChild<QAction*>("SacuvajExcel");
  ASSERT_NE(excel, nullptr);
  EXPECT_EQ(excel->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
  EXPECT_FALSE(excel->isEnabled()) << "a document without a workbook";

  RecordingPrinter& printer = preview_.printer();
  printer.BeginDoc();
  sheet::Sheet s;
  s.columns = {{"Iznos", sheet::CellKind::Amount, 12, true}};
  s.rows = {{sheet::Cell::ofAmount(12.5)}};
  s.totalsLabel = "UKUPNO:";
  printer.setWorkbook(sheet::madeWorkbook(sheet::Workbook{{s}}));
  printer.NewPage();
  printer.EndDoc();
  printer.Preview();
  EXPECT_TRUE(excel->isEnabled());

  ui::ScriptedUi ui;
  preview_.setUserInterface(&ui);
  test::TempDir out;
  const auto file = out.path() / "nalog.xlsx";
  ui::testing::ModalDriver driver;
  driver.on<QFileDialog>([&](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(file.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTest::keyClick(preview_.scrollArea(), Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(driver.done());
  EXPECT_EQ(test::readFileBytes(file).substr(0, 2), "PK");
  EXPECT_EQ(ui.transcript(), std::vector<std::string>{}) << "nothing to tell";
}

// Page range, copies and collation of a print job.
TEST_F(Preview, JobsHonourRangeCopiesAndCollation) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);  // makes no copies itself
  PageDocument doc;
  doc.pages().resize(5);
  prepareJob(printer, doc);
  EXPECT_EQ(jobPages(printer, 5), (std::vector<int>{1, 2, 3, 4, 5}));
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 3);
  printer.setCopyCount(2);
  printer.setCollateCopies(true);
  EXPECT_EQ(jobPages(printer, 5), (std::vector<int>{2, 3, 2, 3}));
  printer.setCollateCopies(false);
  EXPECT_EQ(jobPages(printer, 5), (std::vector<int>{2, 2, 3, 3}));
  printer.setFromTo(4, 9);
  printer.setCopyCount(1);
  EXPECT_EQ(jobPages(printer, 5), (std::vector<int>{4, 5}));
}

}  // namespace
}  // namespace kavrina::reports
