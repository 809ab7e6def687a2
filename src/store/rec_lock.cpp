#include "store/rec_lock.h"

#include <unistd.h>

namespace kavrina::store {

namespace {
constexpr useconds_t kRetryPauseMicros = 1000;
}

bool REC_LOCK(Session& program, double wait, std::string_view alias) {
  DbfTable& table = program.areas[alias];
  if (table.lockRecord()) return true;
  const bool endless = wait == 0;
  while (endless || wait > 0) {
    if (program.ui != nullptr) program.ui->processEvents();
    ::usleep(kRetryPauseMicros);
    if (table.lockRecord()) return true;
    wait -= 0.5;
  }
  return false;
}

bool writeRecord(Session& program, std::string_view alias, bool newRecord,
                 const std::function<void(DbfTable&)>& assign) {
  program.areas.select(alias);
  DbfTable& table = program.areas[alias];
  if (newRecord && !table.append(true)) return false;
  if (table.eof()) return false;
  if (REC_LOCK(program, 0, alias)) assign(table);
  table.unlock();
  table.commit();
  return true;
}

}  // namespace kavrina::store
