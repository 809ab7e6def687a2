// Fuzz target: any bytes as a scanner file of a count, read as `stampa razlike` reads it.
// Unreadable lines are the expected outcome of broken input; a crash, a hang, or a line
// taken as a code that is no printable UTF-8 text is a finding.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/windows_1250.h"
#include "import/scan_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int previous = 0;
  for (const kavrina::reports::ScanLine& line : kavrina::import::parseScanText(bytes, "s.txt")) {
    if (line.line <= previous || line.code.empty()) std::abort();
    previous = line.line;
    if (!line.readable) continue;
    if (!kavrina::win1250::isUtf8(line.code)) std::abort();
    for (char c : line.code)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ';') std::abort();
    if (line.location && line.location->empty()) std::abort();
  }
  return 0;
}
