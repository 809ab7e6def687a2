// The register of 2019 and form POA through the Qt replay: as PDF and as a print job read
// back by pdftotext and pdfinfo (landscape A4, the heading "obračuna" with its letter), on
// screen in the preview, and line 2 of form POA cut at x 180.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>

#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "reports/evidencija_2019.h"
#include "reports/obrazac_poa.h"
#include "reports/qt/page_painter.h"
#include "reports/qt/page_view.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt/print_preview.h"
#include "reports/qt_fixture.h"

namespace kavrina::reports {
namespace {

using test::pdfInfoLine;
using test::quoted;
using test::runTool;

class NewRulesPdf : public test::QtReports {
 protected:
  NewRulesPdf() {
    program().CKORISNIKNAZIV = "Preduzece DOO";
    program().CKORISNIKMESTO = "Beograd";
    folder_.addAssets(depreciation::testing::alikeAssets(40, "15.03.2023"));
    EXPECT_TRUE(depreciation::runObracun(program(), {2023, 12, true, true}, {}).done);
  }
  store::Program& program() { return folder_.program(); }
  std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }

  depreciation::testing::RegisterFolder folder_;
};

TEST_F(NewRulesPdf, RegisterIsLandscapeOnScreenOnPaperAndInThePdf) {
  PrintPreview preview;
  preview.resize(1200, 800);
  ASSERT_TRUE(EVIDENCIJAOS01012019(program(), preview.printer(), "2023", "12"));
  ASSERT_TRUE(preview.document());
  EXPECT_EQ(preview.state().pageText(), "Strana 1 od 2");
  EXPECT_GT(preview.pageView()->pageRect().width(), preview.pageView()->pageRect().height());
  // On screen the heading's font holds c with caron, so it is drawn as the letter.
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(fontPixelSize(program().NFONTSIZE));
  EXPECT_TRUE(QFontMetricsF(font).inFontUcs4(0x010D));
  preview.pageView()->grab().save(
      QStringLiteral(QT_TESTCASE_BUILDDIR "/evidencija_2019_preview.png"));

  const auto pdf = file("Evidencija.pdf");
  ASSERT_FALSE(writePdf(*preview.document(), pdf));
  EXPECT_EQ(pdfInfoLine(pdf, "Page size:"), "842 x 595 pts (A4)");
  EXPECT_EQ(pdfInfoLine(pdf, "Pages:"), "2");
  EXPECT_EQ(pdfInfoLine(pdf, "Title:"), "Evidencija_OS_od_01012019");
  const std::string text = runTool("pdftotext -layout " + quoted(pdf) + " -");
  for (const char* expected :
       {"Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine", "Preduzece DOO",
        "Godina: 2023", "Meseci: 12", "Beograd", "Racunovodstvena", "obra\u010Duna", "Neotpisana",
        "racunovodstvena", "01.04.23", "15.03.23", "Ukupno:", "36,000.00", "Sastavio",
        "Odgovorno lice", "Software: Kavrina by Velmar", "Strana 2"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }

  // On paper: the print job of the preview, sent to a PDF file.
  const auto job = file("job.pdf");
  preview.setPrinterChoice([] { return false; });
  preview.setErrorSink([](const QString& error) { ADD_FAILURE() << error.toStdString(); });
  preview.setJobConfigurer([&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(job.string()));
  });
  preview.StampajDokumentClick();
  EXPECT_EQ(pdfInfoLine(job, "Page size:"), "842 x 595 pts (A4)");
  EXPECT_NE(runTool("pdftotext " + quoted(job) + " -").find("obra\u010Duna"), std::string::npos);
}

TEST_F(NewRulesPdf, PoaIsPortraitAndItsLineTwoIsCutAtX180) {
  program().NFONTSIZE = 12;  // line 2 is then far longer than its 165 mm
  RecordingPrinter printer;
  ASSERT_TRUE(OBRAZACPOA(program(), printer, "2023", "12"));
  const auto pdf = file("ObrazacPOA.pdf");
  ASSERT_FALSE(writePdf(printer.document(), pdf));
  EXPECT_EQ(pdfInfoLine(pdf, "Page size:"), "595 x 842 pts (A4)");
  const std::string text = runTool("pdftotext -layout " + quoted(pdf) + " -");
  for (const char* expected :
       {"Obrazac POA", "za period od 01.01.2023 do 31.12.2023", "Rb", "Opis", "Iznos",
        "Iznos amortizacije koji se priznaje kao rashod", "36,000.00", "Sastavio"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }

  // Painted at 4 pixels a millimetre: the description of line 2 inks up to x 180 and not
  // beyond, where its amount "0.00" stands at the right edge (200).
  const PageDocument& doc = printer.document();
  QImage image(210 * 4, 297 * 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paintPage(painter, doc, doc.pages()[0], QRectF(0, 0, image.width(), image.height()));
  painter.end();
  auto inked = [&](double fromMm, double toMm) {
    for (int y = 37 * 4; y < 41 * 4; ++y)
      for (int x = static_cast<int>(fromMm * 4); x < static_cast<int>(toMm * 4); ++x)
        if (qGray(image.pixel(x, y)) < 160) return true;
    return false;
  };
  EXPECT_TRUE(inked(170, 180));
  EXPECT_FALSE(inked(180.5, 190));
  image.save(QStringLiteral(QT_TESTCASE_BUILDDIR "/obrazac_poa.png"));
}

}  // namespace
}  // namespace kavrina::reports
