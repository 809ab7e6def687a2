// Another station for the maintenance tests, as a process of its own. Commands:
//   hold FILE exclusive|shared READY RELEASE
//        takes the file's share-mode lock as an exclusive or a shared open of a table or an
//        index does, creates READY, waits until RELEASE exists, lets go
//   open DIR READY RELEASE
//        opens the database in DIR as a starting program does (Firme and MDOS shared with
//        their indexes), creates READY, waits until RELEASE exists, closes everything
// Exit code 0 when done; 1 when the file could not be had, 2 for a wrong command line.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/os_file.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/program.h"

using namespace kavrina;

namespace {

void touch(const std::string& path) {
  if (std::FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
}

void waitFor(const std::string& path) {
  for (int i = 0; i < 60000 && !std::filesystem::exists(path); ++i) ::usleep(1000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 && argc != 5) return 2;
  const std::string command = argv[1];
  if (command == "hold" && argc == 6) {
    const std::string mode = argv[3];
    OsFile file;
    if (file.openShareLocked(argv[2], OsFile::Access::ReadWrite,
                             mode == "exclusive" ? LockKind::Write : LockKind::Read) != 0)
      return 1;
    touch(argv[4]);
    waitFor(argv[5]);
    return 0;
  }
  if (command == "open" && argc == 5) {
    std::filesystem::current_path(argv[2]);
    settings::useSettingsFolder(std::filesystem::current_path());
    store::Program program;
    program.info.folder = std::filesystem::current_path();
    program.areas.setHideDeleted(true);
    store::DBOPENALL(program);
    touch(argv[3]);
    waitFor(argv[4]);
    program.areas.closeAll();
    return 0;
  }
  return 2;
}
