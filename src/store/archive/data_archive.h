// The data archive: listed files of the program folder packed into one standard ZIP file,
// each read under its share-mode lock as a reader, the archive written aside and given its
// name only when complete. See FORMAT.md.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ui/user_interface.h"

namespace kavrina::store::archive {

// A listed file that the archive does not hold.
struct LeftOutFile {
  std::size_t index = 0;  // its place in the list
  std::string name;       // its member name (path below the program folder)
  int error = 0;          // EBUSY: another station holds it exclusively; otherwise errno
};

struct ArchiveOutcome {
  enum class State { Written, Cancelled, Failed };
  State state = State::Failed;
  // Failed: errno of the archive file (0: not one listed file could be archived).
  int error = 0;
  std::size_t members = 0;
  // In list order.
  std::vector<LeftOutFile> leftOut;
};

// Answers false to stop the archive; gets the number of listed files done so far.
using ArchiveProgress = std::function<bool(std::size_t filesDone)>;

// Writes `files` (each lying under `folder`) into a ZIP archive at `target`. Members are
// named by their path below `folder` with "/" between folders (never absolute, never ".."),
// compressed with Deflate, with the file's time and permissions. The archive is written
// aside in `target`'s folder and renamed to `target` only when complete; an existing file of
// that name is replaced only with `replace` (otherwise the outcome is Failed with EEXIST).
// A file that another station holds exclusively (or that cannot be read, or is gone) is left
// out and named in the outcome. `progress` is called after each file and now and then while
// a long one is read; when it answers false the archive stops and nothing is left behind,
// neither under `target` nor aside.
ArchiveOutcome writeDataArchive(const std::filesystem::path& folder,
                                const std::vector<std::filesystem::path>& files,
                                const std::filesystem::path& target, bool replace,
                                const ArchiveProgress& progress = {},
                                ui::UserInterface* events = nullptr);

// The lines that name the files left out, for the closing message: "Fajlovi koji nisu
// arhivirani: N" and one line per file with the reason. Empty when none was left out. At
// most `shown` files are named; the rest are counted.
std::string leftOutText(const std::vector<LeftOutFile>& leftOut, std::size_t shown = 20);

}  // namespace kavrina::store::archive
