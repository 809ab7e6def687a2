// The commands of the three sections, driven through the Navigator with a scripted user
// on a real database in a folder of its own.
#include <filesystem>

#include "app/list_rows.h"
#include "app_fixture.h"
#include "settings/ini_files.h"

namespace kavrina::test {
namespace {

namespace fs = std::filesystem;
using app::trimmed;

// A small register: four assets of company "000".
class Assets : public AppTest {
 protected:
  void SetUp() override {
    openDatabase();
    addAsset({"1", "Racunar Dell", "10.02.2020", 120000, 120000, "", 0, 0});
    addAsset({"2", "Sto radni", "01.06.2019", 999, 999, "", 3, 1220});
    addAsset({"10", "Automobil", "15.07.2018", 1234, 1234, "20.12.2022", 3, 1230});
    addAsset({"3", "Stolica", "05.05.2021", 15000.5, 14000, "", 7, 1220});
    nav().UcitajOsnovnaSredstva();
    showSection("Kavrina");
  }
  bool run(std::string_view command) { return nav().TreeView1OnChange(command); }
};

TEST_F(Assets, ListIsInInventoryOrderWithFormattedCells) {
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"1", "2", "3", "10"}));
  const app::ListRow row = assetRow(2);
  EXPECT_EQ(row[0], app::padded("3", 30));
  EXPECT_EQ(trimmed(row[1]), "Stolica");
  EXPECT_EQ(row[2], "05.05.2021");
  EXPECT_EQ(row[3], "        15,000.50");
  EXPECT_EQ(row[4], "        14,000.00");
  EXPECT_EQ(row[5], "             0.00") << "no result yet: present value is the base";
  EXPECT_EQ(row[6], "        15,000.50");
  EXPECT_EQ(nav().currentRow(), 0);
}

TEST_F(Assets, PresentValueComesFromTheNewestAnnualResult) {
  addAccountingResult("A202212R.dbf", {{"1", 90000}, {"3", 14000}});
  addAccountingResult("A202312R.dbf", {{"1", 60000}});
  addAccountingResult("A202512R.dbf", {{"1", 1}});  // after NGODINA: not used
  nav().UcitajOsnovnaSredstva();
  EXPECT_EQ(trimmed(assetRow(0)[6]), "60,000.00");
  EXPECT_EQ(trimmed(assetRow(0)[5]), "60,000.00");
  EXPECT_EQ(trimmed(assetRow(2)[6]), "14,000.00");
  EXPECT_EQ(trimmed(assetRow(1)[6]), "999.00");
}

TEST_F(Assets, SearchByNameFiltersAndSetsTheFilterWords) {
  ui().type("stol");
  EXPECT_TRUE(run("Trazi"));
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"3"}));
  EXPECT_EQ(program().CFILTER, "deo naziva: stol");
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{"input Unos / Tekst (ili sifra) za pretragu: -> stol"}));
  ASSERT_EQ(input().value, std::string(20, ' '));
  EXPECT_EQ(input().picture, "XXXXXXXXXXXXXXXXXXXX");
  EXPECT_EQ(input().widthPixels, 120);
}

TEST_F(Assets, SearchByNumberPositionsWithoutFiltering) {
  ui().type("10");
  run("Trazi");
  EXPECT_EQ(assetNumbers().size(), 4u);
  EXPECT_EQ(nav().currentRow(), 3);
  EXPECT_EQ(program().CFILTER, "");
}

// A search that finds nothing says so and leaves the list, its filter words and its current
// row as they were.
TEST_F(Assets, SearchThatFindsNothingSaysSoAndKeepsTheSelection) {
  ui().type("stol");
  run("Trazi");  // a filtered list to keep
  ASSERT_EQ(assetNumbers(), (std::vector<std::string>{"3"}));
  ui().type("77");
  run("Trazi");
  EXPECT_EQ(nav().currentRow(), 0) << "the row stays selected";
  ui().type("ormar");
  run("Trazi");
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"3"})) << "the list stays";
  EXPECT_EQ(program().CFILTER, "deo naziva: stol");
  EXPECT_EQ(nav().currentRow(), 0);
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{
                "input Unos / Tekst (ili sifra) za pretragu: -> stol",
                "input Unos / Tekst (ili sifra) za pretragu: -> 77",
                "information: Nije pronadjeno osnovno sredstvo sa inventarskim brojem 77.",
                "input Unos / Tekst (ili sifra) za pretragu: -> ormar",
                "information: Nije pronadjeno osnovno sredstvo ciji naziv sadrzi \"ormar\"."}));
}

TEST_F(Assets, FiltersKeepTheirWordsUntilRefresh) {
  struct Case {
    const char* command;
    std::optional<std::string> typed;
    std::vector<std::string> numbers;
    const char* words;
  };
  const Case cases[] = {
      {"Otpisana Osnovna sredstva", {}, {"10"}, "otpisana"},
      {"Neotpisana Osnovna sredstva", {}, {"1", "2", "3"}, "neotpisana"},
      {"Osnovna sredstva za Org.deo (lokaciju)", "3", {"2", "10"}, "lokacija: 3"},
      {"Osnovna sredstva po Kontu", "1220", {"2", "3"}, "konto: 1220"},
      {"Osvezi", {}, {"1", "2", "3", "10"}, ""},
  };
  for (const Case& c : cases) {
    if (c.typed) ui().type(*c.typed);
    run(c.command);
    EXPECT_EQ(assetNumbers(), c.numbers) << c.command;
    EXPECT_EQ(program().CFILTER, c.words) << c.command;
  }
  EXPECT_EQ(storedAssets().size(), 4u) << "a filter shapes only the list";
}

TEST_F(Assets, CancelledLocationFilterChangesNothing) {
  ui().cancel();
  run("Osnovna sredstva za Org.deo (lokaciju)");
  EXPECT_EQ(assetNumbers().size(), 4u);
  EXPECT_EQ(input().picture, "999");
  EXPECT_EQ(input().value, "0");
  EXPECT_EQ(input().widthPixels, 50);
}

TEST_F(Assets, SortingAnAmountIsNumericAndEveryClickFlipsTheDirection) {
  nav().sgSpisakOnHeaderClick(4);  // Racunovodstvena NV, ascending
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"2", "10", "3", "1"}));
  nav().sgSpisakOnHeaderClick(2);  // another column: descending now
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"3", "2", "1", "10"}))
      << "STOLICA, STO RADNI, RACUNAR DELL, AUTOMOBIL";
  showSection("Firma");
  nav().sgSpisakOnHeaderClick(1);  // the switch is one for every list
  EXPECT_FALSE(nav().nextSortAscending());
  EXPECT_EQ(ui().transcript().back(), "wait closed: Sortiranje u toku. Molim sacekajte...");
}

TEST_F(Assets, WriteOffAsksTheDateAndConfirms) {
  selectRow("3");
  ui().type("20.02.2024").yes();
  run("Otpisi");
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{
                "input Unos / Datum Otpisa: -> 20.02.2024",
                "confirmation: Sigurno otpisujete Osnovno Sredstvo sa Inventarskim brojem 3?\r"
                "Naziv: STOLICA\rDatum otpisa: 20.02.2024 -> Yes"}));
  EXPECT_EQ(input().value, "15.03.2024") << "today is offered";
  program().areas["MDOS"].seek(3.0);
  EXPECT_EQ(program().areas["MDOS"].getDate("DatumO").toText(), "20.02.2024");
}

TEST_F(Assets, WriteOffWithAnEmptyDateIsRefused) {
  selectRow("3");
  ui().type("");
  run("Otpisi");
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{"input Unos / Datum Otpisa: -> ", "error: Pogresan unos."}));
  program().areas["MDOS"].seek(3.0);
  EXPECT_TRUE(program().areas["MDOS"].getDate("DatumO").empty());
}

TEST_F(Assets, WriteOffOfAWrittenOffAssetOffersItsCancellation) {
  selectRow("10");
  ui().yes();
  run("Otpisi");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "confirmation: Osnovno Sredstvo sa Inventarskim brojem 10 je "
                           "Otpisano/Otudjeno.\rNaziv: AUTOMOBIL\rDatum otpisa: 20.12.2022\r\r"
                           "Zelite li da ponistite otpis? -> Yes"}));
  program().areas["MDOS"].seek(10.0);
  EXPECT_TRUE(program().areas["MDOS"].getDate("DatumO").empty());
}

TEST_F(Assets, AssetDeletedMeanwhileIsReportedMissing) {
  selectRow("2");
  program().areas["MDOS"].seek(2.0);
  ASSERT_TRUE(store::REC_LOCK(program(), 0, "MDOS"));
  program().areas["MDOS"].deleteRecord();
  program().areas["MDOS"].unlock();
  for (const char* command : {"Otpisi", "Brisi"}) run(command);
  const std::string missing =
      "error: Osnovno Sredstvo sa Inventarskim brojem 2 ne postoji u bazi podataka.\r"
      "Moguc uzrok: Osnovno Sredstvo je obrisano od strane drugog operatera.";
  EXPECT_EQ(dialogs(), (std::vector<std::string>{missing, missing}));
}

TEST_F(Assets, DeleteLeavesTheRowInParentheses) {
  selectRow("2");
  ui().yes();
  run("Brisi");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "confirmation: Sigurno brisete Osnovno Sredstvo sa Inventarskim "
                           "brojem 2?\rNaziv: STO RADNI -> Yes"}));
  EXPECT_EQ(assetRow(1), (app::ListRow{"(2)", "(Sto radni)", "(01.06.2019)", "(999.00)", "(999.00)",
                                       "(0.00)", "(999.00)"}));
  EXPECT_EQ(nav().currentRow(), 1);
  EXPECT_EQ(storedAssets(), (std::vector<std::string>{"1", "3", "10"}));
}

TEST_F(Assets, DeleteAnsweredNoKeepsTheAsset) {
  selectRow("2");
  ui().no();
  run("Brisi");
  EXPECT_EQ(storedAssets().size(), 4u);
  EXPECT_EQ(trimmed(assetRow(1)[0]), "2");
}

TEST_F(Assets, DeleteAllWithAWrongCodeDeletesNothing) {
  ui().type("150323");
  run("Brisi sve");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{"input Unos / Sifra za brisanje: -> 150323",
                                                 "warning: Pogresna sifra!"}));
  EXPECT_EQ(storedAssets().size(), 4u);
  EXPECT_EQ(assetNumbers().size(), 4u);
}

TEST_F(Assets, DeleteAllWithTodaysCodeDeletesEveryAsset) {
  ui().type("150324").yes();
  run("Brisi sve");
  EXPECT_EQ(dialogs().back(), "confirmation: Sigurno brisete SVA Kavrina ? -> Yes");
  EXPECT_TRUE(storedAssets().empty());
  EXPECT_TRUE(program().AOSNOVNASREDSTVA.empty());
}

TEST_F(Assets, SelectiveDeleteWithAReversedRangeIsRefused) {
  ui().type("10").type("2");
  run("Brisi selektivno");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "input Brisanje Osnovnih Sredstava / OD Inventarskog broja: -> 10",
                           "input Brisanje Osnovnih Sredstava / DO Inventarskog broja: -> 2",
                           "error: Pogresan unos."}));
  EXPECT_EQ(storedAssets().size(), 4u);
}

TEST_F(Assets, SelectiveDeleteTakesBothBounds) {
  ui().type("2").type("3").yes();
  run("Brisi selektivno");
  EXPECT_EQ(dialogs().back(),
            "confirmation: Sigurno brisete Kavrina ?\rInventarski brojevi od 2 do 3 -> Yes");
  EXPECT_EQ(storedAssets(), (std::vector<std::string>{"1", "10"}));
  EXPECT_EQ(assetNumbers(), (std::vector<std::string>{"1", "10"}));
}

TEST_F(Assets, AddProposesTheNextNumberAndSelectsItsRow) {
  run("Dodaj");
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{"assetForm 11"}));
  EXPECT_EQ(program().CINVENTARSKIBROJ, "") << "the number was the command's own";
  // Deleted records are invisible: with the highest number deleted, it is proposed again.
  addAsset({"11", "Kamion", "01.01.2020", 5, 5, "", 0, 0});
  nav().UcitajOsnovnaSredstva();
  run("Dodaj");
  EXPECT_EQ(recorded_.calls.back(), "assetForm 12");
  selectRow("11");
  ui().yes();
  run("Brisi");
  run("Dodaj");
  EXPECT_EQ(recorded_.calls.back(), "assetForm 11");
}

TEST_F(Assets, EditOpensTheFormForTheRowAndOtherCommandsReachTheirTargets) {
  selectRow("3");
  run("Izmeni");
  nav().sgSpisakOnDblClick();
  run("Nuliraj grupu");
  for (const char* c :
       {"Stampaj", "Spisak", "Popisne liste", "Karticu", "Nalepnice", "Popisne razlike"})
    run(c);
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{
                                 "assetForm 3", "assetForm 3", "NULIRAJGRUPU", "print SpisakOS 3",
                                 "print SpisakOS 3", "print Popis 3", "print Kartica 3",
                                 "print Nalepnice 3", "print PopisneRazlike 3"}));
  EXPECT_FALSE(run("Aktiviraj")) << "not a command of this section";
}

// The company section on the first start of a folder.
class Companies : public AppTest {
 protected:
  void SetUp() override { openDatabase(); }
  bool run(std::string_view command) { return nav().TreeView1OnChange(command); }
  void writeCompanionFiles() {
    fs::create_directory("INI_LST");
    settings::WRITEINI("Firma", "Naziv", "Moja Firma doo", "INI_LST\\VEKA");
    settings::WRITEINI("Firma", "Mesto", "Novi Sad / Sifra Opstine: 80284", "INI_LST\\VEKA");
    const store::Structure qvr{
        {"SIFRA_PRO", 'C', 3, 0}, {"FRNAZIVSKR", 'C', 30, 0}, {"FRMESTO", 'C', 30, 0}};
    ASSERT_TRUE(store::DbfTable::create("qvr_pro.dbf", qvr));
    auto t = store::DbfTable::open("qvr_pro.dbf", {.shared = false});
    for (auto [code, name, place] : {std::tuple{"001", "Klijent Jedan", "Subotica"},
                                     std::tuple{"002", "Klijent Dva", "Nis"}}) {
      ASSERT_TRUE(t->append());
      t->putString("SIFRA_PRO", code);
      t->putString("FRNAZIVSKR", name);
      t->putString("FRMESTO", place);
    }
    t->close();
  }
  std::vector<std::string> codes() {
    std::vector<std::string> out;
    for (const auto& r : program().AFIRME) out.push_back(r[0] + " " + trimmed(r[1]));
    return out;
  }
};

TEST_F(Companies, FirstStartCreatesOwnCompanyAndImportsTheCompanionTable) {
  writeCompanionFiles();
  nav().UcitajFirme();
  EXPECT_EQ(codes(), (std::vector<std::string>{"000 Moja Firma doo", "001 Klijent Jedan",
                                               "002 Klijent Dva"}));
  EXPECT_EQ(trimmed(program().AFIRME[0][2]), "Novi Sad");
  EXPECT_EQ(program().CKORISNIKNAZIV, "Moja Firma doo");
  EXPECT_EQ(program().CKORISNIKMESTO, "Novi Sad");
  nav().UcitajFirme();
  EXPECT_EQ(codes().size(), 3u) << "later starts neither create nor import";
  EXPECT_EQ(ui().transcript().back(), "wait closed: Ucitava se Spisak Firmi. Molim sacekajte...");
}

TEST_F(Companies, FirstStartWithoutCompanionFilesUsesTheMakersName) {
  nav().UcitajFirme();
  EXPECT_EQ(codes(), (std::vector<std::string>{"000 Velmar"}));
  EXPECT_EQ(trimmed(program().AFIRME[0][2]), "Beograd");
}

TEST_F(Companies, WithoutAgencyModeOnlyEditAndRefreshWork) {
  nav().UcitajFirme();
  showSection("Firma");
  program().LAGENCIJSKIMOD = false;
  for (const char* c : {"Aktiviraj", "Trazi", "Dodaj", "Stampaj", "Izmeni", "Osvezi"}) run(c);
  nav().sgSpisakOnDblClick();
  EXPECT_EQ(dialogs(),
            (std::vector<std::string>{
                "information: Opcija AKTIVIRAJ je dozvoljena samo u Agencijskom modu programa.",
                "information: Opcija TRAZI je dozvoljena samo u Agencijskom modu programa.",
                "information: Opcija DODAJ je dozvoljena samo u Agencijskom modu programa.",
                "information: Opcija STAMPAJ je dozvoljena samo u Agencijskom modu programa.",
                "information: Opcija AKTIVIRAJ je dozvoljena samo u Agencijskom modu programa."}));
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{"companyForm 000"}));
  EXPECT_EQ(program().CSIFRAFIRME, "000");
}

TEST_F(Companies, SearchFiltersByNameOrPositionsOnTheCode) {
  program().LAGENCIJSKIMOD = true;
  nav().UcitajFirme();
  addCompany("001", "Pekara Zlatni klas", "Sombor");
  addCompany("002", "Klas doo", "Uzice");
  addCompany("003", "Mlin", "Zrenjanin");
  nav().UcitajFirme();
  showSection("Firma");
  ui().type("KLAS");
  run("Trazi");
  EXPECT_EQ(codes(), (std::vector<std::string>{"001 Pekara Zlatni klas", "002 Klas doo"}));
  run("Osvezi");
  EXPECT_EQ(codes().size(), 4u);
  ui().type("3");
  run("Trazi");
  EXPECT_EQ(codes().size(), 4u);
  EXPECT_EQ(nav().currentRow(), 3);

  // Nothing found: said so, the list and its row stay.
  ui().type("9");
  run("Trazi");
  ui().type("Banka");
  run("Trazi");
  EXPECT_EQ(codes().size(), 4u);
  EXPECT_EQ(nav().currentRow(), 3);
  const auto shown = dialogs();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[shown.size() - 3], "information: Nije pronadjena firma sa sifrom 009.");
  EXPECT_EQ(shown.back(), "information: Nije pronadjena firma ciji naziv sadrzi \"Banka\".");
}

// The active company renamed in its form: the name and place the reports print, and the
// status text, are the new ones at once.
TEST_F(Companies, RenamingTheActiveCompanyRenamesItForTheReports) {
  program().LAGENCIJSKIMOD = true;
  nav().UcitajFirme();
  ASSERT_EQ(program().CKORISNIKNAZIV, "Velmar");
  showSection("Firma");
  nav().hooks().companyForm = [this](store::Program& p) {
    p.areas.select("Firme");
    ASSERT_TRUE(p.areas["Firme"].seek(p.CSIFRAFIRME));
    store::writeRecord(p, "Firme", false, [](store::DbfTable& t) {
      t.putString("Naziv", "Velmar Novi");
      t.putString("Mesto", "Zemun");
    });
  };
  nav().setCurrentRow(0);
  run("Izmeni");
  EXPECT_EQ(program().CKORISNIKNAZIV, "Velmar Novi");
  EXPECT_EQ(program().CKORISNIKMESTO, "Zemun");
  EXPECT_EQ(nav().statusText(), "Velmar Novi");
  EXPECT_EQ(program().CSIFRAFIRME, "000");

  // Renamed by another station: the next report takes the name from the table.
  program().areas.select("Firme");
  ASSERT_TRUE(program().areas["Firme"].seek("000"));
  store::writeRecord(program(), "Firme", false,
                     [](store::DbfTable& t) { t.putString("Naziv", "Velmar Treci"); });
  run("Stampaj");
  EXPECT_EQ(program().CKORISNIKNAZIV, "Velmar Treci");
  EXPECT_EQ(recorded_.calls.back(), "print SpisakFirmi 000");
}

TEST_F(Companies, AddOffersTheNextCodeWithoutChangingTheActiveCompany) {
  program().LAGENCIJSKIMOD = true;
  nav().UcitajFirme();
  addCompany("004", "Cetiri", "Vrsac");
  nav().UcitajFirme();
  showSection("Firma");
  run("Dodaj");
  EXPECT_EQ(recorded_.calls, (std::vector<std::string>{"companyForm 005"}));
  EXPECT_EQ(program().CSIFRAFIRME, "000");
}

TEST_F(Companies, ActivationOpensAFirstTimeCompanyInItsOwnFolders) {
  program().LAGENCIJSKIMOD = true;
  nav().UcitajFirme();
  addCompany("007", "Sedma doo", "Kikinda");
  nav().UcitajFirme();
  showSection("Firma");
  selectRow("007");
  run("Aktiviraj");
  for (const char* dir : {"007", "007/DBF", "007/NTX"}) EXPECT_TRUE(fs::is_directory(dir)) << dir;
  EXPECT_EQ(program().CSIFRAFIRME, "007");
  EXPECT_EQ(program().CSUBDIRFIRME, "007/");
  EXPECT_EQ(program().CKORISNIKNAZIV, "Sedma doo");
  EXPECT_EQ(program().areas["MDOS"].path(), fs::path("007/DBF/MDOS.dbf"));
  EXPECT_EQ(nav().statusText(), "Aktivna firma: Sedma doo, Kikinda");
  EXPECT_EQ(
      dialogs(),
      (std::vector<std::string>{"information: Firma: SEDMA DOO\rPodaci su ucitani i aktivni."}));
  EXPECT_TRUE(program().AOSNOVNASREDSTVA.empty());
  EXPECT_EQ(program().CSENDER, "Firma") << "the grid keeps showing the companies";
}

// The calculations section.
class Calculations : public AppTest {
 protected:
  void SetUp() override { openDatabase(); }
  bool run(std::string_view command) { return nav().TreeView1OnChange(command); }
};

TEST_F(Calculations, ListHasFourKindsOfRows) {
  addEmptyResult("A201812P.dbf");
  addEmptyResult("A201812R.dbf");
  addEmptyResult("A202312P.dbf");
  addEmptyResult("A202312R.dbf");
  nav().UcitajObracune();
  std::vector<std::string> rows;
  for (const auto& r : program().AOBRACUNI) rows.push_back(r[0] + " " + r[1]);
  EXPECT_EQ(rows,
            (std::vector<std::string>{
                "A201812P.dbf Godisnji obracun Poreske amortizacije", "A201812P.dbf Obrazac OA ",
                "A201812R.dbf Godisnji obracun Racunovodstvene amortizacije",
                "A201812R.dbf Nalog za knjizenje amortizacije",
                "A202312P.dbf Godisnji obracun Poreske amortizacije", "A202312P.dbf Obrazac OA ",
                "A202312P.dbf Obrazac POA ", "A202312P.dbf Evidencija OS stecenih od 01.01.2019 ",
                "A202312R.dbf Godisnji obracun Racunovodstvene amortizacije",
                "A202312R.dbf Nalog za knjizenje amortizacije"}));
}

TEST_F(Calculations, EachCalculationCommandPresetsYearAndMonths) {
  showSection("Obracuni");
  const std::pair<const char*, const char*> cases[] = {
      {"Periodicni obracun", "OBRACUN 1 1 1 2024/0"},
      {"Godisnji obracun", "OBRACUN 1 1 0 2023/12"},
      {"Periodicna Poreska amortizacija", "OBRACUN 0 1 1 2024/0"},
      {"Godisnja Racunovodstvena amortizacija", "OBRACUN 1 0 0 2023/12"},
      {"Godisnja Poreska amortizacija", "OBRACUN 0 1 0 2023/12"},
      {"Periodicna Racunovodstvena amortizacija", "OBRACUN 1 0 1 2024/0"},
  };
  for (const auto& [command, expected] : cases) {
    recorded_.calls.clear();
    ASSERT_TRUE(run(command));
    EXPECT_EQ(recorded_.calls, (std::vector<std::string>{expected})) << command;
  }
  program().NMESECI = 5;  // an earlier periodic calculation's months stay
  recorded_.calls.clear();
  run("Periodicni obracun");
  EXPECT_EQ(recorded_.calls.front(), "OBRACUN 1 1 1 2024/5");
}

TEST_F(Calculations, OpeningADocumentDispatchesOnKindAndDescription) {
  addEmptyResult("A202312P.dbf");
  addEmptyResult("A202312R.dbf");
  nav().UcitajObracune();
  showSection("Obracuni");
  for (int row = 0; row < 6; ++row) {
    nav().setCurrentRow(row);
    nav().sgSpisakOnDblClick();
  }
  nav().setCurrentRow(2);
  run("Odabrani obrazac");
  run("Nalog za knjizenje (CSV)");
  EXPECT_EQ(recorded_.calls,
            (std::vector<std::string>{"print OPA A202312P.dbf", "print OA A202312P.dbf",
                                      "print POA A202312P.dbf", "print Evidencija2019 A202312P.dbf",
                                      "print ORA A202312R.dbf", "print Nalog A202312R.dbf",
                                      "print POA A202312P.dbf", "print NalogCsv A202312P.dbf"}));
}

TEST_F(Calculations, MissingDocumentFileIsReported) {
  addEmptyResult("A202312R.dbf");
  nav().UcitajObracune();
  showSection("Obracuni");
  fs::remove("DBF/A202312R.dbf");
  run("Stampaj");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "error: Ne postoji fajl A202312R.dbf!\rMoguc uzrok: Fajl je obrisan "
                           "od strane drugog operatera."}));
  EXPECT_TRUE(recorded_.calls.empty());
}

TEST_F(Calculations, DeleteErasesTheTableAndRebuildsTheList) {
  addEmptyResult("A202312R.dbf");
  nav().UcitajObracune();
  showSection("Obracuni");
  ui().yes();
  run("Brisi obracun");
  EXPECT_EQ(dialogs(), (std::vector<std::string>{
                           "confirmation: Sigurno brisete Godisnji obracun Racunovodstvene "
                           "amortizacije?\rGodina: 2023 / Meseci: 12\rBaza podataka: "
                           "A202312R.dbf -> Yes"}));
  EXPECT_FALSE(fs::exists("DBF/A202312R.dbf"));
  EXPECT_TRUE(program().AOBRACUNI.empty());
}

TEST_F(Calculations, DeleteOfATableInUseIsRefused) {
  addEmptyResult("A202312R.dbf");
  nav().UcitajObracune();
  showSection("Obracuni");
  auto held = store::DbfTable::open("DBF/A202312R.dbf", {.shared = false});  // another operator
  ASSERT_TRUE(held);
  ui().yes();
  run("Brisi obracun");
  EXPECT_EQ(dialogs().back(),
            "error: Godisnji obracun Racunovodstvene amortizacije nije obrisan.\r"
            "Moguc uzrok: Baza je u upotrebi od strane drugog operatera.");
  EXPECT_TRUE(fs::exists("DBF/A202312R.dbf"));
  EXPECT_EQ(program().AOBRACUNI.size(), 2u) << "the statement and the booking note";
}

}  // namespace
}  // namespace kavrina::test
