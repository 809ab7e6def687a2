// Working tables closed by their owner.
#include "depreciation/working_tables.h"

#include <algorithm>

#include "store/database.h"

namespace kavrina::depreciation {

WorkingTables::~WorkingTables() {
  try {
    closeAll();
  } catch (...) {
    // Closing while an error unwinds cannot report a second one.
  }
}

bool WorkingTables::open(const std::filesystem::path& file, std::string_view alias) {
  const bool wasOpen = program_.areas.isOpen(alias);
  bool opened = false;
  try {
    opened = store::openWorkingTable(program_, file, alias);
  } catch (...) {
    // The table may be open while its index could not be built: close it again (unless
    // the alias belonged to someone else, which is what the error is about).
    if (!wasOpen) program_.areas.close(alias);
    throw;
  }
  if (!opened) {
    inUse_ = file;
    return false;
  }
  aliases_.emplace_back(alias);
  return true;
}

void WorkingTables::close(std::string_view alias) {
  const auto it = std::find(aliases_.begin(), aliases_.end(), alias);
  if (it == aliases_.end()) return;
  aliases_.erase(it);
  program_.areas.close(alias);
}

void WorkingTables::closeAll() {
  while (!aliases_.empty()) {
    const std::string alias = aliases_.back();
    aliases_.pop_back();
    program_.areas.close(alias);
  }
}

}  // namespace kavrina::depreciation
