// The two kinds of data source that libzip writes the data archive with, both over the
// program's own file layer: the archive file itself, written aside and renamed into place
// only when libzip has written it whole, and each member, read under its share-mode lock as
// a reader. Internal to the archive writer.
#pragma once

#include <zip.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>

namespace kavrina::store::archive::detail {

// What the sources of one attempt at writing an archive share and report back.
struct ZipJob {
  // Called after each member with the number of listed files done, and now and then while a
  // long member is read; answers false to stop the archive (a cancel).
  std::function<bool(std::size_t filesDone)> progress;
  bool cancelled = false;
  // The member that could not be opened or read (its index in the list) and errno.
  std::optional<std::size_t> failedMember;
  int memberError = 0;
  // errno of a failure to write or publish the archive file itself.
  int outputError = 0;
  bool published = false;
  std::chrono::steady_clock::time_point lastProgress{};

  // Calls `progress` (when `force`, or at most every 0.1 s); false once a cancel was asked.
  bool report(std::size_t filesDone, bool force);
};

// The archive file: created aside in `target`'s folder when libzip begins writing, given the
// name `target` when it commits (replacing a file of that name only with `replace`), removed
// when it rolls back. The source belongs to the archive it is opened with (or is to be freed
// with zip_source_free when the open fails).
zip_source_t* newOutputSource(const std::filesystem::path& target, bool replace, ZipJob& job,
                              zip_error_t* error);

// The member `index` of the list: `file`, opened and locked as a reader when libzip starts
// reading it; a failure is noted in `job` (the attempt then fails and is made again
// without that file). Its size, time and mode come from the file.
zip_source_t* newMemberSource(const std::filesystem::path& file, std::size_t index, ZipJob& job,
                              zip_error_t* error);

}  // namespace kavrina::store::archive::detail
