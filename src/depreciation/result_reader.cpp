// Opening a result table shared and read-only.
#include "depreciation/result_reader.h"

#include "store/database.h"
#include "store/schema.h"

namespace kavrina::depreciation {

ResultTableReader::~ResultTableReader() {
  if (open_) program_.areas.close(alias_);
}

bool ResultTableReader::open(const std::filesystem::path& file) {
  open_ = store::useTable(program_, file, alias_, {.shared = true, .readOnly = true});
  if (!open_) return false;
  store::schema::check(table(), store::schema::ofAlias(alias_));
  table().setSnapshotScan(true);  // read once from top to bottom
  return true;
}

}  // namespace kavrina::depreciation
