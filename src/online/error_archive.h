// "Error.zip", the local archive of error logs that could not be sent: its members are read
// in memory (never extracted onto the disk), the logs of the folder are added, and the new
// archive is written aside and renamed over the old one, under its share-mode lock so that
// two stations starting at once cannot lose each other's logs.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::online {

inline constexpr std::string_view kErrorZipName = "Error.zip";

// Limits on what is read from an existing archive: beyond them it counts as damaged.
inline constexpr std::uint64_t kMaxMemberBytes = 64ull << 20;
inline constexpr std::uint64_t kMaxArchiveBytes = 256ull << 20;

// One member of an archive.
struct ZipMember {
  std::string name;
  std::string bytes;
  std::int64_t modified = 0;  // seconds since 1970 (local wall clock as ZIP keeps it)
};

// Whether a member name is a plain file name: not empty, no '/' or '\', not "." or "..",
// no drive letter, no control characters. Only such members are taken from an archive.
bool isPlainMemberName(std::string_view name);

// The members of a ZIP archive held in memory, each checked against its CRC-32. Members
// whose names are not plain are left out and counted in `refused`. No value when the
// archive is damaged, too large (limits above) or not a ZIP archive at all.
std::optional<std::vector<ZipMember>> readZipMembers(const std::string& archive,
                                                     int* refused = nullptr);

// A ZIP archive (deflate) of the members, in memory. Raises std::runtime_error on failure.
std::string buildZip(const std::vector<ZipMember>& members);

// Whether a file name is one of the error logs the archive gathers ("Error*.txt", any case).
bool isErrorLogName(std::string_view name);

// Whether a file of such a name is a log this program wrote: "Error.txt", a report's name
// ("Error-" ...), or text that holds the log's start line ("Program started: ").
bool isOwnErrorLog(std::string_view name, std::string_view bytes);

struct ArchiveOutcome {
  bool written = false;        // the new archive is in place and the logs added are erased
  int refusedMembers = 0;      // members of the old archive left out (names not plain)
  bool keptDamaged = false;    // the old archive could not be read and went in whole
  bool busyElsewhere = false;  // another station holds the archive: nothing was done
};

// Gathers every error log of `folder` ("Error*.txt") into `folder`/"Error.zip" with the
// members the archive already has; a log that has a member of its name replaces it. An old
// archive that cannot be read goes in whole as the member `damagedArchiveName`. The logs
// are erased only once the new archive has its name; on any failure nothing is erased and
// the old archive stays as it was.
ArchiveOutcome archiveErrorLogs(const std::filesystem::path& folder,
                                const std::string& damagedArchiveName);

}  // namespace kavrina::online
