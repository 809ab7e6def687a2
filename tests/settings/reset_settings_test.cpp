// The reset of the program settings keeps what is not a program setting.
#include <gtest/gtest.h>

#include "settings/form/settings_form_values.h"
#include "settings/ini_files.h"
#include "support/temp_dir.h"

namespace kavrina::test {
namespace {

TEST(ResetSettings, KeepsTheServerOfUpdatesAndTheDataVersion) {
  TempDir dir;
  settings::IniFiles files(dir.path());
  writeFileBytes(files.pathOf(),
                 "[Programska podesavanja]\nAgencijski mod=.T.\n[Server]\nHost=127.0.0.1\nPort=2121\n"
                 "[Program]\nVerzija=1.06\n");
  settings::resetSettings(files, "", "1.07");
  EXPECT_EQ(files.readText("Server", "Host"), "127.0.0.1");
  EXPECT_EQ(files.readText("Server", "Port"), "2121");
  EXPECT_EQ(files.readText("Program", "Verzija"), "1.07");
  EXPECT_EQ(files.readText("Programska podesavanja", "Agencijski mod"), "");
}

}  // namespace
}  // namespace kavrina::test
