#include "common/output_file.h"

#include <cerrno>

#include "common/output_target.h"

namespace kavrina::output {

std::optional<std::string> OutputFile::open(const std::filesystem::path& target,
                                            const std::filesystem::path& programFolder,
                                            bool replace) {
  aside_.discard();
  target_ = target;
  programFolder_ = programFolder;
  replace_ = replace;
  size_ = 0;
  error_ = 0;
  pending_.clear();
  const Target place = checkTarget(target, programFolder);
  if (!mayWrite(place, replace)) return refusalText(place, target, programFolder);
  if (const int err = aside_.create(target); err != 0) {
    error_ = err;
    return writeErrorText(err, target);
  }
  return std::nullopt;
}

bool OutputFile::append(std::span<const char> bytes) {
  if (error_ != 0) return false;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  return pending_.size() < kBlockBytes || writePending();
}

bool OutputFile::writePending() {
  if (error_ != 0) return false;
  if (!aside_.isOpen()) {
    error_ = EBADF;
    return false;
  }
  if (pending_.empty()) return true;
  if (!aside_.file().writeAt(size_, pending_)) {
    error_ = aside_.file().lastError();
    pending_.clear();
    return false;
  }
  size_ += pending_.size();
  pending_.clear();
  return true;
}

std::optional<std::string> errorOrWarning(OutputResult result, std::string* warning) {
  if (!result.written()) return std::move(result.error);
  if (warning) *warning = std::move(result.warning);
  return std::nullopt;
}

std::optional<std::string> writeWholeText(const std::filesystem::path& target,
                                          const std::filesystem::path& programFolder, bool replace,
                                          std::string_view text, std::string* warning) {
  if (warning) warning->clear();
  OutputFile file;  // its aside file goes again unless it takes the name
  if (auto refused = file.open(target, programFolder, replace)) return refused;
  file.append({text.data(), text.size()});
  return errorOrWarning(file.finish(), warning);
}

OutputResult OutputFile::finish() {
  OutputResult result;
  if (!writePending()) {
    result.error = writeErrorText(error_, target_);
    aside_.discard();
    return result;
  }
  // The place may have changed while the file was written.
  const Target place = checkTarget(target_, programFolder_);
  if (!mayWrite(place, replace_)) {
    result.error = refusalText(place, target_, programFolder_);
    aside_.discard();
    return result;
  }
  const int err = aside_.publish(replace_);
  if (!aside_.published()) {
    result.error = writeErrorText(err, target_);
  } else if (err != 0) {
    // The file is whole under its name; only the folder's flush failed.
    result.warning = folderFlushWarning(err, target_);
  }
  aside_.discard();
  return result;
}

}  // namespace kavrina::output
