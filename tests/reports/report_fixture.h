// Reports composed from a register the test builds: the company "Preduzece DOO" of Beograd,
// its tables in a folder of their own and a printer that records the pages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "depreciation/register_folder.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"

namespace kavrina::reports {

class ReportOnRegister : public ::testing::Test {
 protected:
  ReportOnRegister() {
    program().CKORISNIKNAZIV = "Preduzece DOO";
    program().CKORISNIKMESTO = "Beograd";
  }
  store::Program& program() { return folder_.program(); }
  const PageDocument& doc() const { return printer_.document(); }
  // The texts of the band at `top` mm of page `page`, left to right.
  std::vector<std::string> textsAt(int page, double top) const {
    std::vector<std::string> texts;
    for (const auto& t : test::textsInBand(doc(), page, top)) texts.push_back(t.text);
    return texts;
  }

  depreciation::testing::RegisterFolder folder_;
  RecordingPrinter printer_;
};

}  // namespace kavrina::reports
