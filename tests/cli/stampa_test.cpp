// kavrina-cli stampa for the register of 2019 and form POA: the real executable on a program
// folder with a calculation, the PDFs read back by pdfinfo and pdftotext, its exit codes and
// messages, and several stations printing at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/pdf_text.h"
#include "cli/station_holder.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "store/rec_lock.h"
#include "support/non_regular_files.h"
#include "support/process.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

class CliStampa : public ::testing::Test {
 protected:
  void SetUp() override {
    // 40 new-rules assets of 12,000.00 acquired in March: 900.00 accounting and
    // 904.11 tax depreciation each; one old-rules asset that the documents leave out.
    std::vector<store::AssetRecord> assets = depreciation::testing::alikeAssets(40, "15.03.2023");
    assets.push_back(
        assetNo("41").acquired("15.03.2015").accounting(12000, 10, 1).tax(12000, 2, 10));
    folder_.addAssets(assets);
    ASSERT_TRUE(store::writeRecord(folder_.program(), "Firme", true, [](store::DbfTable& t) {
      t.putString("Sifra", "000");
      t.putString("Naziv", "Velmar DOO");
      t.putString("Mesto", "Novi Sad");
    }));
    ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2023, 12, true, true}, {}).done);
    ASSERT_TRUE(depreciation::runObracun(folder_.program(), {2023, 6, true, true}, {}).done);
  }

  CliRun run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--dir", folder_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(all, elsewhere_.path(), {{"KAVRINA_HOME", ""}});
  }
  fs::path taxResult() { return folder_.path() / "DBF/A202312P.dbf"; }

  RegisterFolder folder_;
  // Beside the program folder: the temporary folder the program folder sets lies inside it.
  TempDir elsewhere_{folder_.path().parent_path()};
};

TEST_F(CliStampa, RegisterIsALandscapePdfBesideTheUser) {
  const CliRun r = run({"stampa", "evidencija2019", "--godina", "2023", "--pdf", "evidencija.pdf"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const fs::path pdf = elsewhere_.path() / "evidencija.pdf";
  EXPECT_EQ(r.out, "Sacuvan PDF: " + pdf.string() + " (strana: 2)\n");
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(fs::exists(folder_.path() / "evidencija.pdf")) << "not in the program folder";
  const std::string info = poppler("pdfinfo", pdf);
  EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
  EXPECT_NE(info.find("Evidencija_OS_od_01012019"), std::string::npos) << info;
  const std::string text = poppler("pdftotext -layout", pdf);
  for (const char* expected : {"Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine",
                               "Velmar DOO", "Novi Sad", "obra\u010Duna", "01.04.23",
                               "Ukupno:", "36,000.00", "443,835.60", "444,000.00", "Strana 2"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find("   41 "), std::string::npos) << "old rules";
}

TEST_F(CliStampa, PoaOfAPeriodIsAPortraitPdf) {
  const fs::path pdf = elsewhere_.path() / "poa.pdf";
  const CliRun r =
      run({"stampa", "poa", "--godina", "2023", "--meseci", "6", "--pdf", pdf.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Sacuvan PDF: " + pdf.string() + " (strana: 1)\n");
  EXPECT_NE(poppler("pdfinfo", pdf).find("595 x 842 pts (A4)"), std::string::npos);
  const std::string text = poppler("pdftotext -layout", pdf);
  // Six months: three months of 300.00 accounting depreciation each, less than the tax one.
  for (const char* expected : {"Obrazac POA (Periodicni)", "Meseci: 06", "Velmar DOO",
                               "Iznos amortizacije koji se priznaje kao rashod u poreskom periodu",
                               "12,000.00", "Sastavio"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(CliStampa, MistakesAnswerWithTheirCodeAndLeaveNoFile) {
  const fs::path pdf = elsewhere_.path() / "x.pdf";
  const CliRun missing = run({"stampa", "poa", "--godina", "2022", "--pdf", pdf.string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Ne postoje podaci Poreske amoritzacije\nza godinu 2022 (meseci 12).\n");
  EXPECT_EQ(missing.out, "Nema podataka za stampu!\n");

  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string errContains;
  } cases[] = {
      {{"stampa", "bilans", "--godina", "2023", "--pdf", "x.pdf"},
       2,
       "Nepoznat dokument: bilans (spisak, firme, popis, kartica, ora, opa, oa, nalog, "
       "evidencija2019, poa, nalepnice, razlike)"},
      {{"stampa", "--godina", "2023"}, 2, "--godina"},
      {{"stampa"}, 2, "Komanda stampa zahteva naziv dokumenta"},
      {{"stampa", "poa", "--pdf", "x.pdf"}, 2, "Dokument poa zahteva --godina."},
      {{"stampa", "poa", "--godina", "2023"},
       2,
       "Komanda stampa zahteva --pdf FAJL ili --xlsx FAJL."},
      {{"stampa", "poa", "--godina", "2023", "--pdf", "x.pdf", "--xlsx", "x.xlsx"},
       2,
       "navedite samo jedno od --pdf, --xlsx, --csv"},
      {{"stampa", "poa", "--godina", "2023", "--csv", "x.csv"},
       2,
       "Nepoznata opcija ili visak: --csv"},
      {{"stampa", "poa", "--godina", "2023", "--meseci", "13", "--pdf", "x.pdf"},
       2,
       "Pogresan unos."},
      {{"stampa", "poa", "--godina", "2023", "--grupa", "2", "--pdf", "x.pdf"}, 2, "--grupa"},
      {{"stampa", "poa", "--godina", "2023", "--pdf", (elsewhere_.path() / "nema/x.pdf").string()},
       1,
       "nije dostupan za pisanje."},
  };
  for (const auto& c : cases) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.errContains << "\n" << r.err;
    EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
  }
  EXPECT_TRUE(fs::is_empty(elsewhere_.path())) << "no PDF, no file written aside";
}

TEST_F(CliStampa, HelpNamesTheDocumentsAndTheirOptions) {
  const CliRun all = runKavrinaCli({"--help"}, elsewhere_.path());
  EXPECT_NE(all.out.find("stampa DOKUMENT [opcije] --pdf FAJL"), std::string::npos) << all.out;
  const CliRun stampa = runKavrinaCli({"stampa", "--help"}, elsewhere_.path());
  EXPECT_EQ(stampa.exitCode, 0);
  EXPECT_NE(stampa.out.find("  evidencija2019 --godina Y [--meseci P] --pdf FAJL\n"),
            std::string::npos);
  EXPECT_NE(stampa.out.find("  poa --godina Y [--meseci P] --pdf FAJL\n"), std::string::npos);
  const CliRun poa = runKavrinaCli({"stampa", "poa", "--help"}, elsewhere_.path());
  EXPECT_EQ(poa.exitCode, 0);
  EXPECT_EQ(poa.out.rfind("Upotreba: kavrina-cli [--dir D] [--firma SSS] stampa poa --godina Y", 0),
            0u)
      << poa.out;
}

TEST_F(CliStampa, AWriteThatFailsKeepsTheEarlierPdf) {
  const fs::path pdf = elsewhere_.path() / "poa.pdf";
  writeFileBytes(pdf, "earlier");
  // The rename that would put the new file in place of the earlier one fails.
  const pid_t pid =
      startProcess("/usr/bin/strace",
                   {"-f", "-qq", "-o", "/dev/null", "-e", "trace=rename", "-e",
                    "inject=rename:error=EIO", KAVRINA_CLI, "--dir", folder_.path().string(),
                    "stampa", "poa", "--godina", "2023", "--pdf", pdf.string(), "--presnimi"});
  EXPECT_EQ(waitProcess(pid), 1);
  EXPECT_EQ(readFileBytes(pdf), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere_.path()), fs::directory_iterator()), 1)
      << "the file written aside is gone";
}

// The PDF never takes the place of the register or of anything else in the program folder
// (however the path reaches it), nor of a folder, a named pipe or a device node, with
// --presnimi or without; an existing regular file only with --presnimi.
TEST_F(CliStampa, APdfTakesOnlyThePlaceOfARegularFileOutsideTheProgramFolder) {
  const fs::path mdos = folder_.path() / "DBF/MDOS.dbf";
  const std::string registerBytes = readFileBytes(mdos);
  const fs::path pipe = elsewhere_.path() / "cev.pdf";
  ASSERT_TRUE(makeNamedPipe(pipe));
  const fs::path device = deviceNodeIn(elsewhere_.path());
  const fs::path subfolder = elsewhere_.path() / "folder.pdf";
  fs::create_directory(subfolder);
  fs::create_directory_symlink(folder_.path() / "NTX", elsewhere_.path() / "veza");
  const std::string inProgramFolder =
      "Nije moguce snimanje fajla u radnom folderu programa.\nProgramski folder: " +
      folder_.path().string() + "\n";
  const auto notAFile = [](const fs::path& path) {
    return "Nije moguce snimanje na " + path.string() +
           ":\nto nije obican fajl (folder, uredjaj, imenovana cev ili veza bez fajla).\n";
  };
  struct Case {
    fs::path pdf;
    bool presnimi;
    std::string err;
  };
  std::vector<Case> cases = {
      {mdos, false, inProgramFolder},
      {mdos, true, inProgramFolder},
      {folder_.path() / "NTX/a.pdf", false, inProgramFolder},
      {folder_.path() / "b.pdf", false, inProgramFolder},
      {folder_.path() / "Kavrina.ini", true, inProgramFolder},
      {elsewhere_.path() / "veza/c.pdf", true, inProgramFolder},
      {pipe, true, notAFile(pipe)},
      {subfolder, true, notAFile(subfolder)},
  };
  if (!device.empty()) cases.push_back({device, true, notAFile(device)});
  for (const Case& c : cases) {
    std::vector<std::string> args = {"stampa", "poa", "--godina", "2023", "--pdf", c.pdf.string()};
    if (c.presnimi) args.push_back("--presnimi");
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 1) << c.pdf;
    EXPECT_EQ(r.err, c.err) << c.pdf;
    EXPECT_EQ(r.out, "") << c.pdf;
  }
  // The register named from the program folder, as a nightly job started there would.
  const CliRun fromTheFolder =
      runKavrinaCli({"--dir", folder_.path().string(), "stampa", "poa", "--godina", "2023", "--pdf",
                     "DBF/MDOS.dbf", "--presnimi"},
                    folder_.path(), {{"KAVRINA_HOME", ""}});
  EXPECT_EQ(fromTheFolder.exitCode, 1);
  EXPECT_EQ(fromTheFolder.err, inProgramFolder);

  EXPECT_EQ(readFileBytes(mdos), registerBytes);
  EXPECT_TRUE(isNamedPipe(pipe));
  EXPECT_TRUE(device.empty() || isDeviceNode(device));
  EXPECT_TRUE(fs::is_directory(subfolder));
  EXPECT_FALSE(fs::exists(folder_.path() / "NTX/a.pdf"));
  EXPECT_FALSE(fs::exists(folder_.path() / "b.pdf"));

  // An existing PDF: kept without --presnimi, replaced with it; a link to one is replaced
  // by the new file, its target left as it was.
  const fs::path earlier = elsewhere_.path() / "poa.pdf";
  writeFileBytes(earlier, "earlier");
  const CliRun kept = run({"stampa", "poa", "--godina", "2023", "--pdf", earlier.string()});
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_EQ(kept.err, "Fajl: " + earlier.string() +
                          " vec postoji.\nDa bi ga presnimili, navedite opciju --presnimi.\n");
  EXPECT_EQ(readFileBytes(earlier), "earlier");
  const fs::path link = elsewhere_.path() / "veza.pdf";
  fs::create_symlink(earlier, link);
  for (const fs::path& pdf : {earlier, link}) {
    const CliRun replaced =
        run({"stampa", "poa", "--godina", "2023", "--pdf", pdf.string(), "--presnimi"});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_GT(pdfPageCount(pdf), 0) << pdf;
  }
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(readFileBytes(mdos), registerBytes);
}

TEST_F(CliStampa, StationsPrintTheRegisterAtOnceButNotDuringACalculation) {
  TempDir signals;
  {
    // Another station has both result tables open for reading, as its own print does.
    Holder tax(taxResult(), "shared", signals.path(), "tax");
    Holder accounting(folder_.path() / "DBF/A202312R.dbf", "shared", signals.path(), "accounting");
    const CliRun r = run({"stampa", "evidencija2019", "--godina", "2023", "--pdf", "a.pdf"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
  }
  // Two stations started together.
  std::vector<pid_t> stations;
  for (const char* name : {"b.pdf", "c.pdf"})
    stations.push_back(startProcess(
        KAVRINA_CLI, {"--dir", folder_.path().string(), "stampa", "evidencija2019", "--godina",
                      "2023", "--pdf", (elsewhere_.path() / name).string()}));
  for (pid_t pid : stations) EXPECT_EQ(waitProcess(pid), 0);
  EXPECT_EQ(readFileBytes(elsewhere_.path() / "b.pdf").size() > 0, true);
  EXPECT_EQ(poppler("pdftotext", elsewhere_.path() / "b.pdf"),
            poppler("pdftotext", elsewhere_.path() / "c.pdf"));

  // A calculation of the period holds the tax result exclusively.
  Holder calculation(taxResult(), "exclusive", signals.path(), "calculation");
  const CliRun refused = run({"stampa", "poa", "--godina", "2023", "--pdf", "d.pdf"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err,
            "Drugi korisnik trenutno radi sa obracunom ove firme. Pokusajte kasnije.\n"
            "Tabela u upotrebi: A202312P.dbf\n");
  EXPECT_EQ(refused.out, "");
  EXPECT_FALSE(fs::exists(elsewhere_.path() / "d.pdf"));
}

}  // namespace
}  // namespace kavrina::test
