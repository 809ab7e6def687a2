// A file the user names as output (a PDF, an export), written as a whole: the place is
// checked first (output_target.h), the bytes go beside it into an aside file through the one
// descriptor its exclusive, link-refusing creation returned, never by opening a name again,
// and the file takes its name only once it is complete and flushed. A failure or a kill
// leaves whatever was at the name as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/aside_file.h"

namespace kavrina::output {

// How a write ended: `error` empty when the file lies complete under its name; `warning`
// not empty when it does, but its folder could not be flushed (the name may not outlive a
// power cut).
struct OutputResult {
  std::string error;
  std::string warning;
  bool written() const { return error.empty(); }
};

// The answer of a writer that names its output file: the error of `result`, or no value with
// `warning` (when given) set to the result's warning.
std::optional<std::string> errorOrWarning(OutputResult result, std::string* warning);

// Writes `text` as the whole of `target` through an OutputFile (checked, aside, renamed):
// the message when it was not written, none when it was (then `warning`, when given, holds
// what the user should still know, or is empty).
std::optional<std::string> writeWholeText(const std::filesystem::path& target,
                                          const std::filesystem::path& programFolder, bool replace,
                                          std::string_view text, std::string* warning);

class OutputFile {
 public:
  // Checks `target` against `programFolder` (checkTarget, mayWrite with `replace`) and
  // creates the aside file beside it. Answers the message when it may not or cannot be
  // written (then nothing was created), none when appending may begin.
  std::optional<std::string> open(const std::filesystem::path& target,
                                  const std::filesystem::path& programFolder, bool replace);

  // Appends `bytes`, which go through the aside file's descriptor in blocks. False once a
  // write has failed (later appends write nothing); finish() names the cause.
  bool append(std::span<const char> bytes);

  // Flushes the file, checks the target once more and gives the file its name (replacing
  // only a regular file, and only when `replace` was given). After a failure the aside file
  // is removed.
  OutputResult finish();

  // errno of the first failed write, 0 while none failed.
  int lastError() const { return error_; }

 private:
  // Bytes gathered before they are written: a PDF engine hands over a few bytes at a time.
  static constexpr std::size_t kBlockBytes = 256 * 1024;

  // Writes the gathered bytes at the end of the file; false on a failure now or before.
  bool writePending();

  AsideFile aside_;
  std::filesystem::path target_;
  std::filesystem::path programFolder_;
  bool replace_ = false;
  std::vector<char> pending_;
  std::uint64_t size_ = 0;  // bytes written to the file
  int error_ = 0;
};

}  // namespace kavrina::output
