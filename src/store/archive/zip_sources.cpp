#include "store/archive/zip_sources.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/os_file.h"
#include "common/output_target.h"

namespace kavrina::store::archive::detail {

namespace fs = std::filesystem;

namespace {

// Reads and writes go to the file in blocks of this size: libzip hands its data over in
// pieces of a few kilobytes, and a system call for each would cost more than the deflating.
constexpr std::size_t kBlockBytes = 1 << 20;
constexpr auto kProgressPause = std::chrono::milliseconds(100);

zip_int64_t failWith(zip_error_t& error, int zipCode, int systemCode) {
  zip_error_set(&error, zipCode, systemCode);
  return -1;
}

// What both sources share: the error libzip asks for, the callback that answers the error
// and the release itself and hands every other command to the source's call(), and the
// making of the libzip source that owns it.
template <class Source>
class ZipSource {
 public:
  ZipSource() { zip_error_init(&error_); }
  ~ZipSource() { zip_error_fini(&error_); }
  ZipSource(const ZipSource&) = delete;
  ZipSource& operator=(const ZipSource&) = delete;

  // The libzip source over `self`; it deletes `self` at ZIP_SOURCE_FREE. Null (and `self`
  // deleted) when libzip cannot make it.
  static zip_source_t* make(std::unique_ptr<Source> self, zip_error_t* error) {
    zip_source_t* source = zip_source_function_create(&callback, self.get(), error);
    if (source != nullptr) self.release();
    return source;
  }

 protected:
  zip_error_t error_;

 private:
  static zip_int64_t callback(void* self, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    auto* source = static_cast<Source*>(self);
    if (cmd == ZIP_SOURCE_ERROR) return zip_error_to_data(&source->error_, data, len);
    if (cmd == ZIP_SOURCE_FREE) {
      delete source;
      return 0;
    }
    return source->call(data, len, cmd);
  }
};

// The archive file, written aside and published by its name only when complete.
class OutputSource final : public ZipSource<OutputSource> {
 public:
  OutputSource(fs::path target, bool replace, ZipJob& job)
      : target_(std::move(target)), replace_(replace), job_(job) {
    buffer_.reserve(kBlockBytes);
  }

  zip_int64_t call(void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    switch (cmd) {
      case ZIP_SOURCE_STAT:
        // The archive is always made anew: there is nothing to read under the name yet.
        return failWith(error_, ZIP_ER_READ, ENOENT);
      case ZIP_SOURCE_BEGIN_WRITE:
        return beginWrite();
      case ZIP_SOURCE_WRITE:
        return write(static_cast<const char*>(data), len);
      case ZIP_SOURCE_SEEK_WRITE: {
        if (!flush()) return -1;
        const zip_int64_t to = zip_source_seek_compute_offset(position_, end_, data, len, &error_);
        if (to < 0) return -1;
        position_ = static_cast<std::uint64_t>(to);
        bufferStart_ = position_;
        return 0;
      }
      case ZIP_SOURCE_TELL_WRITE:
        return static_cast<zip_int64_t>(position_);
      case ZIP_SOURCE_COMMIT_WRITE:
        return commit();
      case ZIP_SOURCE_ROLLBACK_WRITE:
        buffer_.clear();
        aside_.discard();
        return 0;
      case ZIP_SOURCE_REMOVE:
        // An archive without members is never written: nothing lies under the name.
        aside_.discard();
        return 0;
      case ZIP_SOURCE_OPEN:
      case ZIP_SOURCE_READ:
      case ZIP_SOURCE_CLOSE:
      case ZIP_SOURCE_SEEK:
      case ZIP_SOURCE_TELL:
        return failWith(error_, ZIP_ER_OPNOTSUPP, 0);
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
      default:
        return failWith(error_, ZIP_ER_OPNOTSUPP, 0);
    }
  }

 private:
  zip_int64_t outputFailure(int err) {
    if (job_.outputError == 0) job_.outputError = err;
    return failWith(error_, ZIP_ER_WRITE, err);
  }

  zip_int64_t beginWrite() {
    position_ = end_ = bufferStart_ = 0;
    buffer_.clear();
    if (int err = aside_.create(target_); err != 0) {
      if (job_.outputError == 0) job_.outputError = err;
      return failWith(error_, ZIP_ER_OPEN, err);
    }
    return 0;
  }

  zip_int64_t write(const char* data, zip_uint64_t len) {
    if (position_ != bufferStart_ + buffer_.size() && !flush()) return -1;
    if (buffer_.empty()) bufferStart_ = position_;
    buffer_.insert(buffer_.end(), data, data + len);
    position_ += len;
    end_ = std::max(end_, position_);
    if (buffer_.size() >= kBlockBytes && !flush()) return -1;
    return static_cast<zip_int64_t>(len);
  }

  bool flush() {
    if (buffer_.empty()) {
      bufferStart_ = position_;
      return true;
    }
    if (!aside_.file().writeAt(bufferStart_, buffer_)) {
      outputFailure(aside_.file().lastError());
      return false;
    }
    buffer_.clear();
    bufferStart_ = position_;
    return true;
  }

  zip_int64_t commit() {
    // A cancel asked while the last member was finished still stops the archive.
    if (job_.cancelled) return failWith(error_, ZIP_ER_CANCELLED, 0);
    if (!flush()) return -1;
    // Only a regular file (or a link to one) is replaced, whatever took the name meanwhile.
    if (replace_ && output::checkTarget(target_, {}) == output::Target::NotAFile) {
      if (job_.outputError == 0) job_.outputError = EPERM;
      aside_.discard();
      return failWith(error_, ZIP_ER_WRITE, EPERM);
    }
    if (int err = aside_.publish(replace_); err != 0) {
      if (job_.outputError == 0) job_.outputError = err;
      // Renamed, but the folder could not be flushed: the name might not outlive a power
      // cut. A new name goes again; a replaced file cannot come back, and the new one is
      // whole, so it stays.
      if (aside_.published() && !replace_) fileops::removeFile(target_);
      aside_.discard();
      return failWith(error_, err == EEXIST ? ZIP_ER_EXISTS : ZIP_ER_WRITE, err);
    }
    job_.published = true;
    return 0;
  }

  fs::path target_;
  bool replace_;
  ZipJob& job_;
  AsideFile aside_;
  std::vector<char> buffer_;
  std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
  std::uint64_t position_ = 0;     // where the next write goes
  std::uint64_t end_ = 0;          // bytes the file holds, buffered ones counted
};

// One member: the file read under its share-mode lock as a reader, so that a file another
// station holds exclusively (a table being rewritten) is never read half-written.
class MemberSource final : public ZipSource<MemberSource> {
 public:
  MemberSource(fs::path file, std::size_t index, ZipJob& job)
      : file_(std::move(file)), index_(index), job_(job) {}

  zip_int64_t call(void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    switch (cmd) {
      case ZIP_SOURCE_OPEN: {
        if (job_.cancelled) return failWith(error_, ZIP_ER_CANCELLED, 0);
        if (int err = in_.openShareLocked(file_, OsFile::Access::ReadOnly, LockKind::Read);
            err != 0)
          return memberFailure(ZIP_ER_OPEN, err);
        offset_ = 0;
        buffer_.resize(kBlockBytes);
        bufferPos_ = bufferLen_ = 0;
        return 0;
      }
      case ZIP_SOURCE_READ:
        return read(static_cast<char*>(data), len);
      case ZIP_SOURCE_CLOSE:
        in_.close();
        buffer_ = {};
        job_.report(index_ + 1, true);
        return 0;
      case ZIP_SOURCE_STAT:
        return stat(data, len);
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
      default:
        return failWith(error_, ZIP_ER_OPNOTSUPP, 0);
    }
  }

 private:
  zip_int64_t memberFailure(int zipCode, int err) {
    if (!job_.failedMember) {
      job_.failedMember = index_;
      job_.memberError = err;
    }
    return failWith(error_, zipCode, err);
  }

  zip_int64_t read(char* data, zip_uint64_t len) {
    if (!job_.report(index_, false)) return failWith(error_, ZIP_ER_CANCELLED, 0);
    zip_uint64_t done = 0;
    while (done < len) {
      if (bufferPos_ == bufferLen_) {
        const ssize_t got = in_.readAt(offset_, buffer_);
        if (got < 0) return memberFailure(ZIP_ER_READ, in_.lastError());
        if (got == 0) break;
        offset_ += static_cast<std::uint64_t>(got);
        bufferPos_ = 0;
        bufferLen_ = static_cast<std::size_t>(got);
      }
      const std::size_t take = std::min<std::size_t>(len - done, bufferLen_ - bufferPos_);
      std::memcpy(data + done, buffer_.data() + bufferPos_, take);
      bufferPos_ += take;
      done += take;
    }
    return static_cast<zip_int64_t>(done);
  }

  zip_int64_t stat(void* data, zip_uint64_t len) {
    auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &error_);
    if (st == nullptr) return -1;
    zip_stat_init(st);
    struct stat info {};
    if (::lstat(file_.c_str(), &info) == 0) {
      st->size = static_cast<zip_uint64_t>(info.st_size);
      st->mtime = info.st_mtime;
      st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    }
    return sizeof(zip_stat_t);
  }

  fs::path file_;
  std::size_t index_;
  ZipJob& job_;
  OsFile in_;
  std::uint64_t offset_ = 0;
  std::vector<char> buffer_;
  std::size_t bufferPos_ = 0;
  std::size_t bufferLen_ = 0;
};

}  // namespace

bool ZipJob::report(std::size_t filesDone, bool force) {
  if (cancelled) return false;
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - lastProgress < kProgressPause) return true;
  lastProgress = now;
  if (progress && !progress(filesDone)) cancelled = true;
  return !cancelled;
}

zip_source_t* newOutputSource(const fs::path& target, bool replace, ZipJob& job,
                              zip_error_t* error) {
  return OutputSource::make(std::make_unique<OutputSource>(target, replace, job), error);
}

zip_source_t* newMemberSource(const fs::path& file, std::size_t index, ZipJob& job,
                              zip_error_t* error) {
  return MemberSource::make(std::make_unique<MemberSource>(file, index, job), error);
}

}  // namespace kavrina::store::archive::detail
