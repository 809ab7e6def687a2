// The working tables one operation opens exclusively and must close again whatever
// happens; the calculation's loops let window events run through ui::EventPump.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/dbf/dbf_header.h"
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

  // Opens `file` exclusively under `alias` with a fresh index on the inventory number. False
  // (nothing opened) when another user holds the file; the file is then remembered as inUse().
  bool open(const std::filesystem::path& file, std::string_view alias);
  // Opens a new, empty `file` with `structure` the same way, written beside its name, which
  // it takes only when the table is published: closed before that, nothing is left. False
  // as for open().
  bool openNew(const std::filesystem::path& file, const store::Structure& structure,
               std::string_view alias);
  // Closes one of the tables opened here.
  void close(std::string_view alias);
  void closeAll();

  const std::filesystem::path& inUse() const { return inUse_; }
  void setInUse(const std::filesystem::path& file) { inUse_ = file; }

 private:
  // Runs one of the store's opens under the rules of open().
  bool opened(const std::filesystem::path& file, std::string_view alias,
              const std::function<bool()>& open);

  store::Session& program_;
  std::vector<std::string> aliases_;
  std::filesystem::path inUse_;
};

// The long loops of the calculation let window events run through the shared pump.
using ui::EventPump;

}  // namespace kavrina::depreciation
