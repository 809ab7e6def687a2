// The reset of the program settings keeps what is not a program setting.
#include <gtest/gtest.h>

#include "settings/ini_files.h"
#include "settings/settings_form_values.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

TEST(ResetSettings, KeepsTheServerOfUpdatesAndTheDataVersion) {
  TempDir dir;
  settings::IniFiles files(dir.path());
  writeFileBytes(
      files.pathOf(),
      "[Programska podesavanja]\nAgencijski mod=.T.\n[Server]\nHost=127.0.0.1\nPort=2121\n"
      "[Program]\nVerzija=1.06\n");
  settings::resetSettings(files, "", "1.07");
  EXPECT_EQ(files.readText("Server", "Host"), "127.0.0.1");
  EXPECT_EQ(files.readText("Server", "Port"), "2121");
  EXPECT_EQ(files.readText("Program", "Verzija"), "1.07");
  EXPECT_EQ(files.readText("Programska podesavanja", "Agencijski mod"), "");
}

TEST(ResetSettings, ALinkedSettingsFileIsResetWhereItLeadsAndStaysALink) {
  TempDir dir, shared;
  writeFileBytes(shared / "Zajednicki.ini",
                 "[Programska podesavanja]\nAgencijski mod=.T.\nFont-Size=12\n"
                 "[Server]\nHost=ftp.example.rs\nPort=2121\n[Program]\nVerzija=1.06\n");
  std::filesystem::create_symlink(shared / "Zajednicki.ini", dir / "Kavrina.ini");
  settings::IniFiles files(dir.path());

  EXPECT_TRUE(settings::resetSettings(files, "001/", "1.07").deleted);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Kavrina.ini")) << "the link stays";
  // The file it leads to holds only the version and the server.
  settings::IniFiles target(shared.path(), "Zajednicki");
  EXPECT_EQ(target.readText("Program", "Verzija(001\\)"), "1.07");
  EXPECT_EQ(target.readText("Program", "Verzija"), "");
  EXPECT_EQ(target.readText("Server", "Host"), "ftp.example.rs");
  EXPECT_EQ(target.readText("Server", "Port"), "2121");
  EXPECT_EQ(readFileBytes(shared / "Zajednicki.ini").find("Programska"), std::string::npos);
}

}  // namespace
}  // namespace kavrina::test
