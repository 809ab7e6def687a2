// The error log "Error.txt": the first output of a run creates it afresh, every later
// output of the run is appended, and the handler closes it with the log tail.
#pragma once

#include <filesystem>
#include <string>

namespace kavrina::errors {

inline constexpr const char* kErrorLogName = "Error.txt";

class ErrorLogFile {
 public:
  explicit ErrorLogFile(std::filesystem::path path = {}) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // Writes the text: the first successful write of this object replaces whatever the file
  // held, later ones append. Returns false when the file could not be created or written
  // (a read-only folder, a folder in its place); the caller goes on regardless.
  bool write(const std::string& text);

  // Closes an entry: LF CR LF CR, the tail, LF CR appended to what this object wrote.
  // Does nothing (returns false) when nothing was written yet, so that a log this run
  // could not create is not mixed into an older one.
  bool appendTail(const std::string& tail);

 private:
  bool appendBytes(const std::string& bytes, bool create);

  std::filesystem::path path_;
  bool created_ = false;
};

}  // namespace kavrina::errors
