// The list-report engine on a small report of three rows a page: where rows, the totals band
// and the closing block fall across page breaks, and the values read without printing.
#include "reports/list_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/number_picture.h"
#include "reports/recorded_page.h"
#include "reports/recording_printer.h"

namespace kavrina::reports {
namespace {

using test::findText;
using test::opsOf;
using test::textsInBand;
using ui::TextAlign;

constexpr int kPerPage = 3;
// Slot k of the test report starts at 26 + 5k: 31, 36, 41; the slot after a full page at 46.
double slotTopOf(int k) {
  return kSlotBase + kSlotHeight * k;
}

// Rows of 0.10 each, row `skipped` (from 0, -1 for none) left out.
ListReport tenthsReport(int rows, int skipped = -1) {
  ListReport report;
  report.columns = {{"Redni broj", 10, 16, TextAlign::Right, ValueKind::Count},
                    {"Iznos", 20, 40, TextAlign::Right, ValueKind::Amount, 2, true}};
  report.heading.frame = {"Lista", "Firma", "na dan: 31.12.2024", "Mesto"};
  report.heading.box = {8, 21, 202, 30};
  report.heading.captions = {{"Iznos", 20, 40, 24, TextAlign::Right}};
  report.rowSlots.perPage = kPerPage;
  report.rowCount = static_cast<std::size_t>(rows);
  report.row = [skipped](std::size_t i, std::size_t ordinal, std::vector<ListCell>& cells) {
    if (static_cast<int>(i) == skipped) return false;
    cells[0] = {std::to_string(ordinal), static_cast<double>(ordinal), {}};
    cells[1] = {"0.10", 0.1, {}};
    return true;
  };
  report.totals.label = "Ukupno:";
  report.totals.labelLeft = 10;
  report.totals.labelRight = 18;
  report.closing.draw = [](ui::Printer& printer, double top) {
    printer.DrawText("Potpis", {10, top + 8, 50, top + 13}, TextAlign::Center);
  };
  report.closing.continuation = {"Lista", "Firma", "nastavak", "Mesto"};
  return report;
}

struct PagingCase {
  const char* name;
  int rows;
  int skipped;            // -1: every row printed
  double bandLastTop;     // kNoLimit: the band stays below the last row
  double closingLastTop;  // kNoLimit: the closing stays below the band
  int pages;
  int bandPage;  // the page (from 0) and the slot top of the totals band
  double bandTop;
  int closingPage;
  int printedRows;
};

class ListEnginePaging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(ListEnginePaging, RowsBandAndClosingFallWhereThePageLeavesRoom) {
  const PagingCase& c = GetParam();
  const ListReport report = tenthsReport(c.rows, c.skipped);
  ListReport limited = report;
  limited.totals.lastTop = c.bandLastTop;
  limited.closing.lastTop = c.closingLastTop;
  RecordingPrinter printer;
  printer.BeginDoc();
  drawListReport(printer, limited);
  printer.EndDoc();
  const PageDocument& doc = printer.document();

  ASSERT_EQ(doc.pageCount(), c.pages);
  for (int page = 0; page < c.pages; ++page) {
    const bool continuation = page == c.closingPage && page != c.bandPage;
    EXPECT_EQ(findText(doc, page, "Strana " + std::to_string(page + 1)).has_value(), true);
    EXPECT_EQ(findText(doc, page, "Iznos").has_value(), !continuation) << "page " << page;
    EXPECT_EQ(findText(doc, page, "nastavak").has_value(), continuation) << "page " << page;
  }
  // Every printed row holds its ordinal in the slots, page after page.
  for (int n = 1; n <= c.printedRows; ++n) {
    const int page = (n - 1) / kPerPage;
    const auto cells = textsInBand(doc, page, slotTopOf((n - 1) % kPerPage + 1));
    ASSERT_EQ(cells.size(), 2u) << "row " << n;
    EXPECT_EQ(cells[0].text, std::to_string(n));
  }
  const auto total = findText(doc, c.bandPage, "Ukupno:");
  ASSERT_TRUE(total);
  EXPECT_EQ(total->rect.top, c.bandTop);
  const auto sums = textsInBand(doc, c.bandPage, c.bandTop);
  ASSERT_EQ(sums.size(), 2u);
  EXPECT_EQ(sums[1].text, formatAmountGrowing(c.printedRows / 10.0));
  const auto rules = opsOf(doc, c.bandPage, OpKind::Line);
  EXPECT_EQ(rules[1].rect(), (ui::RectMm{10, c.bandTop, 200, c.bandTop}));
  const auto signature = findText(doc, c.closingPage, "Potpis");
  ASSERT_TRUE(signature);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListEnginePaging,
    ::testing::Values(
        PagingCase{"RowsFillAPageExactly", 3, -1, kNoLimit, kNoLimit, 1, 0, slotTopOf(4), 0, 3},
        PagingCase{"OneMoreRowOpensPageTwo", 4, -1, kNoLimit, kNoLimit, 2, 1, slotTopOf(2), 1, 4},
        PagingCase{"BandPastItsLimitGoesToANewPage", 3, -1, slotTopOf(3), kNoLimit, 2, 1,
                   slotTopOf(1), 1, 3},
        PagingCase{"BandWithinItsLimitStays", 2, -1, slotTopOf(3), kNoLimit, 1, 0, slotTopOf(3), 0,
                   2},
        PagingCase{"ClosingPastItsLimitGoesToAContinuation", 3, -1, kNoLimit, slotTopOf(3), 2, 0,
                   slotTopOf(4), 1, 3},
        PagingCase{"SkippedRowAfterAFullPageOpensThePageOfTheBand", 4, 3, kNoLimit, kNoLimit, 2, 1,
                   slotTopOf(1), 1, 3},
        PagingCase{"NoRowsPrintTheBandOnOnePage", 0, -1, kNoLimit, kNoLimit, 1, 0, slotTopOf(1), 0,
                   0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListEngine, ValuesAndTotalsAreReadWithoutPrinting) {
  // 1,001 rows of 0.10 and one left out: the exact sum is 100.10, not a float drift of it.
  const ListReport report = tenthsReport(1002, 500);
  std::vector<double> ordinals;
  visitListRows(report, [&](const std::vector<ListCell>& cells) {
    ordinals.push_back(cells[0].number);
    EXPECT_EQ(cells[1].number, 0.1);
  });
  ASSERT_EQ(ordinals.size(), 1001u);
  EXPECT_EQ(ordinals.back(), 1001);
  const ListTotals totals = listTotals(report);
  EXPECT_EQ(totals.value(1), 100.1);
  EXPECT_EQ(totals.value(0), 0) << "a column without totals sums nothing";
}

}  // namespace
}  // namespace kavrina::reports
