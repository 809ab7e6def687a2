#include "store/database.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "common/aside_file.h"
#include "common/path_case.h"
#include "errors/error.h"
#include "errors/network_error.h"
#include "errors/os_code.h"
#include "store/ntx/ntx_order.h"
#include "store/schema.h"
#include "store/swrun.h"

namespace kavrina::store {

namespace fs = std::filesystem;

namespace {

// Creates a folder, handing a failure to the error handler.
void makeFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(findCaseInsensitive(folder), ec)) return;
  if (fs::create_directories(folder, ec) || fs::is_directory(folder)) return;
  errors::Error e = errors::driverError(errors::gen::kCreate, errors::sub::kCreateData,
                                        folder.string(), errors::osCodeForPath(ec.value(), folder));
  errors::fail(e);
}

std::unique_ptr<ui::WaitNotice> waitNotice(const Session& program, std::string_view text) {
  if (program.ui == nullptr) return nullptr;
  return program.ui->showWait(text);
}

// Opens a standing table shared and attaches its index, building or rebuilding the index
// first when it is missing or not fit for use. A table another station holds alone is left
// closed (standingTableHeld names it).
IndexAttach openStanding(Session& program, const fs::path& data, std::string_view alias,
                         const fs::path& index, std::string_view key) {
  if (!useTable(program, data, alias, {.shared = true, .readOnly = false}))
    return IndexAttach::Attached;
  DbfTable& table = program.areas[alias];
  schema::check(table, schema::ofAlias(alias));
  const IndexAttach attached = attachStandingIndex(table, index, key);
  if (attached == IndexAttach::Attached) table.goTop();
  return attached;
}

// Whether a folder name is a company code: three decimal digits.
bool isCompanyFolderName(const std::string& name) {
  return name.size() == 3 &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Removes what processes that ended in the middle of a rewrite left beside the files: in
// the program folder (the settings file, the error log), "DBF/" and "NTX/", and in every
// company's folder and its "DBF/" and "NTX/". A file a station is still writing is held,
// and stays.
void removeStrayFiles() {
  std::vector<fs::path> folders{".", findCaseInsensitive("DBF"), findCaseInsensitive("NTX")};
  std::error_code ec;
  for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError) || !isCompanyFolderName(it->path().filename().string()))
      continue;
    const fs::path company = it->path().filename();
    folders.push_back(company);
    folders.push_back(findCaseInsensitive(company / "DBF"));
    folders.push_back(findCaseInsensitive(company / "NTX"));
  }
  for (const fs::path& folder : folders) removeStaleAsideFiles(folder);
}

}  // namespace

ui::UserInterface& Session::userInterface() const {
  if (ui == nullptr) throw std::logic_error("no user interface was handed to the session");
  return *ui;
}

std::string companyPrefix(const std::string& code) {
  return code == "000" ? std::string() : code + "/";
}

fs::path dataPath(const Session& program, std::string_view fileName) {
  return fs::path(program.CSUBDIRFIRME + "DBF") / fileName;
}

fs::path indexPath(const Session& program, std::string_view fileName) {
  return fs::path(program.CSUBDIRFIRME + "NTX") / fileName;
}

bool useTable(Session& program, const fs::path& file, std::string_view alias, OpenOptions options) {
  errors::setNetworkError(false);
  try {
    options.clock = &program.clock;
    return program.areas.use(file, alias, options);
  } catch (const errors::Error& e) {
    if (e.GENCODE == errors::gen::kOpen && e.OSCODE == errors::os::kSharingViolation) {
      errors::setNetworkError(true);
      return false;
    }
    throw;
  }
}

bool CREATEDBF(Session& program, const fs::path& file, const Structure& structure,
               std::string_view driver, int mode) {
  if (mode == 9) return CHANGEDBF(program, file, structure, driver);
  DbfTable::createIfMissing(file, structure, program.clock);
  return true;
}

bool INITDBF(Session& program, int mode) {
  auto notice = waitNotice(program, "Kreiram baze podataka. Molim sacekajte...");
  if (!program.CSUBDIRFIRME.empty()) makeFolder(program.CSUBDIRFIRME.substr(0, 3));
  makeFolder(program.CSUBDIRFIRME + "DBF");
  makeFolder(program.CSUBDIRFIRME + "NTX");
  // The company register lies in DBF/ whichever company is active.
  makeFolder("DBF");
  program.ADBF = schema::firme();
  if (!CREATEDBF(program, "DBF/Firme.dbf", program.ADBF, kDriver, mode)) return false;
  program.ADBF = schema::mdos();
  if (!CREATEDBF(program, dataPath(program, "MDOS.dbf"), program.ADBF, kDriver, mode)) return false;
  program.ADBF = schema::mdng();
  if (!CREATEDBF(program, dataPath(program, "MDNG.dbf"), program.ADBF, kDriver, mode)) return false;
  return true;
}

OpenOutcome DBOPENALL(Session& program, StructureCheckEvents& events) {
  OpenOutcome out;
  program.areas.closeAll();
  if (!checkDataVersion(program, events)) {
    out.state = OpenOutcome::State::StructureCheckRefused;
    return out;
  }
  program.areas.closeAll();
  INITDBF(program, 0);
  removeStrayFiles();
  SWRUN(program, program.info.SW);
  const auto unusable = [&out](IndexAttach how, const fs::path& index) {
    out.state = OpenOutcome::State::IndexUnusable;
    out.index = how;
    out.indexFile = ntx::indexFilePath(index);
    return out;
  };
  if (const IndexAttach how =
          openStanding(program, "DBF/Firme.dbf", "Firme", "NTX/Firme", schema::kCompanyKey);
      how != IndexAttach::Attached)
    return unusable(how, "NTX/Firme");
  const fs::path mdosIndex = indexPath(program, "MDOS");
  if (const IndexAttach how = openStanding(program, dataPath(program, "MDOS.dbf"), "MDOS",
                                           mdosIndex, schema::kAssetKey);
      how != IndexAttach::Attached)
    return unusable(how, mdosIndex);
  return out;
}

OpenOutcome DBOPENALL(Session& program) {
  StructureCheckEvents untold;
  return DBOPENALL(program, untold);
}

fs::path standingTableHeld(const Session& program) {
  if (!program.areas.isOpen("Firme")) return "DBF/Firme.dbf";
  if (!program.areas.isOpen("MDOS")) return dataPath(program, "MDOS.dbf");
  return {};
}

namespace {

// Builds the working index of the table open under `alias` afresh and attaches it. The
// working index has one name per company and alias: while another station works with a
// table of that kind (another year's results, say) the index is held, and this open fails
// softly like the table's own (false, the table closed). The index stays attached and held
// until the close.
bool attachWorkingIndex(Session& program, std::string_view alias) {
  DbfTable& table = program.areas[alias];
  errors::setNetworkError(false);
  bool built = false;
  try {
    built = ntx::createIndex(table, indexPath(program, alias), schema::kWorkingKey);
  } catch (const errors::Error& e) {
    if (e.GENCODE != errors::gen::kOpen || e.OSCODE != errors::os::kSharingViolation) {
      program.areas.close(alias);
      throw;
    }
    errors::setNetworkError(true);
  }
  if (!built) {
    program.areas.close(alias);
    errors::setNetworkError(true);
    return false;
  }
  table.goTop();
  return true;
}

}  // namespace

bool openWorkingTable(Session& program, const fs::path& file, std::string_view alias) {
  if (!useTable(program, file, alias, {.shared = false, .readOnly = false})) return false;
  try {
    schema::check(program.areas[alias], schema::ofAlias(alias));
  } catch (...) {
    program.areas.close(alias);
    throw;
  }
  return attachWorkingIndex(program, alias);
}

bool openNewWorkingTable(Session& program, const fs::path& file, const Structure& structure,
                         std::string_view alias) {
  program.areas.adopt(alias,
                      DbfTable::createBeside(findCaseInsensitive(file), structure, program.clock));
  return attachWorkingIndex(program, alias);
}

}  // namespace kavrina::store
