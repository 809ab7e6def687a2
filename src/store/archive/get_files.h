// Listing every file of a folder tree, as the index rebuild and the data archive need it.
// Names that begin with "." are neither listed nor entered: hidden files and folders, and
// the aside files of rewrites in progress, which belong to no table.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "ui/user_interface.h"

namespace kavrina::store::archive {

// Whether a file name matches a listing mask of "*" (any run of characters) and "?" (one
// character), letters in any case. "*.*" matches every name, with a dot or without, as the
// listing masks of the program mean it.
bool matchesMask(std::string_view name, std::string_view mask);

// GETFILES: every file under `folder` whose name matches `mask`, as `folder` / its path
// below `folder`. The files lying directly in `folder` come first, then those of each folder
// below it at any depth, the folders in ascending order of their paths; the files of one
// folder in ascending order of their names. Only regular files are listed: a symbolic link
// is neither listed nor followed (a link planted in a shared folder must not pull files
// from elsewhere into an archive, nor lead a deletion elsewhere), except a link at the top of
// `folder` to a data folder the program itself reads (see linkedFolders); a folder that
// cannot be read is passed over. Lets the pending events of `events` (when given) run
// between folders.
// The symbolic links to folders at the top of `folder`. Followed: those named as a folder
// the program reads its data from ("DBF", "NTX", a company's three digits), each leading
// outside `folder`, not above it, and not where another followed link leads. Refused: the
// links so named that break one of these rules; their files are not listed. Links of other
// names are neither. Names in ascending order.
struct LinkedFolders {
  std::vector<std::string> followed;
  std::vector<std::string> refused;
};
LinkedFolders linkedFolders(const std::filesystem::path& folder);
std::vector<std::string> followedLinks(const std::filesystem::path& folder);

std::vector<std::filesystem::path> GETFILES(const std::filesystem::path& folder,
                                            std::string_view mask = "*.*",
                                            ui::UserInterface* events = nullptr);

}  // namespace kavrina::store::archive
