#include "store/archive/data_archive.h"

#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/os_file.h"
#include "common/text.h"
#include "store/archive/zip_sources.h"
#include "store/import_lock.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

// The level `zip -r` uses by default: the tables shrink to a fraction at a good speed.
constexpr zip_uint32_t kDeflateLevel = 6;

// The member name of `file`: its path below `folder`; empty when it lies elsewhere.
std::string memberName(const fs::path& folder, const fs::path& file) {
  const fs::path relative = file.lexically_relative(folder);
  if (relative.empty() || relative.is_absolute()) return {};
  for (const fs::path& part : relative)
    if (part == ".." || part == ".") return {};
  return relative.generic_string();
}

// Whether another station holds the file exclusively (or it cannot be read): an attempt at
// the share-mode lock of a reader. Answers errno, 0 when the file can be archived now.
int readable(const fs::path& file) {
  OsFile probe;
  return probe.openShareLocked(file, OsFile::Access::ReadOnly, LockKind::Read);
}

// One attempt at the whole archive with the files marked `included`.
struct Attempt {
  ArchiveOutcome::State state = ArchiveOutcome::State::Failed;
  int error = 0;
  std::size_t members = 0;
  std::optional<std::size_t> failedMember;
  int memberError = 0;
};

Attempt writeOnce(const std::vector<fs::path>& files, const std::vector<std::string>& names,
                  const std::vector<bool>& included, const fs::path& target, bool replace,
                  const ArchiveProgress& progress) {
  Attempt out;
  detail::ZipJob job;
  job.progress = progress;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* output = detail::newOutputSource(target, replace, job, &error);
  zip_t* archive =
      output ? zip_open_from_source(output, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
  if (archive == nullptr) {
    if (output != nullptr) zip_source_free(output);
    out.error = ENOMEM;
    zip_error_fini(&error);
    return out;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!included[i]) continue;
    struct stat info {};
    const mode_t mode = ::lstat(files[i].c_str(), &info) == 0 ? info.st_mode & 0777 : 0644;
    zip_source_t* member = detail::newMemberSource(files[i], i, job, &error);
    const zip_int64_t at =
        member ? zip_file_add(archive, names[i].c_str(), member, ZIP_FL_ENC_GUESS) : -1;
    if (at < 0) {
      if (member != nullptr) zip_source_free(member);
      zip_discard(archive);
      out.error = ENOMEM;
      zip_error_fini(&error);
      return out;
    }
    const auto index = static_cast<zip_uint64_t>(at);
    zip_set_file_compression(archive, index, ZIP_CM_DEFLATE, kDeflateLevel);
    zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                     static_cast<zip_uint32_t>(S_IFREG | mode) << 16);
    ++out.members;
  }
  zip_error_fini(&error);
  if (zip_close(archive) == 0) {
    // Closed without a member (every file left out): libzip writes nothing then.
    out.state = job.published ? ArchiveOutcome::State::Written : ArchiveOutcome::State::Failed;
    return out;
  }
  zip_discard(archive);
  if (job.cancelled) {
    out.state = ArchiveOutcome::State::Cancelled;
  } else if (job.failedMember) {
    out.failedMember = job.failedMember;
    out.memberError = job.memberError;
  } else {
    out.error = job.outputError != 0 ? job.outputError : EIO;
  }
  return out;
}

std::string reason(int error) {
  if (error == EBUSY) return "koristi ga drugi korisnik";
  if (error == ENOENT) return "obrisan je u medjuvremenu";
  return "greska pri citanju";
}

}  // namespace

ArchiveOutcome writeDataArchive(const fs::path& folder, const std::vector<fs::path>& files,
                                const fs::path& target, bool replace,
                                const ArchiveProgress& progress, ui::UserInterface* events) {
  ArchiveOutcome out;
  // What a process ended in the middle of an archive left beside the target.
  removeStaleAsideFiles(fileops::folderOf(target));
  std::vector<std::string> names(files.size());
  std::vector<bool> included(files.size(), true);
  // Files already held exclusively are known before anything is written.
  for (std::size_t i = 0; i < files.size(); ++i) {
    names[i] = memberName(folder, files[i]);
    const int err = names[i].empty() ? EINVAL : readable(files[i]);
    if (err != 0) {
      included[i] = false;
      out.leftOut.push_back({i, names[i].empty() ? files[i].string() : names[i], err});
    }
  }
  // Each asset register goes in as it stands before another station's import or after it:
  // imports wait until the archive is written; one that does not end in time leaves the
  // register out, as a file in use.
  std::vector<std::unique_ptr<store::ImportLock>> registers;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!included[i] || text::upper(files[i].filename().string()) != "MDOS.DBF") continue;
    auto lock = std::make_unique<store::ImportLock>(files[i], store::ImportLock::Use::Read, events);
    if (lock->held()) {
      registers.push_back(std::move(lock));
    } else {
      included[i] = false;
      out.leftOut.push_back({i, names[i], lock->error()});
    }
  }
  // A station that takes a file exclusively while the archive is written makes the attempt
  // fail at that file; the archive is then written again without it.
  for (;;) {
    const Attempt attempt = writeOnce(files, names, included, target, replace, progress);
    if (attempt.failedMember) {
      const std::size_t i = *attempt.failedMember;
      included[i] = false;
      out.leftOut.push_back({i, names[i], attempt.memberError});
      continue;
    }
    out.state = attempt.state;
    out.error = attempt.error;
    if (out.state == ArchiveOutcome::State::Written) out.members = attempt.members;
    break;
  }
  std::sort(out.leftOut.begin(), out.leftOut.end(),
            [](const LeftOutFile& a, const LeftOutFile& b) { return a.index < b.index; });
  return out;
}

std::string leftOutText(const std::vector<LeftOutFile>& leftOut, std::size_t shown) {
  if (leftOut.empty()) return {};
  std::string text = "Fajlovi koji nisu arhivirani: " + std::to_string(leftOut.size());
  for (std::size_t i = 0; i < leftOut.size() && i < shown; ++i)
    text += "\n" + leftOut[i].name + " (" + reason(leftOut[i].error) + ")";
  if (leftOut.size() > shown) text += "\n... i jos " + std::to_string(leftOut.size() - shown);
  return text;
}

}  // namespace kavrina::store::archive
