#include "store/swrun.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "errors/error.h"
#include "store/database.h"

namespace kavrina::store {

namespace fs = std::filesystem;

namespace {

// A real folder (not a link) of this user that no one else may write into: nobody else can
// put a file, or a link to one, under the marker's name there.
bool isOwnFolder(const fs::path& folder) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

fs::path temporaryFolder() {
  for (const char* name : {"TEMP", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "/tmp";
}

fs::path markerFolder(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/' && isOwnFolder(runtime)) return runtime;
  // The temporary folder is shared by every user of the computer: a folder of this user's
  // own in it, so that one user's marker never stands in another's way.
  const fs::path own = temporaryFolder() / (name + "-" + std::to_string(::geteuid()));
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return isOwnFolder(own) ? own : fs::path();
}

bool SWRUN(Session& program, const std::string& name) {
  if (program.areas.isOpen("SwRun")) return false;
  const fs::path folder = markerFolder(name);
  if (folder.empty()) return true;
  const fs::path marker = folder / (name + ".run");
  // Failures come back here instead of ending the program: the marker is no one's data.
  errors::HandlerSuspended quiet;
  try {
    const Structure structure{{"Velmar", 'C', 10, 0}};
    try {
      if (!DbfTable::createIfMissing(marker, structure, program.clock)) return true;
    } catch (const errors::Error& e) {
      // Unlike a table of the data, a damaged marker is made anew: it holds nothing.
      if (e.GENCODE != errors::gen::kCorruption ||
          !DbfTable::create(marker, structure, program.clock))
        return true;
    }
    return !useTable(program, marker, "SwRun", {.shared = false, .readOnly = false});
  } catch (const errors::Error&) {
    return true;
  }
}

}  // namespace kavrina::store
