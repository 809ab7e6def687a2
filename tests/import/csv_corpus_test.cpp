// Hostile and broken CSV files: each is refused with its message (line and column where
// there is one), never read as something else, and never with more memory than the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/clock.h"
#include "import/asset_csv.h"
#include "import/csv_file.h"
#include "support/temp_dir.h"

namespace kavrina::import {
namespace {

const std::string kHeader = "InvBr;Naziv;DatumN;RAOsn;Dokument\n";

std::string allBad(const AssetCsv& csv) {
  std::string text;
  for (const BadRow& bad : csv.bad) text += describe(bad) + "\n";
  return text;
}

struct Refused {
  const char* name;
  std::string text;
  std::string message;  // what the one bad row says
};

class CsvCorpus : public ::testing::TestWithParam<Refused> {};

TEST_P(CsvCorpus, IsRefusedWithItsMessageAndNoAsset) {
  const AssetCsv csv = readAssetCsv(GetParam().text, Clock().today());
  EXPECT_TRUE(csv.rows.empty());
  ASSERT_EQ(csv.bad.size(), 1u) << allBad(csv);
  EXPECT_EQ(describe(csv.bad.front()), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvCorpus,
    ::testing::Values(
        Refused{"InvalidByteAmongUtf8Letters",
                kHeader + "1;\u010Ca\u010Dak;01.02.2024;10;\n2;Ni\xE8;01.02.2024;10;\n",
                "Red 3: bajt 0xE8 u koloni 5 nije UTF-8, a fajl sadrzi UTF-8 slova; sacuvajte "
                "ga ponovo kao UTF-8"},
        Refused{"LineLongerThanAnyRow", kHeader + std::string(50'000'000, ';') + "\n",
                "Red 2: red je duzi od 16384 bajtova, sto nijedan red registra ne moze biti"},
        Refused{"HyperlinkFormula",
                kHeader + "1;\"=HYPERLINK(\"\"http://x\"\";\"\"a\"\")\";01.02.2024;10;\n",
                "Red 2, kolona Naziv: tekst ne sme da pocne znakom \"=\" (tako pocinje formula u "
                "tabelarnom programu): \"=HYPERLINK(\"http://x\";\"a\")\""},
        Refused{"CommandFormula", kHeader + "1;Sto;01.02.2024;10;+cmd|' /C calc'!A0\n",
                "Red 2, kolona Dokument: tekst ne sme da pocne znakom \"+\" (tako pocinje formula "
                "u tabelarnom programu): \"+cmd|' /C calc'!A0\""},
        Refused{"MinusFormula", kHeader + "1;-2+3;01.02.2024;10;\n",
                "Red 2, kolona Naziv: tekst ne sme da pocne znakom \"-\" (tako pocinje formula u "
                "tabelarnom programu): \"-2+3\""},
        Refused{"AtFormula", kHeader + "1; @SUM(A1);01.02.2024;10;\n",
                "Red 2, kolona Naziv: tekst ne sme da pocne znakom \"@\" (tako pocinje formula u "
                "tabelarnom programu): \"@SUM(A1)\""},
        Refused{"TabFormula", kHeader + "1;\"\t=1+1\";01.02.2024;10;\n",
                "Red 2, kolona Naziv: tekst ne sme da pocne znakom \"tabulator\" (tako pocinje "
                "formula u tabelarnom programu): \"=1+1\""},
        Refused{"QuoteInsideUnquotedValue", kHeader + "1;Sto 2\" x 3;01.02.2024;10;\n",
                "Red 2: navodnik unutar vrednosti koja ne pocinje navodnikom (kolona 8)"},
        Refused{"TextAfterClosingQuote", kHeader + "1;\"Sto\" x;01.02.2024;10;\n",
                "Red 2: posle zatvorenog navodnika sledi tekst (kolona 9)"},
        Refused{"SixteenDigitInventoryNumber", kHeader + "9007199254740993;Sto;01.02.2024;10;\n",
                "Red 2, kolona InvBr: Inventarski broj 9007199254740993 ima vise od 15 cifara: "
                "indeks registra ne moze tacno da ga zapamti."},
        Refused{"ThirtyDigitInventoryNumber",
                kHeader + "000123456789012345678901234567;Sto;01.02.2024;10;\n",
                "Red 2, kolona InvBr: Inventarski broj 123456789012345678901234567 ima vise od 15 "
                "cifara: indeks registra ne moze tacno da ga zapamti."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvCorpusReading, ANegativeAmountIsANumberNotAFormula) {
  const AssetCsv csv = readAssetCsv(kHeader + "1;Sto;01.02.2024;-10;\n", Clock().today());
  ASSERT_EQ(csv.bad.size(), 1u) << allBad(csv);
  EXPECT_EQ(describe(csv.bad.front()), "Red 2, kolona RAOsn: negativna vrednost: \"-10\"");
}

TEST(CsvCorpusReading, TheEncodingReadIsNamedAndWindows1250OnlyForAFileWithoutUtf8) {
  const AssetCsv utf8 =
      readAssetCsv(kHeader + "1;\u010Ca\u010Dak;01.02.2024;10;\n", Clock().today());
  const AssetCsv cp1250 = readAssetCsv(kHeader +
                                           "1;\xC8"
                                           "a\xE8"
                                           "ak;01.02.2024;10;\n",
                                       Clock().today());
  ASSERT_TRUE(utf8.bad.empty() && cp1250.bad.empty()) << allBad(utf8) << allBad(cp1250);
  EXPECT_EQ(utf8.rows.front().asset.Naziv, "\u010Ca\u010Dak");
  EXPECT_EQ(cp1250.rows.front().asset.Naziv, "\u010Ca\u010Dak");
  EXPECT_EQ(utf8.notes.front(), "Fajl je procitan kao UTF-8.");
  EXPECT_EQ(cp1250.notes.front(), "Fajl je procitan kao Windows-1250.");
}

TEST(CsvCorpusReading, FifteenDigitsAndQuotedQuotesAreKept) {
  const AssetCsv csv = readAssetCsv(
      kHeader + "999999999999999; \"Sto 2\"\" x 3\" ;01.02.2024;10;\n", Clock().today());
  ASSERT_TRUE(csv.bad.empty()) << allBad(csv);
  EXPECT_EQ(csv.rows.front().asset.InvBr, "999999999999999");
  EXPECT_EQ(csv.rows.front().asset.Naziv, "Sto 2\" x 3");
}

TEST(CsvCorpusReading, WithoutATaxBaseColumnTheAccountingBaseIsTakenAndSaidOnce) {
  const AssetCsv without = readAssetCsv(
      "InvBr;Naziv;DatumN;RAOsn;PAgrupa\n"
      "1;Sto;01.02.2024;10;2\n2;Stolica;01.02.2024;20,5;\n",
      Clock().today());
  ASSERT_TRUE(without.bad.empty()) << allBad(without);
  EXPECT_EQ(without.rows[0].asset.PAOsn, 10);
  EXPECT_EQ(without.rows[1].asset.PAOsn, 20.5);
  EXPECT_EQ(without.rows[0].asset.PAgrupa, 2) << "the group stays as the file gives it";
  EXPECT_EQ(without.rows[1].asset.PAgrupa, 1) << "or as the default gives it";
  EXPECT_EQ(without.notes.back(), "PAOsn nije zadat: uzeta je RAOsn za 2 sredstava");

  const AssetCsv with =
      readAssetCsv("InvBr;Naziv;DatumN;RAOsn;PAOsn\n1;Sto;01.02.2024;10;\n", Clock().today());
  ASSERT_TRUE(with.bad.empty()) << allBad(with);
  EXPECT_EQ(with.rows[0].asset.PAOsn, 0) << "an empty cell of a given column stays empty";
  EXPECT_EQ(with.notes.size(), 1u);
}

TEST(CsvFile, WhatIsNotARegularFileOfBoundedSizeIsRefusedWithItsMessage) {
  test::TempDir dir;
  const std::string big = (dir / "veliki.csv").string();
  std::ofstream(big).close();
  std::filesystem::resize_file(big, kMaxCsvBytes + 1);  // sparse: takes no room
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {"/dev/zero",
       "Fajl /dev/zero nije obican fajl sa podacima (uredjaj, cev ili slicno); uvozi se samo CSV "
       "fajl."},
      {dir.path().string(), "Zadat je folder " + dir.path().string() + ", a ne CSV fajl."},
      {(dir / "nema.csv").string(),
       "Fajl " + (dir / "nema.csv").string() + " ne moze da se procita."},
      {big, "Fajl " + big +
                " je veci od 256 MB, sto nijedan registar ne dostize; nista nije "
                "uvezeno."},
  };
  for (const auto& c : cases) {
    std::string bytes;
    EXPECT_EQ(readCsvFile(c.file, bytes), c.message);
    EXPECT_TRUE(bytes.empty()) << c.file;
  }
}

}  // namespace
}  // namespace kavrina::import
