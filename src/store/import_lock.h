// The import lock of the asset register (`MDOS.dbf`): an import holds it for writing from its
// check of the inventory numbers against the register to its last record; a reader that goes
// through the whole register (the calculation, a list, a document, the archive) holds it for
// reading, so that it sees the register before an import or after it, never in between.
#pragma once

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>

#include "common/os_file.h"
#include "store/program.h"
#include "ui/user_interface.h"

namespace kavrina::store {

class ImportLock {
 public:
  enum class Use { Import, Read };

  // How long a reader waits for another station's import before it gives up.
  static constexpr std::chrono::seconds kReaderPatience{20};

  // Takes the lock on `table` through an open of its own (so that it is neither dropped nor
  // shared by a work area's handle), letting the events of `events` (when given) run while
  // it waits: an import waits for another import without limit, a reader up to `patience`.
  // held() is false when the file cannot be opened or the wait ran out; error() then says
  // why (EBUSY: in use).
  ImportLock(const std::filesystem::path& table, Use use, ui::UserInterface* events = nullptr,
             std::chrono::milliseconds patience = kReaderPatience);
  ~ImportLock();
  ImportLock(const ImportLock&) = delete;
  ImportLock& operator=(const ImportLock&) = delete;

  bool held() const { return held_; }
  int error() const { return error_; }

 private:
  OsFile file_;
  bool held_ = false;
  int error_ = 0;
};

// The active company's register held for reading while the caller goes through it: waits
// for another station's import; when it does not end in time, raises the open error (21/1001,
// sharing violation) on `MDOS.dbf` (which the handler lets fail softly, setting the
// network-error flag) and waits again when the handler answers retry. held() false: the
// caller reads nothing and says the register is in use.
class RegisterReading {
 public:
  explicit RegisterReading(const Session& program);
  bool held() const { return lock_->held() || lock_->error() != EBUSY; }
  const std::filesystem::path& table() const { return table_; }

 private:
  std::filesystem::path table_;
  std::unique_ptr<ImportLock> lock_;
};

}  // namespace kavrina::store
