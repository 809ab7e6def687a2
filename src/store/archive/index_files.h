// Deleting every index file of the data folder so that the indexes are built again: from
// the main window's maintenance menu (the program ends afterwards, and the next start builds
// the standing indexes) and from kavrina-cli, which builds them again at once.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/program.h"

namespace kavrina::store::archive {

// Deletes one index file, but only while no other station has it open: its share-mode lock
// is taken exclusively first, as an exclusive open of the index would. Returns errno: 0 when
// the file is gone, EBUSY when another station has it open (it stays), another errno when it
// could not be opened or removed.
int deleteIndexFile(const std::filesystem::path& file);

// The work of OBISIINDEXE: closes all tables and deletes every "*.ntx" file under the
// program folder (every company's indexes, working indexes and any other index file in the
// tree), each as deleteIndexFile does. Answers how many index files are left (0: all gone).
std::size_t deleteIndexFiles(Session& program);

// What rebuildIndexes did.
struct IndexRebuild {
  bool done = false;
  // Not done: the table or index file that another station holds (nothing was deleted), or
  // the index files that could not be deleted.
  std::string heldFile;
  // Not done: the table or index file, or the index folder, that may not be changed (the
  // folder or the file is read-only); nothing was deleted.
  std::string readOnly;
  std::vector<std::string> notDeleted;
  int deleted = 0;
  // The companies whose standing indexes were built again, "000" first.
  std::vector<std::string> companies;
  // How opening the last company went; not Opened: the rebuild stopped there.
  OpenOutcome opened;
};

// Deletes every index file under the program folder and builds the standing indexes of every
// company again at once, as the next start and the activation of each company would (the
// working indexes are built at each use anyway). Refused, with nothing deleted, while another
// station holds any table or index of the folder. Companies are those of the company register
// whose folder exists. Leaves every table closed and company "000" active. `events` hears
// how the structure check of each company goes; a company whose tables cannot be opened
// (see `opened`) stops the rebuild with its tables as DBOPENALL left them.
IndexRebuild rebuildIndexes(Session& program, StructureCheckEvents& events);

}  // namespace kavrina::store::archive
