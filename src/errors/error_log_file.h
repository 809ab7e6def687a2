// The error log "Error.txt": the first output of a run creates it afresh, every later
// output of the run is appended, and the handler closes it with the log tail. The log is
// never written through a symbolic link planted under its name.
#pragma once

#include <filesystem>
#include <string>

#include "common/os_file.h"

namespace kavrina::errors {

inline constexpr const char* kErrorLogName = "Error.txt";

class ErrorLogFile {
 public:
  explicit ErrorLogFile(std::filesystem::path path = {}) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // Writes the text: the first successful write of this object replaces whatever the file
  // held (written aside and renamed into place, so a link standing there is replaced, not
  // followed), later ones append to that same file. Returns false when the file could not
  // be created or written (a read-only folder, a folder in its place, a full disk); the
  // caller goes on regardless.
  bool write(const std::string& text);

  // Closes an entry: LF CR LF CR, the tail, LF CR appended to what this object wrote.
  // Does nothing (returns false) when nothing was written yet, so that a log this run
  // could not create is not mixed into an older one.
  bool appendTail(const std::string& tail);

 private:
  bool create(const std::string& bytes);
  bool append(const std::string& bytes);

  std::filesystem::path path_;
  OsFile file_;  // the log this run created, open from its creation on
};

}  // namespace kavrina::errors
