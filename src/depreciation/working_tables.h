// The working tables one operation opens exclusively and must close again whatever
// happens; the calculation's loops let window events run through ui::EventPump.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/program.h"
#include "ui/event_pump.h"

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

// The long loops of the calculation let window events run through the shared pump.
using ui::EventPump;

}  // namespace kavrina::depreciation
