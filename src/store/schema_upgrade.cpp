#include "store/schema_upgrade.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "common/aside_file.h"
#include "common/path_case.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "errors/os_code.h"
#include "settings/ini_files.h"
#include "settings/settings_keys.h"
#include "store/database.h"

namespace kavrina::store {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSection = "Program";
constexpr std::string_view kAlias = "DbChAlias";

std::string normalized(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return out;
}

// Writes a kept backup: the whole copy under its name, or nothing.
void copyFile(const fs::path& from, const fs::path& to) {
  if (int err = copyFileAside(from, to); err != 0)
    errors::fail(errors::driverError(errors::gen::kCreate, errors::sub::kCreateData, to.string(),
                                     errors::osCodeFromErrno(err)));
}

// The settings key that marks a structure check in progress for the active company: set
// to the version being installed before the first table is touched, emptied when the
// check ends in any orderly way. Found still set, it tells of a check that was cut short.
std::string checkMarkKey(const Session& program) {
  std::string key = "Provera strukture";
  const std::string version = versionKey(program);
  const std::size_t paren = version.find('(');
  if (paren != std::string::npos) key += version.substr(paren);
  return key;
}

// Copies the records of `from` into the open table `to`, field by field by name, keeping
// each record's place in the order and its deletion mark.
void refill(DbfTable& from, DbfTable& to) {
  std::vector<std::pair<int, int>> pairs;  // (field in from, field in to) of the same name and type
  for (std::size_t i = 0; i < to.fieldCount(); ++i) {
    int j = from.fieldIndex(to.fields()[i].def.name);
    if (j >= 0 && from.fields()[static_cast<std::size_t>(j)].def.type == to.fields()[i].def.type)
      pairs.emplace_back(j, static_cast<int>(i));
  }
  const std::uint32_t count = from.recCount();
  for (std::uint32_t recno = 1; recno <= count; ++recno) {
    from.goTo(recno);
    if (!to.append(true))
      errors::fail(errors::driverError(errors::gen::kAppendLock, errors::sub::kAppendLock,
                                       to.path().string()));
    for (auto [src, dst] : pairs) {
      switch (to.fields()[static_cast<std::size_t>(dst)].def.type) {
        case 'N':
          to.putNumber(dst, from.getNumber(src));
          break;
        case 'D':
          to.putDate(dst, from.getDate(src));
          break;
        case 'L':
          to.putLogical(dst, from.getLogical(src));
          break;
        case 'M':
          to.putMemo(dst, from.getMemo(src));
          break;
        default:
          to.putString(dst, from.getString(src));
      }
    }
    if (from.deleted()) to.deleteRecord();
  }
}

}  // namespace

std::string versionKey(const Session& program) {
  return settings::versionKey(program.CSUBDIRFIRME);
}

bool checkDataVersion(Session& program, StructureCheckEvents& events) {
  const std::string key = versionKey(program);
  program.I_VER = settings::READINI(kSection, key, "0.00");
  const std::string& VER = program.info.VER;
  if (program.I_VER == VER) return true;
  if (program.I_VER == "0.00" || !existsCaseInsensitive(program.CSUBDIRFIRME + "DBF")) {
    settings::WRITEINI(kSection, key, VER);
    return true;
  }
  const std::string markKey = checkMarkKey(program);
  // A check cut short (the program ended in the middle of it) simply runs again: each table
  // is replaced only by a rename of its complete new file, so every table is either as it
  // was or fully migrated.
  if (!settings::READINI(kSection, markKey, "").empty()) events.interruptedBefore();
  events.starting(program);
  // Without its mark a check cut short would go untold: the check does not start unless
  // the mark is written (a full disk, a read-only settings file end the program here).
  settings::programSettings().writeTextOrFail(kSection, markKey, VER);
  if (!INITDBF(program, 9)) {
    settings::WRITEINI(kSection, markKey, "");
    events.refused();
    program.areas.closeAll();
    return false;
  }
  settings::programSettings().writeTextOrFail(kSection, key, VER);
  settings::programSettings().writeTextOrFail(kSection, markKey, "");
  events.finished();
  return true;
}

bool CHANGEDBF(Session& program, const fs::path& file, const Structure& structure,
               std::string_view driver) {
  // Only a missing table is made anew; an existing one, damaged or not, goes to the check.
  if (!existsCaseInsensitive(file))
    return DbfTable::createIfMissing(file, structure, program.clock);
  return DBCHANGE(program, file, structure, driver);
}

bool structureChanged(const Structure& current, const Structure& wanted) {
  if (wanted.size() > current.size()) return true;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const FieldDef& a = current[i];
    const FieldDef& b = wanted[i];
    const std::string typeA = normalized(std::string(1, a.type));
    if (normalized(a.name) != normalized(b.name) || typeA != normalized(std::string(1, b.type)))
      return true;
    if (typeA == "D" || typeA == "M" || typeA == "L") continue;
    if (a.width != b.width || a.decimals != b.decimals) return true;
  }
  return false;
}

fs::path workingCopyPath(const fs::path& file, const std::string& v, std::string_view extension) {
  fs::path base = file;
  base.replace_extension();
  return fs::path(base.string() + "_v" + v + std::string(extension));
}

fs::path keptBackupPath(const fs::path& workingCopy) {
  std::string name = workingCopy.filename().string();
  std::string out;
  for (char c : name) {
    if (c == '.')
      out += "_backup_";
    else
      out.push_back(c);
  }
  return workingCopy.parent_path() / out;
}

bool DBCHANGE(Session& program, const fs::path& requested, const Structure& structure,
              std::string_view driver) {
  std::string v;
  for (char c : program.I_VER)
    if (c != '.') v.push_back(c);
  const fs::path file = findCaseInsensitive(requested);

  // The table stays open exclusively, and so out of every other station's reach, until its
  // new file has taken its name.
  if (!useTable(program, file, kAlias, {.shared = false, .readOnly = false}) ||
      errors::networkError())
    return false;
  // Closed however this ends; a failure reaches the handler with the old table in place.
  struct CloseOnFailure {
    WorkAreas& areas;
    ~CloseOnFailure() {
      try {
        areas.close(kAlias);
      } catch (...) {
      }
    }
  } closeOnFailure{program.areas};
  DbfTable& source = program.areas[kAlias];
  if (!structureChanged(source.structure(), structure)) {
    program.areas.close(kAlias);
    return true;
  }

  // The kept backups, each written whole before anything else changes.
  fs::path memo = file;
  memo.replace_extension(".dbt");
  memo = findCaseInsensitive(memo);
  std::error_code ec;
  const bool hasMemo = fs::exists(memo, ec);
  copyFile(file, keptBackupPath(workingCopyPath(file, v, ".dbf")));
  if (hasMemo) copyFile(memo, keptBackupPath(workingCopyPath(file, v, ".dbt")));

  // The new table is filled beside the old one and renamed over it when complete: a
  // failure or a kill at any point leaves the old table whole under its name, and the
  // stored version old, so the next start checks again.
  std::unique_ptr<DbfTable> target = DbfTable::createBeside(file, structure, program.clock);
  const bool hideDeleted = source.hideDeleted();
  source.setHideDeleted(false);
  refill(source, *target);
  source.setHideDeleted(hideDeleted);
  target->publishRewrite();
  target->close();
  program.areas.close(kAlias);
  (void)driver;  // one table format: the driver names it
  return true;
}

}  // namespace kavrina::store
