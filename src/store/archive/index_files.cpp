#include "store/archive/index_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <system_error>

#include "common/file_ops.h"
#include "common/os_file.h"
#include "common/path_case.h"
#include "store/archive/get_files.h"
#include "store/database.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

fs::path programFolder(const Session& program) {
  return program.info.folder.empty() ? fs::current_path() : program.info.folder;
}

std::string relativeName(const fs::path& file, const fs::path& folder) {
  return file.lexically_relative(folder).generic_string();
}

// Whether the errno of an open or a removal says the file or its folder may not be changed.
bool readOnlyError(int err) {
  return err == EACCES || err == EPERM || err == EROFS;
}

// Whether this process may create and remove names in `folder`.
bool writableFolder(const fs::path& folder) {
  return ::faccessat(AT_FDCWD, (folder.empty() ? fs::path(".") : folder).c_str(), W_OK | X_OK,
                     AT_EACCESS) == 0;
}

// Every table and index of the folder held exclusively (the share-mode lock an exclusive open
// takes) until the object goes, so that no station starts work between the check and the
// deletion. Refuses, holding nothing, at the first file another station holds or that is
// read-only, or at the first index folder this process may not change.
class HeldFiles {
 public:
  // Answers false when refused; `out` then says why.
  bool take(const fs::path& folder, IndexRebuild& out, ui::UserInterface* events) {
    for (const char* mask : {"*.dbf", "*.ntx"}) {
      for (const fs::path& file : GETFILES(folder, mask, events)) {
        if (std::string(mask) == "*.ntx" && !writableFolder(fileops::folderOf(file))) {
          out.readOnly = relativeName(fileops::folderOf(file), folder);
          return release();
        }
        OsFile handle;
        const int err = handle.openShareLocked(file, OsFile::Access::ReadWrite, LockKind::Write);
        if (err == ENOENT) continue;
        if (err != 0) {
          (readOnlyError(err) ? out.readOnly : out.heldFile) = relativeName(file, folder);
          return release();
        }
        held_.emplace_back(file, std::move(handle));
      }
    }
    return true;
  }
  // Removes the held index files, each while it is still held; answers the names that stayed.
  std::vector<std::string> removeIndexes(const fs::path& folder, int& deleted) {
    std::vector<std::string> stayed;
    for (auto& [file, handle] : held_) {
      if (file.extension() != ".ntx" && file.extension() != ".NTX") continue;
      if (fileops::removeFile(file) == 0)
        ++deleted;
      else
        stayed.push_back(relativeName(file, folder));
      handle.close();
    }
    return stayed;
  }
  bool release() {
    held_.clear();
    return false;
  }

 private:
  std::vector<std::pair<fs::path, OsFile>> held_;
};

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

std::size_t deleteIndexFiles(Session& program) {
  const fs::path folder = programFolder(program);
  program.areas.closeAll();
  // An index that another station has open is left, and counted.
  for (const fs::path& file : GETFILES(folder, "*.ntx", program.ui)) deleteIndexFile(file);
  return GETFILES(folder, "*.ntx", program.ui).size();
}

IndexRebuild rebuildIndexes(Session& program, StructureCheckEvents& events) {
  IndexRebuild out;
  const fs::path folder = programFolder(program);
  program.areas.closeAll();

  // Refused while any table or index is in use: a station working on would keep updating an
  // index deleted under it, or meet its tables without indexes. What was checked stays held
  // until the indexes are gone, so that no station starts in between.
  {
    HeldFiles held;
    if (!held.take(folder, out, program.ui)) return out;
    out.notDeleted = held.removeIndexes(folder, out.deleted);
  }
  if (!out.notDeleted.empty()) return out;

  // The standing indexes, company by company, as the start and each activation build them.
  program.CSIFRAFIRME = "000";
  program.CSUBDIRFIRME.clear();
  out.opened = DBOPENALL(program, events);
  if (out.opened.state != OpenOutcome::State::Opened) return out;
  out.companies.push_back("000");
  std::vector<std::string> others;
  DbfTable& firme = program.areas["Firme"];
  const RecordCodec<CompanyRecord> reader(firme,
                                          FieldSet<CompanyRecord>::of(&CompanyRecord::Sifra));
  for (firme.goTop(); !firme.eof(); firme.skip()) {
    const std::string code = reader.padded(&CompanyRecord::Sifra, reader.read());
    std::error_code ec;
    if (code.size() == 3 && code != "000" && fs::is_directory(findNoCase(folder, code), ec))
      others.push_back(code);
  }
  for (const std::string& code : others) {
    program.CSIFRAFIRME = code;
    program.CSUBDIRFIRME = companyPrefix(code);
    out.opened = DBOPENALL(program, events);
    if (out.opened.state != OpenOutcome::State::Opened) return out;
    out.companies.push_back(code);
  }
  program.areas.closeAll();
  program.CSIFRAFIRME = "000";
  program.CSUBDIRFIRME.clear();
  out.done = true;
  return out;
}

}  // namespace kavrina::store::archive
