// Creating and opening the database of the active company: the tables and folders, the
// standing tables `Firme` and `MDOS` with their indexes, and the working tables.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/dbf/dbf_header.h"
#include "store/program.h"
#include "store/schema_upgrade.h"
#include "store/standing_index.h"

namespace kavrina::store {

inline constexpr std::string_view kDriver = "DbfNtx";

// Data file of a table of the active company: prefix + "DBF/" + name.
std::filesystem::path dataPath(const Session& program, std::string_view fileName);
// Index file of the active company: prefix + "NTX/" + name.
std::filesystem::path indexPath(const Session& program, std::string_view fileName);

// Creates one table: mode 9 hands it to CHANGEDBF (creates a missing file, checks and
// upgrades an existing one); any other mode creates the file only when it is missing and
// leaves an existing one untouched. Answers false only when the check could not get
// exclusive use.
bool CREATEDBF(Session& program, const std::filesystem::path& file, const Structure& structure,
               std::string_view driver = kDriver, int mode = 9);

// Creates the company's folders and its fixed tables (`Firme` always in "DBF/"), under the
// wait notice "Kreiram baze podataka. Molim sacekajte...". Stops at the first table whose
// check failed and answers false.
bool INITDBF(Session& program, int mode);

// How DBOPENALL ended. Anything but Opened means the tables cannot be worked with.
struct OpenOutcome {
  enum class State {
    Opened,
    StructureCheckRefused,  // a table could not be had exclusively for the structure check
    IndexUnusable,          // a standing index could not be attached (see `index`)
  };
  State state = State::Opened;
  IndexAttach index = IndexAttach::Attached;
  std::filesystem::path indexFile;  // IndexUnusable: the index file
};

// Closes all tables, runs the version check (telling `events` how it goes), creates what
// is missing, marks the program as running, and opens `Firme` and the active company's
// `MDOS` shared, each with its index (built when the index file is missing). Stops at the
// first step that leaves the tables unusable and answers it; shows and ends nothing.
OpenOutcome DBOPENALL(Session& program, StructureCheckEvents& events);
// The same, for a caller with no one to tell: the structure check goes untold.
OpenOutcome DBOPENALL(Session& program);

// After DBOPENALL: the file of the first standing table (`Firme`, then `MDOS`) that is not
// open because another station holds it alone, as the program names it ("DBF/MDOS.dbf");
// empty when both are open.
std::filesystem::path standingTableHeld(const Session& program);

// Opens a working table (`MDNG` or a result table) exclusively under `alias`, builds its
// index prefix + "NTX/" + alias on the inventory number afresh and attaches it as the only order.
// Answers false, with the work area left empty, when another user holds the table.
bool openWorkingTable(Session& program, const std::filesystem::path& file, std::string_view alias);

// Opens a new, empty working table with `structure` under `alias`, as openWorkingTable()
// does, but in a file beside `file` that takes the name only when the table is published
// (publishRewrite()); closed before that, it leaves no file under the name. Answers false,
// with nothing left behind, when another user holds the working index. Raises the create
// error.
bool openNewWorkingTable(Session& program, const std::filesystem::path& file,
                         const Structure& structure, std::string_view alias);

// Opens a table in a new work area; a sharing conflict is a soft failure (false, the
// network-error flag set) whatever error handler is installed.
bool useTable(Session& program, const std::filesystem::path& file, std::string_view alias,
              OpenOptions options);

}  // namespace kavrina::store
