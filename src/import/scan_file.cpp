// Reading scanner files: bytes split into lines, each line checked as text and cut at ";".
#include "import/scan_file.h"

#include <cstdint>
#include <cstdio>

#include "common/text.h"
#include "common/windows_1250.h"
#include "import/whole_file.h"

namespace kavrina::import {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// An unreadable line is shown up to this many bytes.
constexpr std::size_t kShownBytes = 40;

bool isControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

bool isText(std::string_view line) {
  for (char c : line)
    if (isControl(static_cast<unsigned char>(c))) return false;
  return win1250::isUtf8(line);
}

// The bytes of an unreadable line as printable ASCII, anything else as "\xNN".
std::string shown(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size() && i < kShownBytes; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  if (bytes.size() > kShownBytes) out += "...";
  return out;
}

}  // namespace

std::vector<ScanLine> parseScanText(std::string_view bytes, const std::string& fileName) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<ScanLine> lines;
  int number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    ++number;
    line = text::trimWhitespace(line);
    if (line.empty()) continue;
    ScanLine scan;
    scan.file = fileName;
    scan.line = number;
    if (!isText(line)) {
      scan.readable = false;
      scan.code = shown(line);
      lines.push_back(std::move(scan));
      continue;
    }
    const std::size_t semicolon = line.find(';');
    scan.code = std::string(text::trimWhitespace(line.substr(0, semicolon)));
    if (semicolon != std::string_view::npos) {
      const std::string_view location = text::trimWhitespace(line.substr(semicolon + 1));
      if (!location.empty()) scan.location = std::string(location);
    }
    // A line of only a location ("; 3") names no code: it is kept as it was read.
    if (scan.code.empty()) {
      scan.readable = false;
      scan.code = shown(line);
    }
    lines.push_back(std::move(scan));
  }
  return lines;
}

ScanFilesRead readScanFiles(const std::vector<fs::path>& files) {
  ScanFilesRead out;
  for (const fs::path& file : files) {
    const std::string name = file.string();
    std::string bytes;
    switch (readWholeFile(name, kMaxScanFileBytes, bytes)) {
      case WholeFileFault::None:
        for (ScanLine& line : parseScanText(bytes, file.filename().string()))
          out.lines.push_back(std::move(line));
        continue;
      case WholeFileFault::Unreadable:
        out.error = "Fajl " + name + " ne moze da se procita.";
        break;
      case WholeFileFault::Folder:
        out.error = "Zadat je folder " + name + ", a ne fajl skenera.";
        break;
      case WholeFileFault::NotRegular:
        out.error = "Fajl " + name + " nije obican fajl sa podacima (uredjaj, cev ili slicno).";
        break;
      case WholeFileFault::TooBig:
        out.error = "Fajl " + name + " je veci od " + std::to_string(kMaxScanFileBytes >> 20) +
                    " MB, sto nijedan fajl skenera ne dostize.";
        break;
    }
    out.lines.clear();
    return out;
  }
  return out;
}

}  // namespace kavrina::import
