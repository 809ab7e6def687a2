// What the Qt report tests share: one QApplication, sample lists, and running the PDF
// tools of poppler (pdftotext, pdfinfo, pdftoppm) on what we wrote.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/number_picture.h"
#include "store/program.h"
#include "support/listed_asset.h"

namespace kavrina::test {

class QtReports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "reports_qt_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  static inline std::unique_ptr<QApplication> app_;
};

// Standard output of a shell command; the test fails when it cannot run or exits non-zero.
inline std::string runTool(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return out;
  }
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = ::pclose(pipe);
  EXPECT_EQ(status, 0) << command << "\n" << out;
  return out;
}

inline std::string quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

// "Pages:" and "Page size:" of pdfinfo.
inline std::string pdfInfoLine(const std::filesystem::path& pdf, const std::string& key) {
  const std::string info = runTool("pdfinfo " + quoted(pdf));
  const auto at = info.find(key);
  if (at == std::string::npos) return {};
  const auto end = info.find('\n', at);
  std::string value = info.substr(at + key.size(), end - at - key.size());
  value.erase(0, value.find_first_not_of(' '));
  return value;
}

inline std::string pad(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

// `count` companies "Firma i" in "Mesto i", codes from 000.
inline void addCompanies(store::Program& program, int count) {
  for (int i = 0; i < count; ++i) {
    char code[8];
    std::snprintf(code, sizeof code, "%03d", i % 1000);
    program.AFIRME.push_back(
        {code, pad("Firma " + std::to_string(i), 30), pad("Mesto " + std::to_string(i), 30)});
  }
}

// `count` assets acquired on 15.03.2020, each of purchase value 1,000 + i.
inline void addAssets(store::Program& program, int count) {
  for (int i = 1; i <= count; ++i) {
    const double value = 1000 + i;
    program.AOSNOVNASREDSTVA.rows.push_back(
        listedAsset(std::to_string(i), "Racunar " + std::to_string(i), Date::fromYmd(2020, 3, 15),
                    value, value, value - value / 4));
  }
}

}  // namespace kavrina::test
