// The program's settings keys: defaults when nothing is stored, the data-version key of a
// company, and the companion file.
#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kavrina::settings {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

TEST(SettingsKeys, EmptyFolderGivesEveryDefault) {
  TempDir dir;
  IniFiles files(dir.path());
  EXPECT_TRUE(read(files, kPosaljiErrorFajl));
  EXPECT_TRUE(read(files, kBezUpitaPosaljiErrorFajl));
  EXPECT_TRUE(read(files, kProveraNoveVerzije));
  EXPECT_EQ(read(files, kFontName), "Arial");
  EXPECT_EQ(read(files, kFontSize), 8.0);
  EXPECT_TRUE(read(files, kCentriranje));
  EXPECT_FALSE(read(files, kAgencijskiMod));
  EXPECT_TRUE(read(files, kUcitajSpisak));
  EXPECT_TRUE(read(files, kIzborStampaca));
  EXPECT_EQ(read(files, kPaPocetak), 1.0);
  EXPECT_EQ(read(files, kPaKraj), 1.0);
  EXPECT_TRUE(read(files, kPaKodOtpisa));
  EXPECT_FALSE(read(files, kPaKorekcija));
  EXPECT_EQ(read(files, kProsecnaZaradaX5), 0.0);
  EXPECT_EQ(read(files, kServerHost), "");
  EXPECT_EQ(read(files, kServerPort), 21.0);
  EXPECT_EQ(read(files, kCompanionNaziv), "Velmar");
  EXPECT_EQ(readDataVersion(files, ""), "0.00");
  // Reading never creates a file.
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SettingsKeys, SettingsFormValuesAreWrittenUnderTheirKeys) {
  TempDir dir;
  IniFiles files(dir.path());
  ASSERT_TRUE(write(files, kFontName, std::string("Courier New")));
  ASSERT_TRUE(write(files, kFontSize, 9.0));
  ASSERT_TRUE(write(files, kPaKorekcija, true));
  ASSERT_TRUE(write(files, kProsecnaZaradaX5, 512345.5));
  EXPECT_EQ(readFileBytes(dir / "Kavrina.ini"),
            "[Programska podesavanja]\nFont-Name=Courier New\nFont-Size=9\n"
            "PA-korekcija=.T.\nProsecnaZaradaX5=512345.50\n");
}

TEST(SettingsKeys, DataVersionKeyOfACompanyKeepsTheBackslash) {
  EXPECT_EQ(versionKey(""), "Verzija");
  EXPECT_EQ(versionKey("001/"), "Verzija(001\\)");
  EXPECT_EQ(versionKey("003\\"), "Verzija(003\\)");

  TempDir dir;
  IniFiles files(dir.path());
  ASSERT_TRUE(writeDataVersion(files, "001/", "1.07"));
  ASSERT_TRUE(writeDataVersion(files, "", "1.06"));
  EXPECT_EQ(readFileBytes(dir / "Kavrina.ini"), "[Program]\nVerzija(001\\)=1.07\nVerzija=1.06\n");
  EXPECT_EQ(readDataVersion(files, "001/"), "1.07");
  EXPECT_EQ(readDataVersion(files, ""), "1.06");
  EXPECT_EQ(readDataVersion(files, "002/"), "0.00");
}

TEST(SettingsKeys, DataVersionWrittenByWindowsIsFound) {
  TempDir dir;
  writeFileBytes(dir / "KAVRINA.INI", "[PROGRAM]\r\nVERZIJA(001\\)=1.05\r\nVerzija=1.06\r\n");
  IniFiles files(dir.path());
  EXPECT_EQ(readDataVersion(files, "001/"), "1.05");
  EXPECT_EQ(readDataVersion(files, ""), "1.06");
}

TEST(SettingsKeys, CompanionFileSeedsTheOwnCompany) {
  TempDir dir;
  IniFiles files(dir.path());
  EXPECT_EQ(read(files, kCompanionMesto), std::string(kMakerPlace));
  std::filesystem::create_directory(dir / "INI_LST");
  writeFileBytes(dir / "INI_LST" / "VEKA.ini", "[Firma]\r\nNaziv=Moja firma\r\n");
  EXPECT_EQ(read(files, kCompanionNaziv), "Moja firma");
}

TEST(SettingsKeys, SwVerIsReadFromItsOwnFile) {
  TempDir dir;
  writeFileBytes(dir / "sw_ver.ini", "[Kavrina]\nverzija=1.08\ndatum=01.12.2023\n");
  IniFiles files(dir.path());
  EXPECT_EQ(files.read(kSectionSwVer, kSwVerVerzija, kStartVerzijaDefault, kSwVerFile), "1.08");
  EXPECT_EQ(files.read(kSectionSwVer, kSwVerDatum, kStartDatumDefault, kSwVerFile), "01.12.2023");
  EXPECT_EQ(files.read(kSectionSwVer, kSwVerInfo, "", kSwVerFile), "");
  EXPECT_EQ(files.read(kSectionSwVer, kSwVerVerzija, kStartVerzijaDefault), "X.XX");
}

}  // namespace
}  // namespace kavrina::settings
