// kavrina-cli end to end: a program folder made by the test, the real executable run on it,
// its exit codes, its messages and the CSV it writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/console_ui.h"
#include "common/clock.h"
#include "depreciation/asset_builder.h"
#include "depreciation/calculation_input.h"
#include "depreciation/register_folder.h"
#include "store/rec_lock.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using depreciation::testing::assetNo;
using depreciation::testing::RegisterFolder;

// A program folder with a small register of company 000 and a second company 001.
class CliFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.addAssets({
        assetNo("1").acquired("15.03.2025").accounting(120000, 10, 1).tax(120000, 2, 10),
        assetNo("2")
            .acquired("10.06.2016")
            .accounting(50000, 20, 2)
            .tax(50000, 3, 15)
            .adjustment(10000),
        assetNo("3")
            .acquired("01.02.2010")
            .writtenOff("20.05.2020")
            .accounting(9000, 10, 1)
            .tax(9000, 1, 2.5),
        assetNo("4").acquired("02.01.2026").accounting(1000, 10, 1).tax(1000, 1, 2.5),
    });
    ASSERT_TRUE(store::writeRecord(folder_.program(), "Firme", true, [](store::DbfTable& t) {
      t.putString("Sifra", "001");
      t.putString("Naziv", "Preduzece \"Alfa\", d.o.o.");
      t.putString("Mesto", "Beograd");
    }));
  }

  CliRun run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--dir", folder_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return runKavrinaCli(all, elsewhere_.path(), {{"KAVRINA_HOME", ""}});
  }

  RegisterFolder folder_;
  TempDir elsewhere_;
};

TEST_F(CliFolder, ObracunWritesTheResultsAndIzvozGivesTheExactCsv) {
  const CliRun calc = run({"obracun", "--godina", "2025"});
  ASSERT_EQ(calc.exitCode, 0) << calc.err;
  EXPECT_EQ(calc.out,
            "Obracun je zavrsen.\nDBF/A202512R.dbf: 3 zapisa\nDBF/A202512P.dbf: 3 zapisa\n");
  EXPECT_EQ(calc.err, "");

  // 1: acquired 15 March: 9 months of 1000. 2: declining on 50000 − 10000 at 20 %.
  // 3: written off in 2020: present with zeros. 4: acquired in 2026: absent.
  const CliRun csv = run({"izvoz", "A202512R"});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "InvBr,RAPrVr,RAOsn,RAStopa,RATip,BrMes,RAm,RASadVr,RANab,RAOtp,NoviPrav\n"
            "1,0.000,120000.000,10.000,1,9,9000.000,111000.000,T,F,T\n"
            "2,40000.000,40000.000,20.000,2,12,8000.000,32000.000,F,F,F\n"
            "3,0.000,0.000,10.000,1,0,0.000,0.000,F,F,F\n");

  // Tax: 1 by the day under the new rules, start rule 1: 1 April to 31 December = 275 days,
  // 120000 × 10 % / 365 × 275 = 9041.0958... stored as 9041.096.
  const CliRun tax = run({"izvoz", "a202512p.dbf"});
  ASSERT_EQ(tax.exitCode, 0) << tax.err;
  EXPECT_EQ(
      tax.out,
      "InvBr,PAPrVr,PAOsn,PAOtpVr,PAStopa,PAGrupa,BrMes,BrDan,PAm,PASadVr,PANab,PAOtp,NoviPrav\n"
      "1,0.000,120000.000,0.000,10.000,2,9,275,9041.096,110958.904,T,F,T\n"
      "2,40000.000,40000.000,0.000,15.000,3,12,365,6000.000,34000.000,F,F,F\n"
      "3,0.000,0.000,0.000,2.500,1,0,0,0.000,0.000,F,F,F\n");
}

TEST_F(CliFolder, IzvozOfTheRegistersQuotesAndFormatsDates) {
  const CliRun firme = run({"izvoz", "Firme"});
  ASSERT_EQ(firme.exitCode, 0) << firme.err;
  EXPECT_EQ(firme.out, "Sifra,Naziv,Mesto,PIB\n001,\"Preduzece \"\"Alfa\"\", d.o.o.\",Beograd,\n");

  folder_.deleteAsset("2");
  const CliRun mdos = run({"izvoz", "MDOS"});
  ASSERT_EQ(mdos.exitCode, 0) << mdos.err;
  EXPECT_EQ(mdos.out.substr(0, mdos.out.find('\n')),
            "InvBr,Naziv,DatumN,DatumO,Dobavljac,Dokument,RAOsn,PAOsn,IspVr,PKVT,RAStopa,RAtip,"
            "PAStopa,PAgrupa,ODeo,Kolicina,Konto,DuzKonta");
  EXPECT_NE(mdos.out.find("\n3,,01.02.2010,20.05.2020,,,9000.000,9000.000,0.000,"),
            std::string::npos)
      << mdos.out;
  EXPECT_EQ(mdos.out.find("\n2,"), std::string::npos) << "deleted records are left out";
}

TEST_F(CliFolder, FirmaActivatesTheCompanyAndNulirajMarksItsGroup) {
  const CliRun calc = run({"--firma", "001", "obracun", "--godina", "2024", "--ra"});
  ASSERT_EQ(calc.exitCode, 0) << calc.err;
  EXPECT_TRUE(fs::exists(folder_.path() / "001/DBF/A202412R.dbf"));
  EXPECT_FALSE(fs::exists(folder_.path() / "001/DBF/A202412P.dbf")) << "--ra: accounting only";
  EXPECT_FALSE(fs::exists(folder_.path() / "DBF/A202412R.dbf"));

  const CliRun reset = run({"nuliraj", "--godina", "2020", "--grupa", "3"});
  ASSERT_EQ(reset.exitCode, 0) << reset.err;
  EXPECT_EQ(reset.out, "Nuliranje grupe je zavrseno.\nOznaceno sredstava: 1\n");
  EXPECT_EQ(run({"izvoz", "MDNG"}).out, "InvBr,GodinaNG\n2,2020\n");

  const CliRun periodic = run({"obracun", "--godina", "2025", "--meseci", "6", "--pa"});
  ASSERT_EQ(periodic.exitCode, 0) << periodic.err;
  EXPECT_TRUE(fs::exists(folder_.path() / "DBF/A202506P.dbf"));
  EXPECT_FALSE(fs::exists(folder_.path() / "DBF/A202506R.dbf"));
}

struct ExitCase {
  std::string name;
  std::vector<std::string> args;
  int exitCode;
  std::string errContains;
};
void PrintTo(const ExitCase& c, std::ostream* os) {
  *os << c.name;
}

class CliExit : public CliFolder, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(CliExit, AnswersWithItsCodeAndASerbianMessage) {
  const ExitCase& c = GetParam();
  const CliRun r = run(c.args);
  EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
  EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
  if (c.exitCode == 2) {
    EXPECT_NE(r.err.find("kavrina-cli --help"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliExit,
    ::testing::Values(
        ExitCase{"NoCommand", {}, 2, "Nije navedena komanda"},
        ExitCase{"UnknownCommand", {"brisi"}, 2, "Nepoznata komanda: brisi"},
        ExitCase{"ObracunWithoutYear", {"obracun"}, 2, "zahteva --godina"},
        ExitCase{"YearNotANumber", {"obracun", "--godina", "dvehiljade"}, 2, "--godina"},
        ExitCase{"YearBefore2004", {"obracun", "--godina", "2003"}, 2, "Pogresan unos."},
        ExitCase{"YearAfterThisYear",
                 {"obracun", "--godina", std::to_string(Clock().today().year() + 1)},
                 2,
                 "Pogresan unos."},
        ExitCase{"ThirteenMonths",
                 {"obracun", "--godina", "2025", "--meseci", "13"},
                 2,
                 "Pogresan unos."},
        ExitCase{"GroupOne", {"nuliraj", "--godina", "2020", "--grupa", "1"}, 2, "Pogresan unos."},
        ExitCase{"NulirajWithoutGroup", {"nuliraj", "--godina", "2020"}, 2, "--grupa"},
        ExitCase{"OptionOfAnotherCommand", {"izvoz", "MDOS", "--godina", "2020"}, 2, "--godina"},
        ExitCase{"UnknownTable", {"izvoz", "Kupci"}, 2, "Nepoznata tabela: Kupci"},
        ExitCase{"CompanyCodeNotThreeDigits", {"--firma", "12", "izvoz", "MDOS"}, 2, "--firma"},
        ExitCase{"UnknownCompany",
                 {"--firma", "009", "izvoz", "MDOS"},
                 1,
                 "Firma sa sifrom 009 ne postoji."},
        ExitCase{
            "MissingResultTable", {"izvoz", "A203012R"}, 1, "Ne postoji fajl DBF/A203012R.dbf!"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CliFolder, HelpForEveryCommandSucceeds) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                               {"obracun", "--help"},
                                               {"nuliraj", "--help"},
                                               {"izvoz", "--help"}}) {
    const CliRun r = runKavrinaCli(args, elsewhere_.path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Upotreba: kavrina-cli", 0), 0u) << r.out;
  }
  EXPECT_NE(runKavrinaCli({"obracun", "--help"}, elsewhere_.path()).out.find("--meseci"),
            std::string::npos);
}

TEST_F(CliFolder, TheProgramFolderComesFromKavrinaHomeOrTheCurrentDirectory) {
  const CliRun home = runKavrinaCli({"izvoz", "Firme"}, elsewhere_.path(),
                                    {{"KAVRINA_HOME", folder_.path().string()}});
  EXPECT_EQ(home.exitCode, 0) << home.err;
  EXPECT_NE(home.out.find("001,"), std::string::npos);
  const CliRun here = runKavrinaCli({"izvoz", "Firme"}, folder_.path(), {{"KAVRINA_HOME", ""}});
  EXPECT_EQ(here.out, home.out);
  const CliRun missing = runKavrinaCli(
      {"--dir", (elsewhere_.path() / "nema").string(), "izvoz", "Firme"}, elsewhere_.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Programski folder ne postoji"), std::string::npos);
}

TEST_F(CliFolder, ATableHeldByAnotherStationFailsWithoutWriting) {
  ASSERT_EQ(run({"obracun", "--godina", "2024"}).exitCode, 0);
  const fs::path previous = folder_.path() / "DBF/A202412R.dbf";
  auto held = store::DbfTable::open(previous, {.shared = false});
  ASSERT_TRUE(held);
  const CliRun r = run({"obracun", "--godina", "2025"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "Drugi korisnik trenutno radi sa obracunom ove firme. Pokusajte kasnije.\n"
            "Tabela u upotrebi: A202412R.dbf\n");
  EXPECT_FALSE(fs::exists(folder_.path() / "DBF/A202512R.dbf")) << "nothing was written";
  EXPECT_FALSE(fs::exists(folder_.path() / "DBF/A202512P.dbf"));
  const CliRun exported = run({"izvoz", "A202412R"});
  EXPECT_EQ(exported.exitCode, 1);
  EXPECT_NE(exported.err.find("Drugi korisnik trenutno koristi tabelu"), std::string::npos);
  held->close();
  EXPECT_EQ(run({"obracun", "--godina", "2025"}).exitCode, 0);
}

TEST(ConsoleText, EveryKindOfLineBreakIsOneNewline) {
  EXPECT_EQ(cli::consoleText("a\rb\r\nc\n\rd\ne"), "a\nb\nc\nd\ne");
}

}  // namespace
}  // namespace kavrina::test
