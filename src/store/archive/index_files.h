// Deleting every index file of the data folder so that the indexes are built again: from
// the main window's maintenance menu (the program ends afterwards, and the next start builds
// the standing indexes) and from kavrina-cli, which builds them again at once.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/program.h"

namespace kavrina::store::archive {

// Deletes one index file, but only while no other station has it open: its share-mode lock
// is taken exclusively first, as an exclusive open of the index would. Returns errno: 0 when
// the file is gone, EBUSY when another station has it open (it stays), another errno when it
// could not be opened or removed.
int deleteIndexFile(const std::filesystem::path& file);

// OBISIINDEXE: closes all tables and deletes every "*.ntx" file under the program folder
// (every company's indexes, working indexes and any other index file in the tree), each as
// deleteIndexFile does. Answers true when no index file is left. `interactive`: the warning
// before, the wait notice while it runs and the outcome's message after. Unless `noQuit`,
// ends the program afterwards (raises EndProgram with exit code 0), since no table may be
// used again before the indexes are built at the next start.
bool OBISIINDEXE(Session& program, bool interactive = true, bool noQuit = false);

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
};

// Deletes every index file under the program folder and builds the standing indexes of every
// company again at once, as the next start and the activation of each company would (the
// working indexes are built at each use anyway). Refused, with nothing deleted, while another
// station holds any table or index of the folder. Companies are those of the company register
// whose folder exists. Leaves every table closed and company "000" active.
IndexRebuild rebuildIndexes(Session& program);

}  // namespace kavrina::store::archive
