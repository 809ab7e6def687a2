// Test helper: one station writing settings. Waits until the file "go" appears in the
// folder (so that every station starts at the same moment), then writes `count` keys
// <prefix>0, <prefix>1, ... into section "Stanice" of the folder's main settings file, each
// with its number as the value, one WRITEINI each. Exits 0 when every write succeeded.
//   settings_writer <folder> <prefix> <count>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/ini_files.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::filesystem::path folder = argv[1];
  const std::string prefix = argv[2];
  const int count = std::stoi(argv[3]);
  while (!std::filesystem::exists(folder / "go")) ::usleep(500);
  const kavrina::settings::IniFiles files(folder);
  int failed = 0;
  for (int i = 0; i < count; ++i)
    if (!files.writeText("Stanice", prefix + std::to_string(i), std::to_string(i))) ++failed;
  return failed == 0 ? 0 : 1;
}
