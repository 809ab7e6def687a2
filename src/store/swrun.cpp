#include "store/swrun.h"

#include <cstdlib>

#include "common/path_case.h"
#include "store/database.h"

namespace kavrina::store {

namespace fs = std::filesystem;

fs::path temporaryFolder() {
  for (const char* name : {"TEMP", "TMPDIR"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "/tmp";
}

bool SWRUN(Program& program, const std::string& name) {
  const fs::path marker = temporaryFolder() / (name + ".run");
  if (program.areas.isOpen("SwRun")) return false;
  if (!existsCaseInsensitive(marker)) DbfTable::create(marker, {{"Velmar", 'C', 10, 0}});
  return !useTable(program, marker, "SwRun", {.shared = false, .readOnly = false});
}

}  // namespace kavrina::store
