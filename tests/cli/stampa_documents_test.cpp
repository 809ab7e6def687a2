// kavrina-cli stampa for the register's and the calculation's documents: each PDF read back
// with pdftotext page by page against the pages the same command composes in this process
// on the recording printer, pdfinfo page counts, the filters of the lists, exit codes and
// messages, and stations printing cards of one company at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/pdf_text.h"
#include "cli/stampa.h"
#include "cli/station_holder.h"
#include "depreciation/asset_builder.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"
#include "store/rec_lock.h"
#include "support/process.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

std::string withoutBlanks(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](unsigned char c) { return std::isspace(c) != 0; }),
             text.end());
  return text;
}

class CliDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    // 60 assets: 1..45 in tax group I, the rest in group II; units 3 and 4; asset 7 written
    // off in 2023. Calculated for 2022 and 2023.
    std::vector<store::AssetRecord> assets;
    for (int i = 1; i <= 60; ++i) {
      auto a = assetNo(std::to_string(i))
                   .acquired("15.03.2021")
                   .accounting(1000.0 * i, 10, 1)
                   .tax(1000.0 * i, i <= 45 ? 1 : 2, 10);
      if (i == 7) a.writtenOff("20.06.2023");
      assets.push_back(a);
    }
    folder_.addAssets(assets);
    store::DbfTable& mdos = program().areas["MDOS"];
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) {
      const int n = std::stoi(mdos.getString("InvBr"));
      ASSERT_TRUE(store::writeRecord(program(), "MDOS", false, [&](store::DbfTable& t) {
        t.putString("Naziv", "Sredstvo broj " + std::to_string(n));
        t.putNumber("ODeo", n % 2 ? 3 : 4);
        t.putNumber("Kolicina", 1);
      }));
    }
    ASSERT_TRUE(store::writeRecord(program(), "Firme", true, [](store::DbfTable& t) {
      t.putString("Sifra", "000");
      t.putString("Naziv", "Velmar DOO");
      t.putString("Mesto", "Novi Sad");
    }));
    program().CKORISNIKNAZIV = "Velmar DOO";
    program().CKORISNIKMESTO = "Novi Sad";
    for (int y : {2022, 2023})
      ASSERT_TRUE(depreciation::runObracun(program(), {y, 12, true, true}, {}).done);
  }
  store::Program& program() { return folder_.program(); }

  CliRun run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--dir", folder_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(all, elsewhere_.path(), {{"KAVRINA_HOME", ""}});
  }

  // The document the command line composes, composed here on the recording printer.
  const reports::PageDocument& composed(const std::vector<std::string>& args) {
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(args);
    EXPECT_EQ(parsed.error, "");
    const cli::StampaDocument* document = cli::findStampaDocument(parsed.options.document);
    EXPECT_TRUE(document);
    EXPECT_TRUE(document && document->compose(program(), printer_, parsed.options));
    return printer_.document();
  }

  // Runs `stampa` with `args` to a PDF and checks it against the pages composed here:
  // the same page count, every text of each recorded page in that page's text layer.
  // Answers the PDF's text.
  std::string printedLikeTheProgram(std::vector<std::string> args) {
    const fs::path pdf = elsewhere_.path() / (args.at(1) + ".pdf");
    std::vector<std::string> withPdf = args;
    withPdf.insert(withPdf.end(), {"--pdf", pdf.string(), "--presnimi"});  // one name a document
    const CliRun r = run(withPdf);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const reports::PageDocument& doc = composed(withPdf);
    EXPECT_EQ(r.out, "Sacuvan PDF: " + pdf.string() +
                         " (strana: " + std::to_string(doc.pageCount()) + ")\n");
    EXPECT_EQ(pdfPageCount(pdf), doc.pageCount()) << args.at(1);
    std::string all;
    for (int p = 0; p < doc.pageCount(); ++p) {
      const std::string page = pdfPageText(pdf, p + 1);
      all += page;
      const std::string layer = withoutBlanks(page);
      for (const auto& t : textsOf(doc, p)) {
        const std::string text = withoutBlanks(t.text);
        EXPECT_NE(layer.find(text), std::string::npos)
            << args.at(1) << " page " << p + 1 << ": " << t.text;
      }
    }
    return all;
  }

  RegisterFolder folder_;
  // Beside the program folder: the temporary folder the program folder sets lies inside it.
  TempDir elsewhere_{folder_.path().parent_path()};
  reports::RecordingPrinter printer_;
};

TEST_F(CliDocuments, EveryDocumentIsThePdfOfTheProgramsPages) {
  std::string text = printedLikeTheProgram({"stampa", "ora", "--godina", "2023"});
  EXPECT_NE(text.find("Godisnji obracun Racunovodstvene amortizacije"), std::string::npos);
  EXPECT_NE(text.find("UKUPNO:"), std::string::npos);
  EXPECT_EQ(printer_.document().pageCount(), 2) << "60 lines";

  text = printedLikeTheProgram({"stampa", "opa", "--godina", "2022"});
  EXPECT_NE(text.find("Godisnji obracun Poreske amortizacije"), std::string::npos);
  EXPECT_EQ(printer_.document().pageCount(), 1) << "45 lines of group I";

  text = printedLikeTheProgram({"stampa", "oa", "--godina", "2023"});
  EXPECT_NE(text.find("Obracun Amortizacije stalnih sredstava za 2023. godinu"), std::string::npos);
  EXPECT_NE(text.find("15%"), std::string::npos);

  text = printedLikeTheProgram({"stampa", "kartica", "--invbr", "7"});
  EXPECT_NE(text.find("Osnovno sredstvo je otpisano/otudjeno: 20.06.2023. godine."),
            std::string::npos);
  EXPECT_NE(text.find("Sredstvo broj 7"), std::string::npos);

  text = printedLikeTheProgram({"stampa", "popis", "--na-dan", "31.12.2023"});
  EXPECT_NE(text.find("Clanovi popisne komisije:"), std::string::npos);
  EXPECT_EQ(printer_.document().pageCount(), 2) << "60 rows";

  text = printedLikeTheProgram({"stampa", "spisak", "--na-dan", "31.12.2023", "--lokacija", "3"});
  EXPECT_NE(text.find("(lokacija: 3)"), std::string::npos);
  EXPECT_EQ(text.find("Sredstvo broj 2 "), std::string::npos) << "unit 4 left out";

  text = printedLikeTheProgram({"stampa", "firme"});
  EXPECT_NE(text.find("Velmar DOO"), std::string::npos);
}

TEST_F(CliDocuments, InventoryListTakesTheFiltersOfTheAssetList) {
  const struct {
    std::vector<std::string> filter;
    std::string words;
    int rows;
  } cases[] = {{{"--otpisana"}, "(otpisana)", 1},
               {{"--neotpisana"}, "(neotpisana)", 59},
               {{"--lokacija", "4"}, "(lokacija: 4)", 30},
               {{"--deo-naziva", "broj 1"}, "(deo naziva: broj 1)", 11},
               {{"--konto", "0"}, "(konto: 0)", 60}};
  for (const auto& c : cases) {
    std::vector<std::string> args{"stampa", "popis", "--na-dan", "01.01.2024"};
    args.insert(args.end(), c.filter.begin(), c.filter.end());
    const std::string text = printedLikeTheProgram(args);
    EXPECT_NE(withoutBlanks(text).find(withoutBlanks("na dan: 01.01.2024   " + c.words)),
              std::string::npos)
        << text;
    EXPECT_EQ(program().AOSNOVNASREDSTVA.size(), static_cast<std::size_t>(c.rows)) << c.words;
  }
}

TEST_F(CliDocuments, MissingCalculationsAssetsAndRowsFailWithTheProgramsMessage) {
  const fs::path pdf = elsewhere_.path() / "x.pdf";
  const CliRun noCalculation = run({"stampa", "ora", "--godina", "2021", "--pdf", pdf.string()});
  EXPECT_EQ(noCalculation.exitCode, 1);
  EXPECT_EQ(noCalculation.err,
            "Nema obracuna amortizacije za 2021. godinu (12 meseci): ne postoji fajl "
            "DBF/A202112R.dbf.\n");
  const CliRun noPeriod =
      run({"stampa", "oa", "--godina", "2023", "--meseci", "6", "--pdf", pdf.string()});
  EXPECT_EQ(noPeriod.exitCode, 1);
  EXPECT_EQ(noPeriod.err,
            "Nema obracuna amortizacije za 2023. godinu (6 meseci): ne postoji fajl "
            "DBF/A202306P.dbf.\n");
  const CliRun noAsset = run({"stampa", "kartica", "--invbr", "999", "--pdf", pdf.string()});
  EXPECT_EQ(noAsset.exitCode, 1);
  EXPECT_EQ(noAsset.err, "Nije pronadjeno osnovno sredstvo sa inventarskim brojem 999.\n");
  const CliRun noRows = run({"stampa", "popis", "--deo-naziva", "stolica", "--pdf", pdf.string()});
  EXPECT_EQ(noRows.exitCode, 1);
  EXPECT_EQ(noRows.out, "Nema podataka za stampu!\n");

  const struct {
    std::vector<std::string> args;
    std::string errContains;
  } wrong[] = {
      {{"stampa", "kartica", "--pdf", "x.pdf"}, "Dokument kartica zahteva --invbr."},
      {{"stampa", "kartica", "--invbr", "", "--pdf", "x.pdf"}, "--invbr zahteva"},
      {{"stampa", "popis", "--otpisana", "--konto", "1", "--pdf", "x.pdf"}, "najvise jedan filter"},
      {{"stampa", "popis", "--na-dan", "31.02.2023", "--pdf", "x.pdf"}, "--na-dan zahteva datum"},
      {{"stampa", "ora", "--na-dan", "31.12.2023", "--pdf", "x.pdf"}, "--na-dan"},
      {{"stampa", "kartica", "--invbr", "7", "--godina", "2023", "--pdf", "x.pdf"}, "--godina"},
  };
  for (const auto& c : wrong) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.errContains;
    EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
  }
  EXPECT_TRUE(fs::is_empty(elsewhere_.path()));
}

TEST_F(CliDocuments, HelpOfEachDocumentNamesItsOptions) {
  const CliRun all = runKavrinaCli({"stampa", "--help"}, elsewhere_.path());
  for (const char* name : {"spisak", "firme", "popis", "kartica", "ora", "opa", "oa"})
    EXPECT_NE(all.out.find(std::string("  ") + name + " "), std::string::npos) << name;
  const CliRun popis = runKavrinaCli({"stampa", "popis", "--help"}, elsewhere_.path());
  EXPECT_EQ(popis.exitCode, 0);
  for (const char* option :
       {"--na-dan", "--deo-naziva", "--otpisana", "--neotpisana", "--lokacija", "--konto"})
    EXPECT_NE(popis.out.find(option), std::string::npos) << option;
  const CliRun kartica = runKavrinaCli({"stampa", "kartica", "--help"}, elsewhere_.path());
  EXPECT_NE(kartica.out.find("stampa kartica --invbr N --pdf FAJL"), std::string::npos);
}

// The company's index folder: each file's name, size and time of change.
std::string indexFolder(const fs::path& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder / "NTX"))
    entries.push_back(entry.path().filename().string() + " " + std::to_string(entry.file_size()) +
                      " " + std::to_string(entry.last_write_time().time_since_epoch().count()));
  std::sort(entries.begin(), entries.end());
  std::string all;
  for (const auto& e : entries) all += e + "\n";
  return all;
}

TEST_F(CliDocuments, StationsPrintCardsOfOneCompanyAtOnce) {
  const std::string indexesBefore = indexFolder(folder_.path());
  TempDir signals;
  {
    // Another station reads a result table of the card's years.
    Holder reader(folder_.path() / "DBF/A202312P.dbf", "shared", signals.path(), "reader");
    const CliRun r = run({"stampa", "kartica", "--invbr", "3", "--pdf", "a.pdf"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
  }
  for (int round = 0; round < 3; ++round) {
    std::vector<pid_t> stations;
    for (const char* name : {"b.pdf", "c.pdf", "d.pdf"})
      stations.push_back(startProcess(
          KAVRINA_CLI, {"--dir", folder_.path().string(), "stampa", "kartica", "--invbr", "3",
                        "--pdf", (elsewhere_.path() / name).string(), "--presnimi"}));
    for (pid_t pid : stations) EXPECT_EQ(waitProcess(pid), 0) << "round " << round;
  }
  EXPECT_EQ(poppler("pdftotext", elsewhere_.path() / "b.pdf"),
            poppler("pdftotext", elsewhere_.path() / "d.pdf"));
  EXPECT_EQ(indexFolder(folder_.path()), indexesBefore)
      << "no index file of the company's folder built or left by the cards";
}

}  // namespace
}  // namespace kavrina::test
