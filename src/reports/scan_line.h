// One line a scanner read at a count, as the comparison with the register takes it; the
// files are read in import/scan_file.h.
#pragma once

#include <optional>
#include <string>

namespace kavrina::reports {

// One non-blank line of a scanner file.
struct ScanLine {
  std::string file;  // the file's name as given, for the listing
  int line = 0;      // from 1, counted as the file's lines (blank ones too)
  // The code without surrounding white space; for an unreadable line its bytes shown with
  // "\xNN" for anything that is not printable text.
  std::string code;
  // The location after ";", without surrounding white space; no value when the line names
  // none.
  std::optional<std::string> location;
  // False for a line that is no text: control bytes or bytes that are not UTF-8.
  bool readable = true;
};

}  // namespace kavrina::reports
