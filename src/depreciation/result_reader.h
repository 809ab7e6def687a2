// A calculation's result table opened for reading alone: shared and read-only, so that
// stations printing from the same calculation at the same time do not refuse each other,
// and without an index file, so that nothing is left in the company's shared folders.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/dbf/dbf_table.h"
#include "store/program.h"

namespace kavrina::depreciation {

// Opens a result table under its alias ("BazaRA" or "BazaPA", whose structure it must
// have) and closes it when the object goes, also when the table layer raises an error.
class ResultTableReader {
 public:
  ResultTableReader(store::Session& program, std::string_view alias)
      : program_(program), alias_(alias) {}
  ~ResultTableReader();
  ResultTableReader(const ResultTableReader&) = delete;
  ResultTableReader& operator=(const ResultTableReader&) = delete;

  // Opens the file shared and read-only, in record order (records marked deleted hidden as
  // the program hides them), and checks its structure (raising the structure error when it
  // differs); read from top to bottom in one pass. False when another user holds the file
  // exclusively (a calculation of that period running). Raises the table layer's other errors.
  bool open(const std::filesystem::path& file);
  store::DbfTable& table() { return program_.areas[alias_]; }

 private:
  store::Session& program_;
  std::string alias_;
  bool open_ = false;
};

}  // namespace kavrina::depreciation
