// The dialogs of OBRACUN, NULIRAJGRUPU and AKTIVIRAJ driven through the scripted user: what
// is asked, the exact texts shown, and that a refused, cancelled or declined run writes
// nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/activation.h"
#include "common/clock.h"
#include "depreciation/asset_builder.h"
#include "depreciation/calculation_input.h"
#include "depreciation/group_reset.h"
#include "depreciation/obracun.h"
#include "depreciation/register_folder.h"
#include "store/schema.h"
#include "support/temp_dir.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;
using testing::assetNo;
using testing::RegisterFolder;

const int kThisYear = Clock().today().year();
const std::string kLastYear = std::to_string(kThisYear - 1);

// One scripted answer: "yes", "no", "cancel", or "type:TEXT".
void script(ui::ScriptedUi& ui, const std::vector<std::string>& answers) {
  for (const std::string& a : answers) {
    if (a == "yes") {
      ui.yes();
    } else if (a == "no") {
      ui.no();
    } else if (a == "cancel") {
      ui.cancel();
    } else {
      ui.type(a.substr(5));
    }
  }
}

struct ObracunDialogCase {
  std::string name;
  bool accounting, tax, periodic;
  int presetMonths;
  std::vector<std::string> answers;
  std::vector<std::string> transcript;  // exactly what the user sees, in order
  bool writesR, writesP;
};

void PrintTo(const ObracunDialogCase& c, std::ostream* os) {
  *os << c.name;
}

std::string question(const std::string& kind, const std::string& parts, const std::string& year,
                     const std::string& months) {
  return "confirmation: Moze li poceti " + kind + " obracun " + parts +
         " amortizacije?\rGodina: " + year + " / Meseci: " + months;
}

const std::string kAskYear = "input Unos / Obracunska godina: -> ";
const std::string kAskMonths = "input Unos / Broj Meseci za obracun: -> ";
const std::string kWait = "Obracun u toku. Molim sacekajte...";

std::vector<ObracunDialogCase> obracunDialogCases() {
  const std::string y = kLastYear;
  return {
      {"BothPartsAnnual",
       true,
       true,
       false,
       12,
       {"type:" + y, "yes"},
       {kAskYear + y, question("Godisnji", "Racunovodstvene i Poreske", y, "12") + " -> Yes",
        "wait: " + kWait, "wait closed: " + kWait, "information: Obracun je zavrsen."},
       true,
       true},
      {"AccountingOnlyAnnual",
       true,
       false,
       false,
       12,
       {"type:" + y, "yes"},
       {kAskYear + y, question("Godisnji", "Racunovodstvene", y, "12") + " -> Yes",
        "wait: " + kWait, "wait closed: " + kWait, "information: Obracun je zavrsen."},
       true,
       false},
      {"TaxOnlyAnnual",
       false,
       true,
       false,
       12,
       {"type:" + y, "yes"},
       {kAskYear + y, question("Godisnji", "Poreske", y, "12") + " -> Yes", "wait: " + kWait,
        "wait closed: " + kWait, "information: Obracun je zavrsen."},
       false,
       true},
      {"PeriodicSixMonthsWithLeadingZeros",
       true,
       true,
       true,
       0,
       {"type:" + y, "type:6", "yes"},
       {kAskYear + y, kAskMonths + "6",
        question("Periodicni", "Racunovodstvene i Poreske", y, "06") + " -> Yes", "wait: " + kWait,
        "wait closed: " + kWait, "information: Obracun je zavrsen."},
       true,
       true},
      {"YearBefore2004",
       true,
       true,
       false,
       12,
       {"type:2003"},
       {kAskYear + "2003", "error: Pogresan unos."},
       false,
       false},
      {"YearAfterThisYear",
       true,
       true,
       false,
       12,
       {"type:" + std::to_string(kThisYear + 1)},
       {kAskYear + std::to_string(kThisYear + 1), "error: Pogresan unos."},
       false,
       false},
      {"EmptyYear",
       true,
       true,
       false,
       12,
       {"type:"},
       {kAskYear, "error: Pogresan unos."},
       false,
       false},
      {"CancelYear", true, true, false, 12, {"cancel"}, {kAskYear + "cancel"}, false, false},
      {"NoAtConfirmation",
       true,
       true,
       false,
       12,
       {"type:" + y, "no"},
       {kAskYear + y, question("Godisnji", "Racunovodstvene i Poreske", y, "12") + " -> No"},
       false,
       false},
      {"PeriodicTwelveMonthsRefused",
       true,
       true,
       true,
       0,
       {"type:" + y, "type:12"},
       {kAskYear + y, kAskMonths + "12", "error: Pogresan unos."},
       false,
       false},
      {"PeriodicZeroMonthsRefused",
       true,
       true,
       true,
       0,
       {"type:" + y, "type:0"},
       {kAskYear + y, kAskMonths + "0", "error: Pogresan unos."},
       false,
       false},
      {"PeriodicCancelMonths",
       false,
       true,
       true,
       0,
       {"type:" + y, "cancel"},
       {kAskYear + y, kAskMonths + "cancel"},
       false,
       false},
  };
}

class ObracunDialog : public ::testing::TestWithParam<ObracunDialogCase> {};

TEST_P(ObracunDialog, ShowsExactlyTheseTextsAndWritesOnlyOnYes) {
  const ObracunDialogCase& c = GetParam();
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2020").accounting(120000, 10, 1).tax(120000, 2, 10)});
  folder.program().NGODINA = kThisYear - 1;
  folder.program().NMESECI = c.presetMonths;
  script(folder.ui(), c.answers);

  OBRACUN(folder.program(), c.accounting, c.tax, c.periodic);

  EXPECT_EQ(folder.shown(), c.transcript);
  EXPECT_EQ(folder.ui().unusedAnswers(), 0u);
  const int months = c.periodic ? 6 : 12;
  EXPECT_EQ(fs::exists(folder.resultFile(kThisYear - 1, months, ResultKind::Accounting)),
            c.writesR);
  EXPECT_EQ(fs::exists(folder.resultFile(kThisYear - 1, months, ResultKind::Tax)), c.writesP);
  EXPECT_EQ(folder.ui().openWaitNotices(), 0);
  // Only the standing tables stay open.
  EXPECT_FALSE(folder.program().areas.isOpen("BazaRA"));
  EXPECT_FALSE(folder.program().areas.isOpen("BazaPA"));
  EXPECT_FALSE(folder.program().areas.isOpen("MDNG"));
  EXPECT_TRUE(folder.program().areas.isOpen("MDOS"));
}

INSTANTIATE_TEST_SUITE_P(Flows, ObracunDialog, ::testing::ValuesIn(obracunDialogCases()),
                         [](const auto& info) { return info.param.name; });

TEST(ObracunDialogValues, ValidEntriesBecomeTheNextPresetsAndRefusedOnesDoNot) {
  RegisterFolder folder;
  store::Program& program = folder.program();
  program.NGODINA = kThisYear;
  program.NMESECI = 0;
  folder.ui().type(kLastYear).type("13");
  OBRACUN(program, true, true, true);
  EXPECT_EQ(program.NGODINA, kThisYear) << "a refused entry leaves the preset";
  EXPECT_EQ(program.NMESECI, 0);

  folder.ui().type(kLastYear).type("7").yes();
  OBRACUN(program, true, false, true);
  EXPECT_EQ(program.NGODINA, kThisYear - 1);
  EXPECT_EQ(program.NMESECI, 7);
}

TEST(ObracunDialogValues, TableHeldByAnotherUserIsReportedAndNothingIsWritten) {
  RegisterFolder folder;
  folder.addAssets(
      {assetNo("1").acquired("15.03.2020").accounting(120000, 10, 1).tax(120000, 2, 10)});
  store::Program& program = folder.program();
  const int y = kThisYear - 1;
  program.NGODINA = y;
  program.NMESECI = 12;
  folder.ui().type(std::to_string(y)).yes();
  OBRACUN(program, true, true, false);
  const fs::path ra = folder.resultFile(y, 12, ResultKind::Accounting);
  const fs::path pa = folder.resultFile(y, 12, ResultKind::Tax);
  const std::string raBefore = test::readFileBytes(ra), paBefore = test::readFileBytes(pa);

  // Another station holds the tax result of the year before (what this run reads last).
  store::DbfTable::create(folder.resultFile(y - 1, 12, ResultKind::Tax), store::schema::resultPa());
  auto held =
      store::DbfTable::open(folder.resultFile(y - 1, 12, ResultKind::Tax), {.shared = false});
  ASSERT_TRUE(held);
  folder.ui().type(std::to_string(y)).yes();
  OBRACUN(program, true, true, false);
  const auto lines = folder.shown();
  ASSERT_GE(lines.size(), 1u);
  EXPECT_EQ(lines.back(),
            "error: Drugi korisnik trenutno radi sa obracunom ove firme. Pokusajte kasnije.\r"
            "Tabela u upotrebi: A" +
                std::to_string(y - 1) + "12P.dbf");
  EXPECT_EQ(test::readFileBytes(ra), raBefore) << "the accounting result is untouched";
  EXPECT_EQ(test::readFileBytes(pa), paBefore);
  EXPECT_EQ(folder.ui().openWaitNotices(), 0);
  for (const char* alias : {"BazaRA", "BazaPA", "BazaPreRA", "BazaPrePA", "MDNG"})
    EXPECT_FALSE(program.areas.isOpen(alias)) << alias;

  held->close();
  folder.ui().type(std::to_string(y)).yes();
  OBRACUN(program, true, true, false);
  EXPECT_EQ(folder.ui().messages().back(), "Obracun je zavrsen.");
}

struct ResetDialogCase {
  std::string name;
  std::vector<std::string> answers;
  std::vector<std::string> transcript;
  bool writes;
};

void PrintTo(const ResetDialogCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<ResetDialogCase> resetDialogCases() {
  const std::string askYear = "input Unos / Godina Nuliranja: -> ";
  const std::string askGroup = "input Unos / Grupa za Nuliranje (2-5): -> ";
  const std::string wait = "Nuliranje grupe u toku. Molim sacekajte...";
  return {
      {"GroupThreeFor2019",
       {"type:2019", "type:3", "yes"},
       {askYear + "2019", askGroup + "3",
        "confirmation: Moze li poceti Nuliranje grupe?\rGodina: 2019 / Grupa: 3 -> Yes",
        "wait: " + wait, "wait closed: " + wait, "information: Nuliranje grupe je zavrseno."},
       true},
      {"GroupOneRefused",
       {"type:2019", "type:1"},
       {askYear + "2019", askGroup + "1", "error: Pogresan unos."},
       false},
      {"GroupSixRefused",
       {"type:2019", "type:6"},
       {askYear + "2019", askGroup + "6", "error: Pogresan unos."},
       false},
      {"YearBefore2004", {"type:2003"}, {askYear + "2003", "error: Pogresan unos."}, false},
      {"ThisYearAccepted",
       {"type:" + std::to_string(kThisYear), "type:2", "no"},
       {askYear + std::to_string(kThisYear), askGroup + "2",
        "confirmation: Moze li poceti Nuliranje grupe?\rGodina: " + std::to_string(kThisYear) +
            " / Grupa: 2 -> No"},
       false},
      {"CancelYear", {"cancel"}, {askYear + "cancel"}, false},
      {"CancelGroup", {"type:2019", "cancel"}, {askYear + "2019", askGroup + "cancel"}, false},
  };
}

class ResetDialog : public ::testing::TestWithParam<ResetDialogCase> {};

TEST_P(ResetDialog, ShowsExactlyTheseTextsAndMarksOnlyOnYes) {
  const ResetDialogCase& c = GetParam();
  RegisterFolder folder;
  folder.addAssets({assetNo("1").acquired("01.02.2015").tax(1000, 3, 15),
                    assetNo("2").acquired("01.02.2015").tax(1000, 2, 10)});
  script(folder.ui(), c.answers);
  NULIRAJGRUPU(folder.program());
  EXPECT_EQ(folder.shown(), c.transcript);
  EXPECT_EQ(folder.ui().unusedAnswers(), 0u);
  auto mdng =
      store::DbfTable::open(store::dataPath(folder.program(), "MDNG.dbf"), {.shared = true});
  ASSERT_TRUE(mdng);
  EXPECT_EQ(mdng->recCount(), c.writes ? 1u : 0u);
  EXPECT_FALSE(folder.program().areas.isOpen("MDNG"));
}

INSTANTIATE_TEST_SUITE_P(Flows, ResetDialog, ::testing::ValuesIn(resetDialogCases()),
                         [](const auto& info) { return info.param.name; });

TEST(ResetDialogPreset, ProposesLastYearAndGroupZero) {
  RegisterFolder folder;
  folder.ui().cancel();
  NULIRAJGRUPU(folder.program());
  ASSERT_EQ(folder.shown().size(), 1u);
  const auto& asked = folder.ui().events().back();
  EXPECT_EQ(asked.value, kLastYear);
  EXPECT_EQ(asked.picture, "9999");
  EXPECT_EQ(asked.widthPixels, 50);
}

TEST(Aktiviraj, ReopensTheTablesOfTheCompanySetByTheCallerUnderTheWaitNotice) {
  RegisterFolder folder;
  folder.addAssets({assetNo("1").acquired("01.02.2015").accounting(1000, 10, 1)});
  store::Program& program = folder.program();
  program.CSIFRAFIRME = "005";
  program.CSUBDIRFIRME = store::companyPrefix("005");
  commands::AKTIVIRAJ(program);
  EXPECT_EQ(folder.shown(),
            (std::vector<std::string>{"wait: Aktivacija u toku. Molim sacekajte...",
                                      "wait: Kreiram baze podataka. Molim sacekajte...",
                                      "wait closed: Kreiram baze podataka. Molim sacekajte...",
                                      "wait closed: Aktivacija u toku. Molim sacekajte..."}));
  EXPECT_EQ(program.areas["MDOS"].path(), fs::path("005/DBF/MDOS.dbf"));
  EXPECT_EQ(program.areas["MDOS"].recCount(), 0u) << "company 005 starts with an empty register";

  commands::activateCompany(program, "000");
  EXPECT_EQ(program.CSUBDIRFIRME, "");
  EXPECT_EQ(program.areas["MDOS"].recCount(), 1u);
  EXPECT_TRUE(program.areas.isOpen("Firme"));
}

}  // namespace
}  // namespace kavrina::depreciation
