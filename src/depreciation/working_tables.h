// The working tables one operation opens exclusively and must close again whatever
// happens, and the throttled letting-run of window events inside long loops.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/program.h"

namespace kavrina::depreciation {

// Opens working tables through the working-table rule and closes them all when destroyed
// (an early return or an error included). Owns nothing but the list of aliases it opened.
class WorkingTables {
 public:
  explicit WorkingTables(store::Session& program) : program_(program) {}
  ~WorkingTables();
  WorkingTables(const WorkingTables&) = delete;
  WorkingTables& operator=(const WorkingTables&) = delete;

  // Opens `file` exclusively under `alias` with a fresh index on "InvBr". False (nothing
  // opened) when another user holds the file; the file is then remembered as inUse().
  bool open(const std::filesystem::path& file, std::string_view alias);
  // Closes one of the tables opened here.
  void close(std::string_view alias);
  void closeAll();

  const std::filesystem::path& inUse() const { return inUse_; }
  void setInUse(const std::filesystem::path& file) { inUse_ = file; }

 private:
  store::Session& program_;
  std::vector<std::string> aliases_;
  std::filesystem::path inUse_;
};

// Lets pending window events run from a loop that calls it once per record, at most
// every few milliseconds, so that a 100,000-record loop keeps the window painted without
// spending its time in the event loop.
class EventPump {
 public:
  void operator()();

 private:
  static constexpr unsigned kRecordsPerLook = 64;
  std::chrono::steady_clock::time_point last_{};
  unsigned calls_ = 0;
};

}  // namespace kavrina::depreciation
