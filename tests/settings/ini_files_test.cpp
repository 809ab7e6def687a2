// READINI / WRITEINI against real files: typed reads of stored text, defaults, round trips,
// case-insensitive names and the files in subfolders.
#include "settings/ini_files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kavrina::settings {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

class IniFilesTest : public ::testing::Test {
 protected:
  // A main settings file holding exactly `body`.
  void storeMain(const std::string& body) { writeFileBytes(dir_ / "Kavrina.ini", body); }
  std::string value(const std::string& stored) {
    storeMain("[S]\nK=" + stored + "\n");
    return files_.readText("S", "K");
  }

  TempDir dir_;
  IniFiles files_{dir_.path()};
};

TEST_F(IniFilesTest, EmptyValueReadsTheDefaultLikeAMissingKey) {
  storeMain("[S]\nText=\nNumber=\nDate=\nFlag=\n");
  for (const char* key : {"Text", "Missing"}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(files_.read("S", key, "Arial"), "Arial");
    EXPECT_EQ(files_.read("S", key, 8), 8.0);
    EXPECT_EQ(files_.read("S", key, true), true);
    EXPECT_EQ(files_.read("S", key, Date::fromYmd(2023, 10, 16)), Date::fromYmd(2023, 10, 16));
  }
  EXPECT_EQ(files_.read("S", "Number", 2.5), 2.5);
  EXPECT_EQ(files_.read("S", "Date", Date::fromYmd(2020, 1, 2)), Date::fromYmd(2020, 1, 2));
  EXPECT_TRUE(files_.read("S", "Flag", true));
  EXPECT_EQ(files_.read("Other", "Text", "x"), "x");
}

TEST_F(IniFilesTest, MissingFileReadsTheDefault) {
  EXPECT_EQ(files_.read("S", "K", "def"), "def");
  EXPECT_EQ(files_.read("S", "K", "def", "sw_ver"), "def");
}

TEST_F(IniFilesTest, LogicalIsTrueOnlyForExactlyDotTDot) {
  const struct {
    const char* stored;
    bool expected;
  } rows[] = {{".T.", true},   {".F.", false}, {"T", false},   {".t.", false},
              {"true", false}, {"1", false},   {".T.x", false}};
  for (const auto& row : rows) {
    storeMain(std::string("[S]\nK=") + row.stored + "\n");
    EXPECT_EQ(files_.read("S", "K", true), row.expected) << row.stored;
    EXPECT_EQ(files_.read("S", "K", false), row.expected) << row.stored;
  }
}

TEST_F(IniFilesTest, NumberIsReadFromTheStartOfTheText) {
  const struct {
    const char* stored;
    double expected;
  } rows[] = {{"8px", 8},         {"abc", 0},  {"-12.5", -12.5},
              {"+3", 3},          {".5", 0.5}, {"1,5", 1},
              {"10.25.3", 10.25}, {"px8", 0},  {"1234567.89", 1234567.89}};
  for (const auto& row : rows) {
    storeMain(std::string("[S]\nK=") + row.stored + "\n");
    EXPECT_EQ(files_.read("S", "K", 99), row.expected) << row.stored;
  }
}

TEST_F(IniFilesTest, DateInAnotherFormatReadsEmpty) {
  const struct {
    const char* stored;
    Date expected;
  } rows[] = {{"16.10.2023", Date::fromYmd(2023, 10, 16)},
              {"1.2.2024", Date::fromYmd(2024, 2, 1)},
              {"2023-10-16", Date()},
              {"10/16/2023", Date()},
              {"16.10.23", Date()},
              {"31.02.2023", Date()},
              {"xx.xx.xxxx", Date()}};
  for (const auto& row : rows) {
    storeMain(std::string("[S]\nK=") + row.stored + "\n");
    EXPECT_EQ(files_.read("S", "K", Date::fromYmd(2000, 1, 1)), row.expected) << row.stored;
  }
}

TEST_F(IniFilesTest, TextDefaultGivesTheTextUnchanged) {
  EXPECT_EQ(value("8px"), "8px");
  storeMain("[S]\nK=.T.\n");
  EXPECT_EQ(files_.read("S", "K", ".F."), ".T.");
}

TEST_F(IniFilesTest, WrittenValuesUseTheStoredForms) {
  ASSERT_TRUE(files_.write("S", "Flag", true));
  ASSERT_TRUE(files_.write("S", "Off", false));
  ASSERT_TRUE(files_.write("S", "Int", 8));
  ASSERT_TRUE(files_.write("S", "Half", -1234.5));
  ASSERT_TRUE(files_.write("S", "Tenth", 0.1));
  ASSERT_TRUE(files_.write("S", "Big", 12345678901.25));
  ASSERT_TRUE(files_.write("S", "Date", Date::fromYmd(2023, 3, 5)));
  ASSERT_TRUE(files_.write("S", "Text", "Times New Roman"));
  const struct {
    const char* key;
    const char* stored;
  } rows[] = {{"Flag", ".T."},        {"Off", ".F."},
              {"Int", "8"},           {"Half", "-1234.5"},
              {"Tenth", "0.1"},       {"Big", "12345678901.25"},
              {"Date", "05.03.2023"}, {"Text", "Times New Roman"}};
  for (const auto& row : rows) EXPECT_EQ(files_.readText("S", row.key), row.stored) << row.key;
  // And they read back as what was written.
  EXPECT_TRUE(files_.read("S", "Flag", false));
  EXPECT_FALSE(files_.read("S", "Off", true));
  EXPECT_EQ(files_.read("S", "Half", 0), -1234.5);
  EXPECT_EQ(files_.read("S", "Date", Date()), Date::fromYmd(2023, 3, 5));
}

TEST_F(IniFilesTest, WriteKeepsTheOtherSectionsAndKeys) {
  storeMain("[Opste]\nPosalji error fajl=.F.\n[Programska podesavanja]\nFont-Name=Courier\n");
  ASSERT_TRUE(files_.write("Programska podesavanja", "Font-Size", 10));
  ASSERT_TRUE(files_.write("Novi", "Kljuc", "v"));
  EXPECT_EQ(files_.readText("Opste", "Posalji error fajl"), ".F.");
  EXPECT_EQ(files_.readText("Programska podesavanja", "Font-Name"), "Courier");
  EXPECT_EQ(files_.readText("Programska podesavanja", "Font-Size"), "10");
  EXPECT_EQ(files_.readText("Novi", "Kljuc"), "v");
}

TEST_F(IniFilesTest, SectionAndKeyNamesIgnoreCase) {
  storeMain("[OPSTE]\nposalji ERROR fajl=.T.\n");
  EXPECT_TRUE(files_.read("Opste", "Posalji error fajl", false));
  ASSERT_TRUE(files_.write("opste", "POSALJI error FAJL", false));
  EXPECT_FALSE(files_.read("Opste", "Posalji error fajl", true));
  // One key, not two spellings of it.
  std::string bytes = readFileBytes(dir_ / "Kavrina.ini");
  EXPECT_EQ(bytes.find("=.T."), std::string::npos) << bytes;
}

TEST_F(IniFilesTest, FileNamesAreFoundInAnyCase) {
  writeFileBytes(dir_ / "KAVRINA.INI", "[S]\nK=upper\n");
  EXPECT_EQ(files_.read("S", "K", ""), "upper");
  ASSERT_TRUE(files_.write("S", "K", "changed"));
  EXPECT_EQ(readFileBytes(dir_ / "KAVRINA.INI").find("K=changed") != std::string::npos, true);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Kavrina.ini"));
}

TEST_F(IniFilesTest, MissingFileIsCreatedWithItsDocumentedName) {
  ASSERT_TRUE(files_.write("Programska podesavanja", "Agencijski mod", true));
  EXPECT_EQ(readFileBytes(dir_ / "Kavrina.ini"), "[Programska podesavanja]\nAgencijski mod=.T.\n");
}

TEST_F(IniFilesTest, SubfolderNamesWithBackslashOrSlash) {
  std::filesystem::create_directory(dir_ / "ini_lst");
  writeFileBytes(dir_ / "ini_lst" / "Veka.INI",
                 "[Firma]\nNaziv=Agencija Plus\nMesto=Novi Sad / Sifra Opstine: 80462\n");
  EXPECT_EQ(files_.read("Firma", "Naziv", "Velmar", "INI_LST\\VEKA"), "Agencija Plus");
  EXPECT_EQ(files_.read("Firma", "Mesto", "", "INI_LST/VEKA"), "Novi Sad / Sifra Opstine: 80462");
  EXPECT_EQ(files_.pathOf("INI_LST\\VEKA"), dir_.path() / "ini_lst" / "Veka.INI");
}

TEST_F(IniFilesTest, MainFileTakesItsNameFromTheProgram) {
  IniFiles other(dir_.path(), "kavrina-cli");
  EXPECT_EQ(other.pathOf(), dir_.path() / "kavrina-cli.ini");
  EXPECT_EQ(files_.pathOf(), dir_.path() / "Kavrina.ini");
  EXPECT_EQ(files_.pathOf("sw_ver"), dir_.path() / "sw_ver.ini");
}

TEST_F(IniFilesTest, LineBreaksInATextDoNotStartNewKeys) {
  ASSERT_TRUE(files_.write("S", "K", "a\r\nInjected=.T."));
  EXPECT_EQ(files_.readText("S", "Injected"), "");
  EXPECT_EQ(files_.readText("S", "K"), "a  Injected=.T.");
}

TEST_F(IniFilesTest, TextsAWindowsProgramWroteAreReadAsWindows1250) {
  writeFileBytes(dir_ / "VEKA.ini",
                 "[Firma]\nNaziv=\xC8"
                 "a\xE8"
                 "ak promet\nMesto=Ni\x9A\n");
  EXPECT_EQ(files_.readText("Firma", "Naziv", "VEKA"), "Čačak promet");
  EXPECT_EQ(files_.readText("Firma", "Mesto", "VEKA"), "Niš");
  storeMain("[S]\nK=Čačak\n");  // what the program itself writes: UTF-8, taken as it is
  EXPECT_EQ(files_.readText("S", "K"), "Čačak");
}

TEST_F(IniFilesTest, UnreadableFileIsNotReplaced) {
  // A folder where the file should be: the write must fail rather than pretend.
  std::filesystem::create_directory(dir_ / "Kavrina.ini");
  EXPECT_FALSE(files_.write("S", "K", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Kavrina.ini"));
  EXPECT_EQ(files_.read("S", "K", "def"), "def");
}

TEST_F(IniFilesTest, WriteIntoAMissingSubfolderFails) {
  EXPECT_FALSE(files_.write("Firma", "Naziv", "x", "INI_LST\\VEKA"));
}

TEST(ProgramSettings, ReadiniAndWriteiniUseTheNamedFolder) {
  TempDir dir;
  useSettingsFolder(dir.path());
  WRITEINI("Programska podesavanja", "Font-Size", 10);
  WRITEINI("Programska podesavanja", "Font-Name", std::string("Courier"));
  EXPECT_EQ(READINI("Programska podesavanja", "Font-Size", 8), 10.0);
  EXPECT_EQ(READINI("Programska podesavanja", "Font-Name", "Arial"), "Courier");
  EXPECT_EQ(READINI("Programska podesavanja", "Agencijski mod", false), false);
  EXPECT_TRUE(std::filesystem::exists(dir / "Kavrina.ini"));
  useSettingsFolder(".");
}

}  // namespace
}  // namespace kavrina::settings
