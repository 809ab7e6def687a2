// An XLSX file read back by openpyxl (tests/reports/xlsx_dump.py): one line per cell, so that
// a test sees what a spreadsheet program sees, not what our writer meant.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace kavrina::test {

// The dump's lines; the test fails when the reader fails.
inline std::vector<std::string> xlsxCells(const std::filesystem::path& file) {
  const std::string command =
      "/usr/bin/python3 '" KAVRINA_XLSX_DUMP "' '" + file.string() + "' 2>&1";
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return {};
  }
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0) << out;
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The dump's line of one cell ("Nalog!B7"), empty when the cell is empty.
inline std::string xlsxCell(const std::vector<std::string>& cells, const std::string& where) {
  for (const std::string& line : cells)
    if (line.starts_with(where + " ")) return line.substr(where.size() + 1);
  return {};
}

}  // namespace kavrina::test
