// The lists saved as PDF and read back by independent tools: pdftotext for the texts,
// pdfinfo for A4 and the page count; page 1 is rendered to PNG for a person to look at.
#include <gtest/gtest.h>

#include <QFontDatabase>

#include "reports/asset_list.h"
#include "reports/company_list.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt_fixture.h"
#include "reports/recording_printer.h"
#include "support/temp_dir.h"
#include "ui/current_ui.h"
#include "ui/scripted_ui.h"

namespace kavrina::reports {
namespace {

using test::pdfInfoLine;
using test::quoted;
using test::runTool;

class PdfOutput : public test::QtReports {
 protected:
  PdfOutput() : use_(ui_) {
    program_.CKORISNIKNAZIV = "Preduzece DOO";
    program_.CKORISNIKMESTO = "Beograd";
  }

  // Writes the printer's document and keeps a PNG of its first page beside the test binary.
  std::filesystem::path save(const std::string& name) {
    const auto pdf = dir_ / (name + ".pdf");
    const auto error = writePdf(printer_.document(), pdf);
    EXPECT_FALSE(error) << *error;
    runTool("pdftoppm -png -r 100 -f 1 -l 1 -singlefile " + quoted(pdf) + " " +
            quoted(std::filesystem::current_path() / name));
    return pdf;
  }

  ui::ScriptedUi ui_;
  ui::ScopedUserInterface use_;
  store::Program program_;
  RecordingPrinter printer_;
  test::TempDir dir_;
};

TEST_F(PdfOutput, CompanyListOnThreeA4Pages) {
  test::addCompanies(program_, 120);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  const auto pdf = save("SpisakFirmi");
  EXPECT_EQ(pdfInfoLine(pdf, "Pages:"), "3");
  EXPECT_EQ(pdfInfoLine(pdf, "Page size:"), "595 x 842 pts (A4)");
  EXPECT_EQ(pdfInfoLine(pdf, "Title:"), "SpisakFirmi");
  const std::string text = runTool("pdftotext -layout " + quoted(pdf) + " -");
  for (const char* expected :
       {"Spisak Firmi", "na dan : 01.02.2024", "Sifra", "Naziv", "Mesto", "Firma 0", "Mesto 49",
        "Firma 119", "Software: Kavrina 1.07 by Velmar", "Strana 1", "Strana 3",
        "www.velmar.example"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  // Page 3 holds the last twenty companies and nothing of page 2.
  const std::string third = runTool("pdftotext -f 3 -l 3 " + quoted(pdf) + " -");
  EXPECT_NE(third.find("Firma 100"), std::string::npos);
  EXPECT_EQ(third.find("Firma 99 "), std::string::npos);
}

TEST_F(PdfOutput, AssetListWithHeadingRowsAndTotals) {
  test::addAssets(program_, 60);
  program_.CFILTER = "konto: 220";
  printAssetList(program_, printer_, Date::fromYmd(2023, 12, 31));
  const auto pdf = save("SpisakOsnovnihSredstava");
  EXPECT_EQ(pdfInfoLine(pdf, "Pages:"), "2");
  EXPECT_EQ(pdfInfoLine(pdf, "Page size:"), "595 x 842 pts (A4)");
  const std::string text = runTool("pdftotext -layout " + quoted(pdf) + " -");
  // 60 assets of 1,001 .. 1,060: purchase total 61,830.00.
  for (const char* expected :
       {"Spisak Osnovnih sredstava", "Preduzece DOO", "na dan: 31.12.2023", "(konto: 220)",
        "Beograd", "Redni", "Inventarski", "Naziv osnovnog sredstva", "Nabavna vrednost",
        "Racunovodstvena", "Poreska", "Ispravka", "Sadasnja", "Racunar 1", "1,001.00", "Racunar 60",
        "Ukupno:", "61,830.00", "Strana 2"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

// Texts in the PDF are plain letters in every face the font dialog of the settings offers
// (every installed face with Latin letters, a serif and a sans among them): a search for
// "fi", "fl" or "ff" finds them, where a ligature glyph would be found by none of them.
TEST_F(PdfOutput, LettersAreNotJoinedIntoLigaturesInAnyFace) {
  QStringList faces = QFontDatabase::families(QFontDatabase::Latin);
  ASSERT_TRUE(faces.contains("Liberation Serif")) << "a serif face";
  ASSERT_TRUE(faces.contains("Liberation Sans")) << "a sans face";
  faces.append("Arial");  // the default, a name the system maps to a face with its widths
  printer_.BeginDoc();
  printer_.NewPage();
  double top = 10;
  for (qsizetype i = 0; i < faces.size(); ++i) {
    if (top > 270) {
      printer_.NewPage();
      top = 10;
    }
    printer_.font().name = faces[i].toStdString();
    printer_.font().size = 10;
    printer_.font().bold = i % 2 == 1;
    printer_.DrawText("L" + std::to_string(i) + " fiskalni aflatoksin offset ffi",
                      {10, top, 200, top + 6}, ui::TextAlign::Left);
    top += 8;
  }
  printer_.EndDoc();
  const std::string text = runTool("pdftotext " + quoted(save("ligatures")) + " -");
  for (qsizetype i = 0; i < faces.size(); ++i) {
    const std::string line = "L" + std::to_string(i) + " fiskalni aflatoksin offset ffi";
    EXPECT_NE(text.find(line), std::string::npos) << faces[i].toStdString() << "\n" << text;
  }
}

TEST_F(PdfOutput, UnwritableFileIsAnError) {
  test::addCompanies(program_, 1);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  const auto error = writePdf(printer_.document(), dir_ / "missing" / "x.pdf");
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("nije dostupan za pisanje"), std::string::npos);
}

}  // namespace
}  // namespace kavrina::reports
