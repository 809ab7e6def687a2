#include "online/error_archive.h"

#include <sys/stat.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/os_file.h"
#include "common/path_case.h"
#include "online/online_context.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

// How often a new archive is tried when another station created one at the same moment.
constexpr int kArchiveAttempts = 3;

bool readWhole(OsFile& file, std::string& bytes, std::uint64_t limit) {
  const std::int64_t size = file.size();
  if (size < 0 || static_cast<std::uint64_t>(size) > limit) return false;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  std::uint64_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = file.readAt(done, {bytes.data() + done, bytes.size() - done});
    if (got <= 0) return false;
    done += static_cast<std::uint64_t>(got);
  }
  return true;
}

struct ZipDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipDiscard>;

struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// A log file on disk that goes into the archive.
struct LogFile {
  fs::path path;
  ZipMember member;
};

}  // namespace

bool isPlainMemberName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7f) return false;
  }
  return true;
}

bool isErrorLogName(std::string_view name) {
  const std::string lower = lowerCase(name);
  return lower.size() >= 9 && lower.starts_with("error") && lower.ends_with(".txt");
}

bool isOwnErrorLog(std::string_view name, std::string_view bytes) {
  if (!isErrorLogName(name)) return false;
  const std::string lower = lowerCase(name);
  return lower == "error.txt" || lower.starts_with("error-") ||
         bytes.find("Program started: ") != std::string_view::npos;
}

std::optional<std::vector<ZipMember>> readZipMembers(const std::string& archive, int* refused) {
  if (refused != nullptr) *refused = 0;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  if (source == nullptr) {
    zip_error_fini(&error);
    return std::nullopt;
  }
  ZipPtr zip(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
  zip_error_fini(&error);
  if (!zip) {
    zip_source_free(source);
    return std::nullopt;
  }
  std::vector<ZipMember> members;
  std::uint64_t total = 0;
  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_NAME) == 0 || (stat.valid & ZIP_STAT_SIZE) == 0)
      return std::nullopt;
    const std::string name = stat.name;
    if (!name.empty() && name.back() == '/') continue;  // a folder entry holds nothing
    if (!isPlainMemberName(name)) {
      if (refused != nullptr) ++*refused;
      continue;
    }
    if (stat.size > kMaxMemberBytes || total + stat.size > kMaxArchiveBytes) return std::nullopt;
    total += stat.size;
    std::unique_ptr<zip_file_t, ZipFileClose> file(
        zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(i), 0));
    if (!file) return std::nullopt;
    ZipMember member;
    member.name = name;
    member.modified = (stat.valid & ZIP_STAT_MTIME) != 0 ? stat.mtime : 0;
    member.bytes.assign(static_cast<std::size_t>(stat.size), '\0');
    std::uint64_t done = 0;
    while (done < stat.size) {
      const zip_int64_t got = zip_fread(file.get(), member.bytes.data() + done, stat.size - done);
      if (got <= 0) return std::nullopt;
      done += static_cast<std::uint64_t>(got);
    }
    // Reading past the end makes libzip compare the CRC-32 of what was read.
    char probe;
    if (zip_fread(file.get(), &probe, 1) != 0) return std::nullopt;
    members.push_back(std::move(member));
  }
  return members;
}

std::string buildZip(const std::vector<ZipMember>& members) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_error_fini(&error);
  if (buffer == nullptr) throw std::runtime_error("zip: no buffer");
  zip_error_init(&error);
  zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  if (zip == nullptr) {
    zip_source_free(buffer);
    throw std::runtime_error("zip: cannot start an archive");
  }
  // The buffer must outlive zip_close, which writes the archive into it.
  zip_source_keep(buffer);
  for (const ZipMember& member : members) {
    zip_source_t* data = zip_source_buffer(zip, member.bytes.data(), member.bytes.size(), 0);
    if (data == nullptr) break;
    const zip_int64_t index =
        zip_file_add(zip, member.name.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
      zip_source_free(data);
      zip_discard(zip);
      zip_source_free(buffer);
      throw std::runtime_error("zip: cannot add " + member.name);
    }
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
    if (member.modified > 0)
      zip_file_set_mtime(zip, static_cast<zip_uint64_t>(index),
                         static_cast<time_t>(member.modified), 0);
  }
  if (zip_close(zip) != 0) {
    zip_discard(zip);
    zip_source_free(buffer);
    throw std::runtime_error("zip: cannot write the archive");
  }
  std::string bytes;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
    bytes.resize(static_cast<std::size_t>(stat.size));
    const zip_int64_t got = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size) bytes.clear();
  }
  zip_source_free(buffer);
  if (bytes.empty()) throw std::runtime_error("zip: cannot read the archive back");
  return bytes;
}

ArchiveOutcome archiveErrorLogs(const fs::path& folder, const std::string& damagedArchiveName) {
  ArchiveOutcome outcome;
  // The logs on disk: plain files (no links), read whole; one that cannot be read stays.
  std::vector<LogFile> logs;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isErrorLogName(name) || isAsideFileName(name)) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || it->is_symlink(typeError)) continue;
    OsFile file;
    LogFile log{it->path(), {name, {}, 0}};
    if (file.open(it->path(), OsFile::Access::ReadOnly) != 0 ||
        !readWhole(file, log.member.bytes, kMaxMemberBytes))
      continue;
    struct stat info;
    // A file of the user's that only shares the name pattern is neither taken nor erased.
    if (!isOwnErrorLog(name, log.member.bytes)) continue;
    if (::fstat(file.fd(), &info) == 0) log.member.modified = info.st_mtime;
    logs.push_back(std::move(log));
  }
  if (logs.empty()) return outcome;

  for (int attempt = 0; attempt < kArchiveAttempts; ++attempt) {
    const fs::path archive = findNoCase(folder, fs::path(kErrorZipName));
    OsFile held;
    std::vector<ZipMember> members;
    const bool existed = fs::exists(fs::symlink_status(archive, ec));
    if (existed) {
      const int err = held.openShareLocked(archive, OsFile::Access::ReadWrite, LockKind::Write);
      if (err == EBUSY) {
        outcome.busyElsewhere = true;
        return outcome;
      }
      // An archive that cannot be opened or is too large to read is left as it is, and
      // so are the logs: nothing is lost, and the next start tries again.
      std::string old;
      if (err != 0 || !readWhole(held, old, kMaxArchiveBytes)) return outcome;
      int refused = 0;
      if (auto read = readZipMembers(old, &refused)) {
        members = std::move(*read);
        outcome.refusedMembers = refused;
      } else {
        members.push_back({damagedArchiveName, std::move(old), 0});
        outcome.keptDamaged = true;
      }
    }
    for (const LogFile& log : logs) {
      std::erase_if(members, [&](const ZipMember& m) { return m.name == log.member.name; });
      members.push_back(log.member);
    }
    std::string bytes;
    try {
      bytes = buildZip(members);
    } catch (const std::runtime_error&) {
      return outcome;
    }
    AsideFile aside;
    if (aside.create(archive) != 0 || !aside.file().writeAt(0, {bytes.data(), bytes.size()}))
      return outcome;
    const int published = aside.publish(existed);
    if (published == EEXIST && !existed) continue;  // another station made one just now
    if (published != 0) return outcome;
    held.close();
    outcome.written = true;
    for (const LogFile& log : logs) fileops::removeFile(log.path);
    return outcome;
  }
  return outcome;
}

}  // namespace kavrina::online
