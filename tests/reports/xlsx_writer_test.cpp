// The XLSX writer read back by openpyxl: typed cells, the heading above the frozen column
// titles, SUM formulas with their values stored, and the file written aside and renamed
// (a failed write or rename leaves the old file and no aside file).
#include "reports/xlsx_writer.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/aside_file.h"
#include "common/fault_injection.h"
#include "reports/xlsx_dump.h"
#include "support/temp_dir.h"

namespace kavrina::reports {
namespace {

namespace fs = std::filesystem;
using sheet::Cell;
using sheet::CellKind;
using test::xlsxCell;
using test::xlsxCells;

sheet::Workbook sample() {
  sheet::Sheet s;
  s.name = "Spisak";
  s.heading = {"Preduzece DOO", "Beograd", "Godina: 2025"};
  s.columns = {{"Inventarski broj", CellKind::Text, 16, false},
               {"Datum nabavke", CellKind::Date, 12, false},
               {"Nabavna vrednost", CellKind::Amount, 16, true},
               {"Meseci", CellKind::Number, 8, true}};
  s.rows = {{Cell::ofText("000123"), Cell::ofDate(Date::fromYmd(2024, 2, 29)),
             Cell::ofAmount(1234567.891), Cell::ofNumber(12)},
            {Cell::ofText("7"), Cell::ofDate({}), Cell::ofAmount(0.109), Cell::ofNumber(3)}};
  s.totalsLabel = "UKUPNO:";
  return {{s}};
}

class XlsxWriter : public ::testing::Test {
 protected:
  void TearDown() override { faults::disarm(); }
  fs::path target() const { return dir_ / "spisak.xlsx"; }
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_.path()), {}));
  }
  test::TempDir dir_;
  test::TempDir programFolder_;
};

TEST_F(XlsxWriter, CellsKeepTheirTypesAndTotalsAreFormulasWithStoredSums) {
  ASSERT_EQ(writeXlsx(sample(), target(), programFolder_.path(), false), std::nullopt);
  const auto cells = xlsxCells(target());
  struct Case {
    const char* where;
    const char* line;
  };
  for (const Case& c : {
           Case{"Spisak", "freeze A6"},
           Case{"Spisak!A1", "s Preduzece DOO"},
           Case{"Spisak!A3", "s Godina: 2025"},
           Case{"Spisak!A5", "s Inventarski broj"},
           Case{"Spisak!D5", "s Meseci"},
           Case{"Spisak!A6", "s 000123"},
           Case{"Spisak!B6", "d 2024-02-29 dd.mm.yyyy"},
           Case{"Spisak!C6", "n 1234567.891 #,##0.00"},
           Case{"Spisak!D6", "n 12 #,##0.###"},
           Case{"Spisak!A7", "s 7"},
           Case{"Spisak!B7", ""},
           Case{"Spisak!A8", "s UKUPNO:"},
           Case{"Spisak!C8", "f =SUM(C6:C7) = 1234568 #,##0.00"},
           Case{"Spisak!D8", "f =SUM(D6:D7) = 15 #,##0.###"},
       }) {
    const std::string line =
        std::string(c.where) == "Spisak" ? cells.at(0).substr(7) : xlsxCell(cells, c.where);
    EXPECT_EQ(line, c.line) << c.where;
  }
}

TEST_F(XlsxWriter, TotalOfAnAmountColumnIsTheExactSumOfTheStoredAmounts) {
  sheet::Sheet s;
  s.columns = {{"Iznos", CellKind::Amount, 12, true}};
  for (int i = 0; i < 1000; ++i) s.rows.push_back({Cell::ofAmount(0.1)});
  s.rows.push_back({Cell::ofText("")});
  EXPECT_EQ(columnTotal(s, 0), 100.0);
}

TEST_F(XlsxWriter, PlacesOfEveryOutputFileAreRefused) {
  // In the program folder, and over an existing file without replace.
  EXPECT_NE(writeXlsx(sample(), programFolder_ / "x.xlsx", programFolder_.path(), true),
            std::nullopt);
  EXPECT_FALSE(fs::exists(programFolder_ / "x.xlsx"));
  test::writeFileBytes(target(), "old");
  EXPECT_NE(writeXlsx(sample(), target(), programFolder_.path(), false), std::nullopt);
  EXPECT_EQ(test::readFileBytes(target()), "old");
  EXPECT_EQ(writeXlsx(sample(), target(), programFolder_.path(), true), std::nullopt);
  EXPECT_NE(test::readFileBytes(target()), "old");
}

TEST_F(XlsxWriter, FailedWriteFlushOrRenameLeavesTheOldFileAndNoAsideFile) {
  const std::vector<faults::Trigger> triggers{
      {.op = faults::Op::Write, .nth = 1, .error = ENOSPC},
      {.op = faults::Op::Write, .nth = 1, .error = ENOSPC, .sticky = true},
      {.op = faults::Op::Flush, .nth = 1, .error = EIO},
      {.op = faults::Op::Rename, .nth = 1, .error = EIO},
  };
  for (const faults::Trigger& trigger : triggers) {
    test::writeFileBytes(target(), "old");
    faults::arm(trigger);
    EXPECT_NE(writeXlsx(sample(), target(), programFolder_.path(), true), std::nullopt);
    faults::disarm();
    EXPECT_EQ(test::readFileBytes(target()), "old");
    EXPECT_EQ(filesInFolder(), 1u) << "no aside file left";
  }
}

}  // namespace
}  // namespace kavrina::reports
