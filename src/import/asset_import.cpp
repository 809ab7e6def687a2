// Writing the assets of a CSV file into MDOS under the import lock.
#include "import/asset_import.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "common/decimal.h"
#include "common/lock_offsets.h"
#include "common/os_file.h"
#include "store/rec_lock.h"
#include "ui/current_ui.h"

namespace kavrina::import {
namespace {

constexpr std::string_view kMdos = "MDOS";
constexpr std::size_t kCommitEvery = 1000;
constexpr useconds_t kLockPauseMicros = 10'000;

// The import lock on MDOS.dbf, held through an open of its own (so that it is neither
// dropped nor shared by the work area's handle); waits for another station's import.
class ImportLock {
 public:
  explicit ImportLock(const std::filesystem::path& table) {
    if (file_.open(table, OsFile::Access::ReadWrite) != 0) return;
    while (true) {
      const LockResult result = file_.tryLock(locks::kImport, 1, LockKind::Write);
      if (result == LockResult::Taken) {
        held_ = true;
        return;
      }
      if (result == LockResult::Failed) return;
      if (ui::hasCurrent()) ui::current().processEvents();
      ::usleep(kLockPauseMicros);
    }
  }
  ~ImportLock() {
    if (held_) file_.unlock(locks::kImport, 1);
  }
  ImportLock(const ImportLock&) = delete;
  ImportLock& operator=(const ImportLock&) = delete;
  bool held() const { return held_; }
  int error() const { return file_.lastError(); }

 private:
  OsFile file_;
  bool held_ = false;
};

// Marks the records appended so far deleted again, each under its lock, and commits. With
// `wait` a record another station has locked is waited for, as the writing rule waits.
void takeBack(store::Session& program, const std::vector<std::uint32_t>& appended, bool wait) {
  store::DbfTable& table = program.areas[kMdos];
  for (std::uint32_t recno : appended) {
    table.goTo(recno);
    if (!table.lockRecord() && !(wait && store::REC_LOCK(program, 0, kMdos))) continue;
    table.deleteRecord();
    table.unlock();
  }
  table.commit();
}

}  // namespace

ImportResult importAssets(store::Session& program, const AssetCsv& csv, bool trial) {
  ImportResult result;
  result.bad = csv.bad;
  result.assets = csv.rows.size();
  // A file refused as a whole (its header) has no rows to check.
  if (csv.rows.empty() && !result.bad.empty()) return result;

  program.areas.select(kMdos);
  store::DbfTable& table = program.areas[kMdos];
  // Held from the check against the register to the last record: a number checked free
  // cannot be taken by another station's import meanwhile.
  std::optional<ImportLock> lock;
  if (!trial && result.bad.empty()) {
    lock.emplace(table.path());
    if (!lock->held()) {
      result.failure = "Tabela MDOS ne moze da se zakljuca za uvoz (greska " +
                       std::to_string(lock->error()) + ").";
      return result;
    }
  }
  for (const AssetRow& row : csv.rows) {
    // The index key is val(InvBr): the search takes the number's value.
    if (table.seek(parseNumber(row.values.invBr)) && !table.deleted())
      result.bad.push_back(
          {row.line, "InvBr", "inventarski broj " + row.values.invBr + " vec postoji u registru"});
  }
  std::stable_sort(result.bad.begin(), result.bad.end(),
                   [](const BadRow& a, const BadRow& b) { return a.line < b.line; });
  if (!result.bad.empty() || trial) return result;

  std::vector<std::uint32_t> appended;
  appended.reserve(csv.rows.size());
  try {
    for (const AssetRow& row : csv.rows) {
      if (!table.append(true)) {
        takeBack(program, appended, true);
        result.failure = "Sredstvo iz reda " + std::to_string(row.line) +
                         " nije moglo da se doda u tabelu MDOS; nista nije uvezeno.";
        return result;
      }
      appended.push_back(table.recNo());
      if (store::REC_LOCK(program, 0, kMdos)) reg::putAssetFields(table, row.values);
      table.unlock();
      if (appended.size() % kCommitEvery == 0) table.commit();
    }
    table.commit();
  } catch (...) {
    // The records already written go again, as far as the table still answers; the error
    // itself is the handler's.
    try {
      takeBack(program, appended, false);
    } catch (...) {
    }
    throw;
  }
  result.lastInvBr = csv.rows.back().values.invBr;
  result.written = true;
  return result;
}

ImportResult importAssetFile(store::Session& program, const std::string& file, bool trial) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    ImportResult result;
    result.failure = "Fajl " + file + " ne moze da se procita.";
    return result;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    ImportResult result;
    result.failure = "Fajl " + file + " ne moze da se procita.";
    return result;
  }
  return importAssets(program, readAssetCsv(bytes), trial);
}

}  // namespace kavrina::import
