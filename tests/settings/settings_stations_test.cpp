// The settings file as several stations and a careful user share it: writes at the same
// moment from several processes, and a settings file that is a link the user made.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <vector>

#include "common/fault_injection.h"
#include "errors/error.h"
#include "settings/ini_files.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace kavrina::settings {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

TEST(SettingsStations, WritesOfSeveralStationsAtOnceLoseNothing) {
  TempDir dir;
  writeFileBytes(dir / "Kavrina.ini", "[Program]\nVerzija=1.07\n");
  constexpr int kStations = 4;
  constexpr int kKeys = 40;
  std::vector<pid_t> stations;
  for (int s = 0; s < kStations; ++s)
    stations.push_back(test::startProcess(
        SETTINGS_WRITER,
        {dir.path().string(), "S" + std::to_string(s) + "_", std::to_string(kKeys)}));
  writeFileBytes(dir / "go", "");
  for (pid_t pid : stations) EXPECT_EQ(test::waitProcess(pid), 0) << "every write succeeded";

  const IniFiles files(dir.path());
  int missing = 0;
  for (int s = 0; s < kStations; ++s)
    for (int k = 0; k < kKeys; ++k)
      if (files.readText("Stanice", "S" + std::to_string(s) + "_" + std::to_string(k)) !=
          std::to_string(k))
        ++missing;
  EXPECT_EQ(missing, 0) << "of " << kStations * kKeys << " keys";
  EXPECT_EQ(files.readText("Program", "Verzija"), "1.07");
  for (const auto& entry : fs::directory_iterator(dir.path()))
    EXPECT_TRUE(entry.path().filename() == "Kavrina.ini" || entry.path().filename() == "go")
        << "left behind: " << entry.path();
}

TEST(SettingsStations, ALinkedSettingsFileIsUpdatedWhereItLeadsAndStaysALink) {
  // One settings file for two program folders: each folder's Kavrina.ini is a link to it.
  TempDir shared, first, second;
  writeFileBytes(shared / "Zajednicki.ini", "[Programska podesavanja]\nFont-Size=10\n");
  fs::create_symlink(shared / "Zajednicki.ini", first / "Kavrina.ini");
  fs::create_symlink(shared / "Zajednicki.ini", second / "Kavrina.ini");

  EXPECT_TRUE(IniFiles(first.path()).write("Programska podesavanja", "Font-Name", "Courier"));
  EXPECT_TRUE(IniFiles(second.path()).write("Programska podesavanja", "Agencijski mod", true));

  for (const TempDir* folder : {&first, &second}) {
    EXPECT_TRUE(fs::is_symlink(folder->path() / "Kavrina.ini")) << folder->path();
    const IniFiles files(folder->path());
    EXPECT_EQ(files.readText("Programska podesavanja", "Font-Name"), "Courier");
    EXPECT_EQ(files.readText("Programska podesavanja", "Agencijski mod"), ".T.");
    EXPECT_EQ(files.readText("Programska podesavanja", "Font-Size"), "10");
  }
  EXPECT_EQ(readFileBytes(shared / "Zajednicki.ini"),
            "[Programska podesavanja]\nFont-Size=10\nFont-Name=Courier\nAgencijski mod=.T.\n");
}

TEST(SettingsStations, AWriteTheProgramCannotDoWithoutFailsWithTheReasonAndKeepsTheFile) {
  TempDir dir;
  writeFileBytes(dir / "Kavrina.ini", "[Program]\nVerzija=1.06\n");
  const IniFiles files(dir.path());
  faults::arm({.op = faults::Op::Write,
               .nth = 1,
               .effect = faults::Effect::Fail,
               .error = ENOSPC,
               .sticky = true});
  EXPECT_FALSE(files.writeText("Program", "Verzija", "1.07")) << "the plain write answers false";
  errors::Error failure;
  try {
    files.writeTextOrFail("Program", "Verzija", "1.07");
  } catch (const errors::Error& e) {
    failure = e;
  }
  faults::disarm();
  EXPECT_EQ(failure.GENCODE, errors::gen::kWrite);
  EXPECT_EQ(failure.OSCODE, errors::os::kDiskFull);
  EXPECT_EQ(failure.FILENAME, (dir / "Kavrina.ini").string());
  EXPECT_EQ(readFileBytes(dir / "Kavrina.ini"), "[Program]\nVerzija=1.06\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
      << "nothing left beside it";
}

}  // namespace
}  // namespace kavrina::settings
