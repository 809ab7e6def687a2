// Reading a PDF written by kavrina-cli back with the poppler tools: its text layer and its
// page count.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace kavrina::test {

// Standard output of a poppler tool on a file ("pdfinfo", "pdftotext -layout",
// "pdftotext -f 2 -l 2").
inline std::string poppler(const std::string& tool, const std::filesystem::path& pdf) {
  std::string out;
  const std::string toStandardOutput = tool.rfind("pdftotext", 0) == 0 ? " -" : "";
  FILE* pipe =
      ::popen((tool + " '" + pdf.string() + "'" + toStandardOutput + " 2>&1").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  if (pipe) ::pclose(pipe);
  return out;
}

// The text layer of page `page` (from 1).
inline std::string pdfPageText(const std::filesystem::path& pdf, int page) {
  const std::string n = std::to_string(page);
  return poppler("pdftotext -f " + n + " -l " + n, pdf);
}

// The page count pdfinfo reports; -1 when it reports none.
inline int pdfPageCount(const std::filesystem::path& pdf) {
  const std::string info = poppler("pdfinfo", pdf);
  const auto at = info.find("Pages:");
  if (at == std::string::npos) return -1;
  return std::stoi(info.substr(at + 6));
}

}  // namespace kavrina::test
