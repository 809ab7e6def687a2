// Reading a register from CSV text: encodings, separators, the header, numbers with their
// marks, dates, groups, accounts, and the bad rows listed with line and column.
#include "import/asset_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/windows_1250.h"

namespace kavrina::import {
namespace {

std::vector<std::string> described(const AssetCsv& csv) {
  std::vector<std::string> lines;
  for (const BadRow& bad : csv.bad) lines.push_back(describe(bad));
  return lines;
}

// The one asset of a file with the given header and row.
store::AssetRecord onlyAsset(const std::string& header, const std::string& row) {
  const AssetCsv csv = readAssetCsv(header + "\n" + row + "\n", Clock().today());
  EXPECT_TRUE(csv.bad.empty()) << ::testing::PrintToString(described(csv));
  EXPECT_EQ(csv.rows.size(), 1u);
  return csv.rows.empty() ? store::AssetRecord{} : csv.rows.front().asset;
}

// The account as the form shows it.
std::string konto(const store::AssetRecord& asset) {
  return reg::kontoText(asset.Konto, asset.DuzKonta);
}

TEST(AssetCsv, BothEncodingsAndBothSeparatorsGiveTheSameAssets) {
  const std::string utf8Comma =
      "InvBr,Naziv,DatumN,RAOsn,PAOsn,IspVr,PKVT,RAStopa,RAtip,PAgrupa,Kolicina,ODeo,Konto,"
      "Dobavljac,Dokument,DatumO\n"
      "17,\u010Ca\u0161a \u017Eu\u0107\u0111,15.03.2020,\"1,234,567.89\",1000.5,100,10,"
      "12.5,2,III,3,7,0201,\"Dobavlja\u010D, d.o.o.\",Racun 5/2020,\n"
      "18,sto,2019-12-31,99.99,,,,,,,,,,,,31.12.2022\n";
  const std::string utf8Semicolon =
      "invbr;NAZIV;datumn;raosn;paosn;ispvr;pkvt;rastopa;ratip;pagrupa;kolicina;odeo;konto;"
      "dobavljac;dokument;datumo\r\n"
      "17;\u010Ca\u0161a \u017Eu\u0107\u0111;15.03.2020;1.234.567,89;1000,5;100;10;12,5;2;3;3;"
      "7;0201;Dobavlja\u010D, d.o.o.;Racun 5/2020;\r\n"
      "18;sto;31.12.2019.;99,99;;;;;;;;;;;;2022-12-31\r\n";
  const AssetCsv a = readAssetCsv(utf8Comma, Clock().today());
  const AssetCsv b = readAssetCsv(*win1250::fromUtf8(utf8Semicolon), Clock().today());
  ASSERT_TRUE(a.bad.empty()) << ::testing::PrintToString(described(a));
  ASSERT_TRUE(b.bad.empty()) << ::testing::PrintToString(described(b));
  EXPECT_FALSE(a.windows1250);
  EXPECT_TRUE(b.windows1250);
  EXPECT_EQ(a.separator, ',');
  EXPECT_EQ(b.separator, ';');
  ASSERT_EQ(a.rows.size(), 2u);
  ASSERT_EQ(b.rows.size(), 2u);
  for (const AssetCsv* csv : {&a, &b}) {
    const store::AssetRecord& v = csv->rows[0].asset;
    EXPECT_EQ(v.InvBr, "17");
    EXPECT_EQ(v.Naziv, "\u010Ca\u0161a \u017Eu\u0107\u0111");
    EXPECT_EQ(v.DatumN, Date::fromYmd(2020, 3, 15));
    EXPECT_DOUBLE_EQ(v.RAOsn, 1234567.89);
    EXPECT_DOUBLE_EQ(v.PAOsn, 1000.5);
    EXPECT_DOUBLE_EQ(v.IspVr, 100);
    EXPECT_DOUBLE_EQ(v.PKVT, 10);
    EXPECT_DOUBLE_EQ(v.RAStopa, 12.5);
    EXPECT_EQ(v.RAtip, 2);
    EXPECT_EQ(v.PAgrupa, 3);
    EXPECT_DOUBLE_EQ(v.Kolicina, 3);
    EXPECT_DOUBLE_EQ(v.ODeo, 7);
    EXPECT_EQ(konto(v), "0201");
    EXPECT_EQ(v.Dobavljac, "Dobavlja\u010D, d.o.o.");
    EXPECT_EQ(v.Dokument, "Racun 5/2020");
    EXPECT_TRUE(v.DatumO.empty());
    // The second row: the form's values for a new asset where the cells are empty, the
    // first letter of the name in upper case as the form's picture makes it.
    const store::AssetRecord& w = csv->rows[1].asset;
    EXPECT_EQ(w.Naziv, "Sto");
    EXPECT_EQ(w.DatumN, Date::fromYmd(2019, 12, 31));
    EXPECT_EQ(w.DatumO, Date::fromYmd(2022, 12, 31));
    EXPECT_EQ(w.RAtip, 1);
    EXPECT_EQ(w.PAgrupa, 1);
    EXPECT_DOUBLE_EQ(w.Kolicina, 1);
    EXPECT_EQ(w.Konto, 0);
    EXPECT_EQ(w.DuzKonta, 0);
    EXPECT_EQ(csv->rows[1].line, 3);
  }
}

struct NumberCase {
  const char* name;
  const char* file;  // the header and rows; the last row's RAOsn is checked
  double expected;
};

class AssetCsvNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(AssetCsvNumbers, ReadsTheAmount) {
  const AssetCsv csv = readAssetCsv(GetParam().file, Clock().today());
  ASSERT_TRUE(csv.bad.empty()) << ::testing::PrintToString(described(csv));
  ASSERT_FALSE(csv.rows.empty());
  EXPECT_DOUBLE_EQ(csv.rows.back().asset.RAOsn, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, AssetCsvNumbers,
    ::testing::Values(
        NumberCase{"PointGroupsCommaDecimal",
                   "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;1.234.567,5\n", 1234567.5},
        NumberCase{"CommaGroupsPointDecimal",
                   "InvBr,Naziv,DatumN,RAOsn\n1,a,1.1.2020,\"1,234.5\"\n", 1234.5},
        NumberCase{"BlankGroups", "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;1 234 567,25\n",
                   1234567.25},
        NumberCase{"NoBreakSpaceGroups", "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;12\u00A0345,5\n",
                   12345.5},
        NumberCase{"PointsOnlyGroup", "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;1.234.567\n",
                   1234567},
        // "1.234" alone: a semicolon file's decimal mark is the comma, so the point groups.
        NumberCase{"LonePointInSemicolonFile", "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;1.234\n",
                   1234},
        // The same in a comma file: the point is the decimal mark.
        NumberCase{"LonePointInCommaFile", "InvBr,Naziv,DatumN,RAOsn\n1,a,1.1.2020,1.234\n", 1.234},
        // Another number of the file shows its decimal mark: "12.50" makes "1.234" decimal
        // even in a semicolon file.
        NumberCase{"FileShowsItsMark",
                   "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;12.50\n2;b;1.1.2020;1.234\n", 1.234},
        NumberCase{"LeadingZeroIsDecimal", "InvBr;Naziv;DatumN;RAOsn\n1;a;1.1.2020;0.500\n", 0.5},
        NumberCase{"ExportedThreeDecimals", "InvBr,Naziv,DatumN,RAOsn\n1,a,1.1.2020,1000.000\n",
                   1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AssetCsv, EveryBadValueIsListedWithItsLineAndColumnAndNothingIsKept) {
  const std::string file =
      "InvBr;Naziv;DatumN;RAOsn;PAgrupa;PAStopa;RAtip;DatumO;Konto;IspVr;Kolicina\n"
      "1;Dobar;01.01.2020;100;1;2,5;1;;;;\n"
      "0;Nula;01.01.2020;100;;;;;;;\n"                 // 3: InvBr 0
      "A12;Slovo;01.01.2020;100;;;;;;;\n"              // 4: not a number
      "5;Datum;31.02.2020;100;;;;;;;\n"                // 5: no such day
      "6;Iznos;01.01.2020;1,2,3;;;;;;;\n"              // 6: bad grouping
      "7;Grupa;01.01.2020;100;VI;;;;;;\n"              // 7: no group VI
      "8;Stopa;01.01.2020;100;2;15;;;;;\n"             // 8: rate of group 3
      "9;Metod;01.01.2020;100;;;5;;;;\n"               // 9: method 5 of 4
      "10;Otpis;01.06.2020;100;;;;01.01.2020;;;\n"     // 10: written off before
      "11;Konto;01.01.2020;100;;;;;12a;;\n"            // 11: account not digits
      "12;Ispravka;01.01.2020;100;;;;;;100,01;\n"      // 12: above the base
      "13;Kolicina;01.01.2020;100;;;;;;;10000\n"       // 13: beyond 9999
      "1;Ponovo;01.01.2020;100;;;;;;;\n"               // 14: repeats line 2
      "15;Negativ;01.01.2020;-100;;;;;;;\n"            // 15: negative
      "16;Decimale;01.01.2020;100,0001;;;;;;;\n"       // 16: four decimals
      "17;Kratak;01.01.2020\n"                         // 17: too few columns
      "18;\u0416\u0443\u043A;01.01.2020;100;;;;;;;\n"  // 18: Cyrillic
      "19;Ovo ime je mnogo duze od trideset slova;01.01.2020;100;;;;;;;\n"  // 19
      "20;Prazno;01.01.2020;;;;;;;;\n";                                     // 20: no base
  const AssetCsv csv = readAssetCsv(file, Clock().today());
  EXPECT_EQ(described(csv),
            (std::vector<std::string>{
                "Red 3, kolona InvBr: inventarski broj ne moze biti 0",
                "Red 4, kolona InvBr: inventarski broj mora biti ceo broj: \"A12\"",
                "Red 5, kolona DatumN: pogresan datum (dd.mm.yyyy ili yyyy-mm-dd): \"31.02.2020\"",
                "Red 6, kolona RAOsn: nije iznos: \"1,2,3\"",
                "Red 7, kolona PAgrupa: poreska grupa mora biti od 1 do 5 (ili I do V): \"VI\"",
                "Red 8, kolona PAStopa: stopa 15.000 nije stopa grupe 2 (10.0)",
                "Red 9, kolona RAtip: prevelika vrednost (najvise 4): \"5\"",
                "Red 10, kolona DatumO: datum otpisa 01.01.2020 je pre datuma nabavke 01.06.2020",
                "Red 11, kolona Konto: konto je broj od najvise 10 cifara: \"12a\"",
                "Red 12, kolona IspVr: Ispravka vrednosti je veca od Racunovodstvene osnovice",
                "Red 13, kolona Kolicina: prevelika vrednost (najvise 9999): \"10000\"",
                "Red 14, kolona InvBr: inventarski broj 1 vec postoji u redu 2",
                "Red 15, kolona RAOsn: negativna vrednost: \"-100\"",
                "Red 16, kolona RAOsn: previse decimala (najvise 3): \"100,0001\"",
                "Red 17: red ima 3 kolona, a zaglavlje 11",
                "Red 18, kolona Naziv: znak \"\u0416\" ne moze da se upise u bazu podataka",
                "Red 19, kolona Naziv: tekst je duzi od 30 znakova: \"Ovo ime je mnogo duze od "
                "trideset slova\"",
                "Red 20, kolona RAOsn: nije upisana Racunovodstvena osnovica",
            }));
  ASSERT_EQ(csv.rows.size(), 1u) << "only the good row stays";
  EXPECT_EQ(csv.rows[0].line, 2);
}

TEST(AssetCsv, TheHeaderRefusesTheWholeFile) {
  EXPECT_EQ(
      described(
          readAssetCsv("InvBr,Naziv,DatumN,RAOsn,Boja\n1,a,1.1.2020,5,crvena\n", Clock().today())),
      std::vector<std::string>{"Red 1: nepoznata kolona \"Boja\" (kolone su polja tabele MDOS)"});
  EXPECT_EQ(described(readAssetCsv("InvBr;Naziv;DatumN;RAOsn;naziv\n", Clock().today())),
            std::vector<std::string>{"Red 1: kolona Naziv se ponavlja"});
  EXPECT_EQ(
      described(readAssetCsv("\n\nNaziv;DatumN\n1;2\n", Clock().today())),
      (std::vector<std::string>{"Red 3: nedostaje kolona InvBr", "Red 3: nedostaje kolona RAOsn"}));
  EXPECT_EQ(described(readAssetCsv("InvBr;Naziv;DatumN;RAOsn\n", Clock().today())),
            std::vector<std::string>{"Red 1: fajl nema nijedno sredstvo"});
  EXPECT_EQ(described(readAssetCsv("", Clock().today())),
            std::vector<std::string>{"Red 1: fajl je prazan (prvi red treba da nabroji kolone)"});
}

TEST(AssetCsv, QuotedValuesMayHoldSeparatorsAndQuotesButNoLineBreak) {
  const AssetCsv csv = readAssetCsv(
      "InvBr,Naziv,DatumN,RAOsn,Dokument\n"
      "1,\"Sto, \"\"hrast\"\"\",1.1.2020,5,\"dva\nreda\"\n"
      "\n"
      "2,b,1.1.2020,x,\n"
      "3,\"Sto; \"\"bor\"\"\",1.1.2020,5,\n",
      Clock().today());
  // Lines count the break inside the quotes and the empty line.
  EXPECT_EQ(described(csv),
            (std::vector<std::string>{
                "Red 2, kolona Dokument: tekst sadrzi prelom reda ili tabulator: \"dva\nreda\"",
                "Red 5, kolona RAOsn: nije iznos: \"x\""}));
  ASSERT_EQ(csv.rows.size(), 1u);
  EXPECT_EQ(csv.rows[0].asset.Naziv, "Sto; \"bor\"");
  EXPECT_EQ(csv.rows[0].line, 6);
}

TEST(AssetCsv, GroupsAccountsAndTrailingCells) {
  EXPECT_EQ(onlyAsset("InvBr;Naziv;DatumN;RAOsn;PAgrupa", "1;a;1.1.2020;5;iv").PAgrupa, 4);
  EXPECT_EQ(onlyAsset("InvBr;Naziv;DatumN;RAOsn;PAgrupa", "1;a;1.1.2020;5;V").PAgrupa, 5);
  // An account exported with its digit count comes back with its leading zeros.
  EXPECT_EQ(konto(onlyAsset("InvBr,Naziv,DatumN,RAOsn,Konto,DuzKonta", "1,a,1.1.2020,5,201,4")),
            "0201");
  EXPECT_EQ(konto(onlyAsset("InvBr,Naziv,DatumN,RAOsn,Konto,DuzKonta", "1,a,1.1.2020,5,0,0")), "0");
  // A spreadsheet's empty cells after the last column do not count.
  EXPECT_EQ(onlyAsset("InvBr;Naziv;DatumN;RAOsn", "007;a;1.1.2020;5;;;").InvBr, "7");
  const AssetCsv shortAccount = readAssetCsv(
      "InvBr,Naziv,DatumN,RAOsn,Konto,DuzKonta\n1,a,1.1.2020,5,20123,3\n", Clock().today());
  EXPECT_EQ(described(shortAccount),
            std::vector<std::string>{"Red 2, kolona DuzKonta: konto 20123 ima vise cifara od 3"});
}

}  // namespace
}  // namespace kavrina::import
