// The engine of the list reports. A report describes itself as data (ListReport): its
// columns with the kind of their values, the page heading, its rows as typed cells and which
// columns carry totals; drawListReport pages it: the frame and the column heading on every
// page, the rows in their slots, the totals band and the closing block below the last row.
// The same description serves a reader that wants the values without printing (a
// spreadsheet): visitListRows and listTotals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "common/date.h"
#include "reports/page_frame.h"
#include "ui/printer.h"

namespace kavrina::reports {

// What the values of a column are. The printed text is always there; the typed value beside
// it is the number (Amount, Count) or the date (Date) that text shows.
enum class ValueKind : std::uint8_t {
  Text,             // free text
  InventoryNumber,  // an inventory number: text, never a number (leading zeros, blanks)
  Amount,           // an amount of money with the column's `decimals`
  Date,             // a date
  Count,            // a whole number: an ordinal, months
};

// One cell of a row: its text as printed and its typed value by the column's kind.
struct ListCell {
  std::string text;
  double number = 0;  // Amount and Count
  Date date;          // Date; empty when the text is no date
};

struct ListColumn {
  std::string title;  // the column's caption lines joined by a blank
  double left = 0;    // the cells' span in millimetres
  double right = 0;
  ui::TextAlign align = ui::TextAlign::Left;
  ValueKind kind = ValueKind::Text;
  int decimals = 0;         // Amount: decimals printed
  bool totalled = false;    // the totals band carries the sum of the column
  std::uint32_t color = 0;  // the cells' text colour (0x00BBGGRR as the printer takes it)
};

// One caption line of the column heading, drawn in (left, top, right, top + 4).
struct HeadingCaption {
  std::string text;
  double left = 0;
  double right = 0;
  double top = 0;
  ui::TextAlign align = ui::TextAlign::Left;
};

// What every page carries above the rows.
struct ListPageHeading {
  FrameHeading frame;
  FrameLayout layout;
  std::string thirdLine;  // when set: bold, size 10, in (8, 19, 202, 24) below the frame
  ui::RectMm box;         // the box around the column heading
  std::vector<HeadingCaption> captions;
};

// Row slots: slot k (from 1) starts at base + 5k and is `rowHeight` high.
inline constexpr double kSlotBase = 26;
inline constexpr double kSlotHeight = 5;
inline constexpr int kSlotsPerPage = 50;
struct ListSlots {
  double base = kSlotBase;
  double rowHeight = kSlotHeight;
  int perPage = kSlotsPerPage;
};

inline constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// The band below the last row: a rule (or a box) and, when `label` is set, the totals line.
// Positions are relative to T, the top of the slot after the last row.
struct ListTotalsBand {
  bool box = false;  // a box of height `height` instead of a rule
  double left = 10;
  double right = 200;
  double ruleOffset = 0;  // the rule or the box top at T + ruleOffset
  double lineOffset = 0;  // the totals line from T + lineOffset, `height` high
  double height = kSlotHeight;
  std::string label;  // empty: no totals line
  // The label's span; or, when `labelColumn` is set, the label takes that column's place and
  // every column is drawn, empty where it carries no total.
  double labelLeft = 0;
  double labelRight = 0;
  std::optional<std::size_t> labelColumn;
  double lastTop = kNoLimit;  // past this T the band goes on a new page
};

// What follows the band (signatures): drawn by `draw` with the T of the band. Past
// `lastTop` it goes on a continuation page: the frame with `continuation` and, instead of
// the column heading, only the top rule of its box.
struct ListClosing {
  std::function<void(ui::Printer&, double top)> draw;
  double lastTop = kNoLimit;
  FrameHeading continuation;
};

// A list report as data. `row` fills the cells (one per column) of input row `index` and
// answers whether the row is printed; `ordinal` is the number of the next printed row
// (from 1). A row that is left out still starts a new page when the page is full.
struct ListReport {
  ReportStyle style;
  std::vector<ListColumn> columns;
  ListPageHeading heading;
  ListSlots rowSlots;
  std::size_t rowCount = 0;
  std::function<bool(std::size_t index, std::size_t ordinal, std::vector<ListCell>& cells)> row;
  ListTotalsBand totals;
  ListClosing closing;
  // Called after every kRowsPerEventPass input rows (lets pending window events run).
  std::function<void()> eventPass;
  // Whether `row` holds what it reads, by value or shared ownership, and reads nothing that
  // may change: the rows can then be walked again after printing, and the spreadsheet of a
  // kept document is made only when it is asked for. Otherwise it is gathered as the rows are
  // drawn (a report that reads the register for each row, as the register of 2019 does).
  bool rowsKept = false;
};

// The sums of the totalled columns: the typed values added exactly in thousandths, as the
// stored amounts are kept.
class ListTotals {
 public:
  explicit ListTotals(const std::vector<ListColumn>& columns) : sums_(columns.size(), 0) {}
  void add(const std::vector<ListColumn>& columns, const std::vector<ListCell>& cells);
  double value(std::size_t column) const { return static_cast<double>(sums_[column]) / 1000.0; }

 private:
  std::vector<std::int64_t> sums_;
};

// Pages `report` into `printer`, whose document is begun and set up (paper, orientation,
// body font): every page opens with the frame and the column heading; the rows fill the
// slots; below the last row the totals band and the closing block, each moved to a page of
// its own when past its limit. With no rows at all one page holds the band.
void drawListReport(ui::Printer& printer, const ListReport& report);

// Calls `visit` with the cells of each printed row in order, without printing.
void visitListRows(const ListReport& report,
                   const std::function<void(const std::vector<ListCell>&)>& visit);

// The totals of the printed rows, without printing.
ListTotals listTotals(const ListReport& report);

// The column-heading box (8, 21, 202, 30) of the numbered list reports and its first three
// captions: "Redni" / "broj" and "Inventarski" / "broj" (tops 22 and 26) and "Naziv
// osnovnog sredstva" (top 24), all left-aligned in 10-20, 20-40 and 40-90.
void useNumberedListHeading(ListPageHeading& heading);

// The columns under that heading: the ordinal right-aligned in 10-16, the inventory number
// in 20-40 and the name in 40-90, left-aligned.
std::vector<ListColumn> numberedListColumns();

// A signature below a list: `caption` centred in (left, top + 8, right, top + 13) and the
// line to sign on at top + 15.
void drawSignature(ui::Printer& printer, std::string_view caption, double left, double right,
                   double top);

}  // namespace kavrina::reports
