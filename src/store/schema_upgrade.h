// Bringing a company's tables to the structure of this version: the data-version check,
// and the comparison and migration of one table with its backups.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/dbf/dbf_header.h"
#include "store/program.h"

namespace kavrina::store {

// The settings key holding the data version of the active company: "Verzija" for "000",
// otherwise "Verzija(" + code + "\)" (the stored form keeps the backslash).
std::string versionKey(const Session& program);

// What the structure check tells as it goes, so that whoever runs it can show it to the
// user; the check itself shows nothing. Each call comes at its moment in the check.
class StructureCheckEvents {
 public:
  virtual ~StructureCheckEvents() = default;
  // A check begun earlier was cut short; it runs again now.
  virtual void interruptedBefore() {}
  // The check is about to start on the active company's tables.
  virtual void starting(const Session&) {}
  // A table could not be had exclusively: the check stopped, the version stays old.
  virtual void refused() {}
  // Every table has this version's structure and the version is recorded.
  virtual void finished() {}
};

// The check at the start of DBOPENALL: reads I_VER; when it differs from VER, either
// records VER (no data yet) or runs INITDBF(9) and records VER after a complete pass.
// Answers false when a table could not be had exclusively (all tables are then closed and
// the version stays old); the caller decides that the program cannot go on.
bool checkDataVersion(Session& program, StructureCheckEvents& events);

// Creates a missing table (true); otherwise answers DBCHANGE.
bool CHANGEDBF(Session& program, const std::filesystem::path& file, const Structure& structure,
               std::string_view driver = "DbfNtx");

// Compares the table with the structure and, when it differs, keeps a backup and rebuilds
// the table with its records. False only when the table cannot be had exclusively. When
// the rebuild fails after the backups exist, the table is restored from its working copy
// and the failure goes to the error handler.
bool DBCHANGE(Session& program, const std::filesystem::path& file, const Structure& structure,
              std::string_view driver = "DbfNtx");

// Whether `current` differs from `wanted` by the rules of the check: more wanted fields;
// or, position by position over the wanted fields, a different name or type, or (for
// types other than D, M and L) a different width or decimals.
bool structureChanged(const Structure& current, const Structure& wanted);

// The backup names of a table for the stored version v (I_VER without dots):
// working copy base + "_v" + v + ".dbf", kept backup with its dots made "_backup_".
std::filesystem::path workingCopyPath(const std::filesystem::path& file, const std::string& v,
                                      std::string_view extension);
std::filesystem::path keptBackupPath(const std::filesystem::path& workingCopy);

}  // namespace kavrina::store
