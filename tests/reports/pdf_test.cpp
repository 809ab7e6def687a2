// The lists saved as PDF and read back by independent tools: pdftotext for the texts,
// pdfinfo for A4 and the page count; page 1 is rendered to PNG for a person to look at.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <cerrno>
#include <iterator>

#include "common/aside_file.h"
#include "common/fault_injection.h"
#include "reports/asset_list.h"
#include "reports/company_list.h"
#include "reports/qt/pdf_save.h"
#include "reports/qt/pdf_writer.h"
#include "reports/qt_fixture.h"
#include "reports/recording_printer.h"
#include "support/non_regular_files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kavrina::reports {
namespace {

namespace fs = std::filesystem;

using test::pdfInfoLine;
using test::quoted;
using test::runTool;

class PdfOutput : public test::QtReports {
 protected:
  PdfOutput() {
    program_.ui = &ui_;
    program_.CKORISNIKNAZIV = "Preduzece DOO";
    program_.CKORISNIKMESTO = "Beograd";
  }
  void TearDown() override {
    faults::disarm();
    faults::setObserver({});
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

// The aside file swapped for a link to someone else's file between its creation and its
// first write: the PDF goes through the descriptor of the file created, never by its name,
// so the linked file keeps its bytes, and the swapped name is not put in the PDF's place.
TEST_F(PdfOutput, AnAsideFileSwappedForALinkIsRefusedAndTheLinkedFileKeepsItsBytes) {
  test::addCompanies(program_, 1);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  test::TempDir victimFolder;
  const fs::path victim = victimFolder / "tudji.txt";
  test::writeFileBytes(victim, "tudji podaci");
  const fs::path pdf = dir_ / "x.pdf";
  bool swapped = false;
  faults::setObserver([&](faults::Op op, std::uint64_t, std::string_view) {
    if (op != faults::Op::Write || swapped) return;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      if (!isAsideFileName(entry.path().filename().string())) continue;
      fs::remove(entry.path());
      fs::create_symlink(victim, entry.path());
      swapped = true;
    }
  });
  const auto error = writePdf(printer_.document(), pdf);
  faults::setObserver({});
  ASSERT_TRUE(swapped);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "Fajl " + pdf.string() +
                        " nije dostupan za pisanje.\nPrivremeni fajl pored njega je u "
                        "medjuvremenu zamenjen ili obrisan.");
  EXPECT_EQ(test::readFileBytes(victim), "tudji podaci");
  EXPECT_TRUE(fs::is_empty(dir_.path())) << "neither the PDF nor the planted link stays";
}

// A full disk while the PDF is written names the disk and the file; a PDF of that name
// written before stays as it was.
TEST_F(PdfOutput, NoRoomOnTheDiskIsSaidAsSuchAndTheEarlierPdfStays) {
  test::addCompanies(program_, 120);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  const fs::path pdf = dir_ / "SpisakFirmi.pdf";
  test::writeFileBytes(pdf, "earlier");
  for (const int error : {ENOSPC, EDQUOT}) {
    faults::arm({faults::Op::Write, 1, faults::Effect::Fail, error, /*sticky=*/true});
    const auto failed = writePdf(printer_.document(), pdf, {{}, /*replace=*/true});
    faults::disarm();
    ASSERT_TRUE(failed);
    EXPECT_EQ(*failed, "Nema dovoljno mesta na disku za fajl " + pdf.string() + ".");
    EXPECT_EQ(test::readFileBytes(pdf), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
  }
}

// The file's own flush failing means no PDF; the folder's flush failing after the complete
// file took its name means a PDF written, with a warning.
TEST_F(PdfOutput, OnlyAFlushBeforeTheRenameFailsThePdf) {
  test::addCompanies(program_, 1);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  const struct {
    std::uint64_t failingFlush;
    bool written;
  } cases[] = {{1, false}, {2, true}};
  for (const auto& c : cases) {
    const fs::path pdf = dir_ / ("flush" + std::to_string(c.failingFlush) + ".pdf");
    faults::arm({faults::Op::Flush, c.failingFlush, faults::Effect::Fail, EIO});
    std::string warning;
    const auto error = writePdf(printer_.document(), pdf, {}, &warning);
    faults::disarm();
    EXPECT_EQ(!error, c.written) << (error ? *error : warning);
    if (c.written) {
      EXPECT_EQ(warning, "Upozorenje: fajl " + pdf.string() + " je snimljen, ali folder " +
                             dir_.path().string() +
                             " nije potvrdio upis na disk (Input/output error).");
      EXPECT_EQ(pdfInfoLine(pdf, "Pages:"), "1");
    } else {
      EXPECT_EQ(*error, "Fajl " + pdf.string() +
                            " nije dostupan za pisanje.\nGreska sistema: Input/output error");
      EXPECT_FALSE(fs::exists(pdf));
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1)
      << "nothing left aside";
}

// "Sacuvaj PDF" with a chosen name: the overwrite question before an existing file, the
// refusal of a named pipe and of the program folder, each sending the user to choose again.
TEST_F(PdfOutput, SavingFromThePreviewAsksBeforeReplacingAndRefusesWhatIsNoPlaceForAPdf) {
  test::addCompanies(program_, 1);
  StampaSpiskaFirmi(program_, printer_, Date::fromYmd(2024, 2, 1));
  const PageDocument& doc = printer_.document();
  const fs::path earlier = dir_ / "ranije.pdf";
  test::writeFileBytes(earlier, "earlier");
  const fs::path pipe = dir_ / "cev.pdf";
  ASSERT_TRUE(test::makeNamedPipe(pipe));
  test::TempDir programFolder;
  fs::create_directory(programFolder.path() / "DBF");
  const fs::path inside = programFolder.path() / "DBF" / "MDOS.dbf";
  test::writeFileBytes(inside, "registar");

  const auto composing = static_cast<std::ptrdiff_t>(ui_.transcript().size());
  ui_.no().yes();
  EXPECT_EQ(savePdfAs(doc, earlier, programFolder.path(), ui_), PdfSaveStep::ChooseAgain);
  EXPECT_EQ(test::readFileBytes(earlier), "earlier");
  EXPECT_EQ(savePdfAs(doc, earlier, programFolder.path(), ui_), PdfSaveStep::Done);
  EXPECT_EQ(pdfInfoLine(earlier, "Title:"), "SpisakFirmi");
  EXPECT_EQ(savePdfAs(doc, pipe, programFolder.path(), ui_), PdfSaveStep::ChooseAgain);
  EXPECT_TRUE(test::isNamedPipe(pipe));
  EXPECT_EQ(savePdfAs(doc, inside, programFolder.path(), ui_), PdfSaveStep::ChooseAgain);
  EXPECT_EQ(test::readFileBytes(inside), "registar");
  const std::string question =
      "warning: Fajl: " + earlier.string() + " vec postoji.\n\nZelite li da ga presnimite?";
  const std::vector<std::string> all = ui_.transcript();
  EXPECT_EQ(std::vector<std::string>(all.begin() + composing, all.end()),
            (std::vector<std::string>{
                question + " -> No", question + " -> Yes",
                "warning: Nije moguce snimanje na " + pipe.string() +
                    ":\nto nije obican fajl (folder, uredjaj, imenovana cev ili veza bez "
                    "fajla).\n\nOdaberite drugu lokaciju.",
                "warning: Nije moguce snimanje fajla u radnom folderu programa.\n"
                "Programski folder: " +
                    programFolder.path().string() + "\n\nOdaberite drugu lokaciju."}));
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
