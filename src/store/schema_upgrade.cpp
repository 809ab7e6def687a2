#include "store/schema_upgrade.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "errors/error.h"
#include "errors/network_error.h"
#include "errors/os_code.h"
#include "settings/ini_files.h"
#include "settings/settings_keys.h"
#include "store/database.h"
#include "common/path_case.h"
#include "store/end_program.h"
#include "ui/current_ui.h"

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

void message(std::string_view text, ui::MessageKind kind) {
  if (ui::hasCurrent()) ui::current().messageBox(text, kind, ui::MessageButtons::Ok);
}

void copyFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec)
    errors::fail(errors::driverError(errors::gen::kCreate, errors::sub::kCreateData, to.string(),
                                     errors::osCodeFromErrno(ec.value())));
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
        case 'N': to.putNumber(dst, from.getNumber(src)); break;
        case 'D': to.putDate(dst, from.getDate(src)); break;
        case 'L': to.putLogical(dst, from.getLogical(src)); break;
        case 'M': to.putMemo(dst, from.getMemo(src)); break;
        default: to.putString(dst, from.getString(src));
      }
    }
    if (from.deleted()) to.deleteRecord();
  }
}

}  // namespace

std::string versionKey(const Program& program) { return settings::versionKey(program.CSUBDIRFIRME); }

void checkDataVersion(Program& program) {
  const std::string key = versionKey(program);
  program.I_VER = settings::READINI(kSection, key, "0.00");
  const std::string& VER = program.info.VER;
  if (program.I_VER == VER) return;
  if (program.I_VER == "0.00" || !existsCaseInsensitive(program.CSUBDIRFIRME + "DBF")) {
    settings::WRITEINI(kSection, key, VER);
    return;
  }
  std::string warning = "PRVI PUT POKRECETE NOVU VERZIJU PROGRAMA!\n";
  if (!program.CSUBDIRFIRME.empty()) warning += "(ZA FIRMU: " + program.CSIFRAFIRME + ")\n";
  warning +=
      "Program treba da izvrsi proveru strukture baza podataka.\n"
      "Pre nego sto nastavite OBEZBEDITE da se svi korisnici\n"
      "odjave iz programa, u suprotnom ce se ova procedura\n"
      "automatski prekinuti, a koriscenje programa nece biti\n"
      "moguce dok se procedura uspesno ne zavrsi.";
  message(warning, ui::MessageKind::Warning);
  if (!INITDBF(program, 9)) {
    message("UPOZORENJE: Korisnici se nisu odjavili iz programa !\n"
            "Procedura provere strukture baza podataka je prekinuta.",
            ui::MessageKind::Warning);
    program.areas.closeAll();
    throw EndProgram(1);
  }
  message("Procedura provere strukture baza podataka je uspesno zavrsena",
          ui::MessageKind::Information);
  settings::WRITEINI(kSection, key, VER);
}

bool CHANGEDBF(Program& program, const fs::path& file, const Structure& structure,
               std::string_view driver) {
  if (!existsCaseInsensitive(file)) {
    DbfTable::create(file, structure);
    return true;
  }
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

bool DBCHANGE(Program& program, const fs::path& requested, const Structure& structure,
              std::string_view driver) {
  std::string v;
  for (char c : program.I_VER)
    if (c != '.') v.push_back(c);
  const fs::path file = findCaseInsensitive(requested);

  if (!useTable(program, file, kAlias, {.shared = false, .readOnly = false}) || errors::networkError())
    return false;
  const Structure current = program.areas[kAlias].structure();
  program.areas.close(kAlias);
  if (!structureChanged(current, structure)) return true;

  fs::path memo = file;
  memo.replace_extension(".dbt");
  memo = findCaseInsensitive(memo);
  const bool hasMemo = fs::exists(memo);
  const fs::path tableCopy = workingCopyPath(file, v, ".dbf");
  const fs::path memoCopy = workingCopyPath(file, v, ".dbt");
  copyFile(file, tableCopy);
  copyFile(file, keptBackupPath(tableCopy));
  if (hasMemo) {
    copyFile(memo, memoCopy);
    copyFile(memo, keptBackupPath(memoCopy));
  }

  const bool hideDeleted = program.areas.hideDeleted();
  try {
    DbfTable::create(file, structure);
    if (!useTable(program, file, kAlias, {.shared = true, .readOnly = false}))
      errors::fail(errors::driverError(errors::gen::kOpen, errors::sub::kOpenData, file.string(),
                                       errors::os::kSharingViolation));
    program.areas.select(kAlias);
    program.areas.setHideDeleted(false);
    {
      auto source = DbfTable::open(tableCopy, {.shared = false, .readOnly = true});
      refill(*source, program.areas[kAlias]);
      source->close();
    }
    DbfTable& target = program.areas[kAlias];
    target.unlock();
    target.commit();
    program.areas.close(kAlias);
    program.areas.setHideDeleted(hideDeleted);
  } catch (...) {
    // Nothing may be lost: put the old table back from its working copy, then let the
    // failure reach the handler. The stored version stays old, so the check runs again.
    program.areas.setHideDeleted(hideDeleted);
    try {
      program.areas.close(kAlias);
    } catch (...) {
    }
    std::error_code ec;
    fs::copy_file(tableCopy, file, fs::copy_options::overwrite_existing, ec);
    if (hasMemo) fs::copy_file(memoCopy, memo, fs::copy_options::overwrite_existing, ec);
    throw;
  }
  std::error_code ec;
  fs::remove(tableCopy, ec);
  if (hasMemo) fs::remove(memoCopy, ec);
  (void)driver;  // one table format: the driver names it
  return true;
}

}  // namespace kavrina::store
