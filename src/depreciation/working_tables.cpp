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
  return opened(file, alias, [&] { return store::openWorkingTable(program_, file, alias); });
}

bool WorkingTables::openNew(const std::filesystem::path& file, const store::Structure& structure,
                            std::string_view alias) {
  return opened(file, alias,
                [&] { return store::openNewWorkingTable(program_, file, structure, alias); });
}

bool WorkingTables::opened(const std::filesystem::path& file, std::string_view alias,
                           const std::function<bool()>& open) {
  const bool wasOpen = program_.areas.isOpen(alias);
  bool done = false;
  try {
    done = open();
  } catch (...) {
    // The table may be open while its index could not be built: close it again (unless
    // the alias belonged to someone else, which is what the error is about).
    if (!wasOpen) program_.areas.close(alias);
    throw;
  }
  if (!done) {
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
