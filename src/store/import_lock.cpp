// Waiting for, and holding, the import lock of the asset register.
#include "store/import_lock.h"

#include <unistd.h>

#include "common/lock_offsets.h"
#include "common/path_case.h"
#include "errors/error.h"
#include "store/database.h"

namespace kavrina::store {

namespace {
constexpr useconds_t kLockPauseMicros = 10'000;
}

ImportLock::ImportLock(const std::filesystem::path& table, Use use, ui::UserInterface* events,
                       std::chrono::milliseconds patience) {
  const auto access = use == Use::Import ? OsFile::Access::ReadWrite : OsFile::Access::ReadOnly;
  if (const int err = file_.open(table, access); err != 0) {
    error_ = err;
    return;
  }
  const LockKind kind = use == Use::Import ? LockKind::Write : LockKind::Read;
  const auto until = std::chrono::steady_clock::now() + patience;
  while (true) {
    const LockResult result = file_.tryLock(locks::kImport, 1, kind);
    if (result == LockResult::Taken) {
      held_ = true;
      return;
    }
    if (result == LockResult::Failed) {
      error_ = file_.lastError();
      return;
    }
    if (use == Use::Read && std::chrono::steady_clock::now() >= until) {
      error_ = EBUSY;
      return;
    }
    if (events != nullptr) events->processEvents();
    ::usleep(kLockPauseMicros);
  }
}

ImportLock::~ImportLock() {
  if (held_) file_.unlock(locks::kImport, 1);
}

RegisterReading::RegisterReading(const Session& program)
    : table_(findCaseInsensitive(dataPath(program, "MDOS.dbf"))) {
  while (true) {
    // A register that cannot be opened here is the reader's own open to report.
    lock_ = std::make_unique<ImportLock>(table_, ImportLock::Use::Read, program.ui);
    if (held()) return;
    const auto answer =
        errors::raise(errors::driverError(errors::gen::kOpen, errors::sub::kOpenData,
                                          table_.string(), errors::os::kSharingViolation));
    if (answer != errors::ErrorAnswer::Retry) return;
  }
}

}  // namespace kavrina::store
