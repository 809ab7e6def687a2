#include "store/archive/index_files.h"

#include <cerrno>
#include <memory>
#include <system_error>

#include "common/file_ops.h"
#include "common/os_file.h"
#include "common/path_case.h"
#include "store/archive/archive_texts.h"
#include "store/archive/get_files.h"
#include "store/database.h"
#include "store/end_program.h"
#include "ui/current_ui.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

fs::path programFolder(const Session& program) {
  return program.info.folder.empty() ? fs::current_path() : program.info.folder;
}

std::string relativeName(const fs::path& file, const fs::path& folder) {
  return file.lexically_relative(folder).generic_string();
}

// Whether another station holds the file (any share mode): an exclusive share-mode lock
// cannot be had. A file that cannot be opened for writing at all counts as held, since it
// could not be deleted or rebuilt either.
bool heldElsewhere(const fs::path& file) {
  OsFile probe;
  const int err = probe.openShareLocked(file, OsFile::Access::ReadWrite, LockKind::Write);
  return err != 0 && err != ENOENT;
}

}  // namespace

int deleteIndexFile(const fs::path& file) {
  OsFile held;
  // Held exclusively while the name goes, so that no station opens it meanwhile; a station
  // that opened it just before finds the name gone once it has its lock, and opens afresh.
  if (int err = held.openShareLocked(file, OsFile::Access::ReadWrite, LockKind::Write); err != 0)
    return err;
  const int err = fileops::removeFile(file);
  held.close();
  return err;
}

bool OBISIINDEXE(Session& program, bool interactive, bool noQuit) {
  // 1.
  const fs::path folder = programFolder(program);
  // 2.
  std::unique_ptr<ui::WaitNotice> notice;
  if (interactive) {
    ui::current().messageBox(texts::kObnavljanjePocetak, ui::MessageKind::Warning,
                             ui::MessageButtons::Ok);
    notice = ui::current().showWait(texts::kObnavljanjeUToku);
  }
  // 3.
  program.areas.closeAll();
  // 4. An index that another station has open is left, and counted below.
  for (const fs::path& file : GETFILES(folder, "*.ntx")) deleteIndexFile(file);
  // 5.
  const std::size_t left = GETFILES(folder, "*.ntx").size();
  notice.reset();
  const bool result = left == 0;
  // 6-7.
  if (interactive) {
    if (result)
      ui::current().messageBox(texts::kIndeksiObrisani, ui::MessageKind::Information,
                               ui::MessageButtons::Ok);
    else
      ui::current().messageBox(texts::indeksiNisuObrisani(left), ui::MessageKind::Error,
                               ui::MessageButtons::Ok);
  }
  // 8.
  if (!noQuit) throw EndProgram(0);
  return result;
}

IndexRebuild rebuildIndexes(Session& program) {
  IndexRebuild out;
  const fs::path folder = programFolder(program);
  program.areas.closeAll();

  // Refused while any table or index is in use: a station working on would keep updating an
  // index deleted under it, or meet its tables without indexes.
  for (const char* mask : {"*.dbf", "*.ntx"}) {
    for (const fs::path& file : GETFILES(folder, mask)) {
      if (heldElsewhere(file)) {
        out.heldFile = relativeName(file, folder);
        return out;
      }
    }
  }
  for (const fs::path& file : GETFILES(folder, "*.ntx")) {
    if (deleteIndexFile(file) == 0)
      ++out.deleted;
    else
      out.notDeleted.push_back(relativeName(file, folder));
  }
  if (!out.notDeleted.empty()) return out;

  // The standing indexes, company by company, as the start and each activation build them.
  program.CSIFRAFIRME = "000";
  program.CSUBDIRFIRME.clear();
  DBOPENALL(program);
  out.companies.push_back("000");
  std::vector<std::string> others;
  DbfTable& firme = program.areas["Firme"];
  for (firme.goTop(); !firme.eof(); firme.skip()) {
    const std::string code = firme.getString("Sifra");
    std::error_code ec;
    if (code.size() == 3 && code != "000" && fs::is_directory(findNoCase(folder, code), ec))
      others.push_back(code);
  }
  for (const std::string& code : others) {
    program.CSIFRAFIRME = code;
    program.CSUBDIRFIRME = companyPrefix(code);
    DBOPENALL(program);
    out.companies.push_back(code);
  }
  program.areas.closeAll();
  program.CSIFRAFIRME = "000";
  program.CSUBDIRFIRME.clear();
  out.done = true;
  return out;
}

}  // namespace kavrina::store::archive
