// The index of a standing table (`Firme`, `MDOS`), made sure of before the table is used:
// after a kill, a full disk or a copy of the data, an index may be missing, hold fewer keys
// than the table has records, or be damaged, and working on with it would hide records from
// every search and let a second asset take an inventory number already in use.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/dbf/dbf_table.h"

namespace kavrina::store {

// What a look at an index file found.
struct IndexInspection {
  enum class State { Sound, Missing, Damaged, InUse };
  State state = State::Sound;
  std::string problem;  // for Damaged: what is wrong
};

// Looks at the index file of `table` (opened exclusively, so that no other station is in
// the middle of an update): its header must fit the key expression and the table, its tree
// must be whole, and it must hold one key per record. InUse when another station has it
// open. Raises nothing.
IndexInspection inspectIndex(DbfTable& table, const std::filesystem::path& indexFile,
                             std::string_view keyExpression);

// How attaching a standing index ended.
enum class IndexAttach {
  Attached,
  DamagedInUse,  // damaged while other stations have it open: no station can repair it now
  Busy,          // held alone by another station for longer than a rebuild takes
};

// Attaches the standing index to `table` (shared), building it when it is missing and
// rebuilding it aside when it is damaged or holds fewer or more keys than the table has
// records, while no other station has it open. When other stations have it open it is used
// as they use it, after a look at its header and root. Answers DamagedInUse or Busy, with
// no index attached, when the table cannot be worked with; the caller tells the user.
IndexAttach attachStandingIndex(DbfTable& table, const std::filesystem::path& index,
                                std::string_view keyExpression);

}  // namespace kavrina::store
