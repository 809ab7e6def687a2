// The accounting and tax depreciation statements and form OA. The result table is read
// whole into memory first (shared, read-only), so that the pages are composed without
// holding it and two stations may print the same calculation at once.
#include "reports/statements.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/path_case.h"
#include "common/reorder.h"
#include "common/text.h"
#include "depreciation/mdos_scan.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "depreciation/ucitaj_pamram.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "reports/oa_workbook.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "store/database.h"
#include "store/import_lock.h"

namespace kavrina::reports {
namespace {

namespace fs = std::filesystem;
using depreciation::thousandths;
using ui::TextAlign;

constexpr std::string_view kAliasRa = "BazaRA";
constexpr std::string_view kAliasPa = "BazaPA";

std::string trimmedText(std::string_view value) {
  return std::string(text::trimBlanks(value));
}

std::string amountOfThousandths(std::int64_t value) {
  return formatAmountGrowing(static_cast<double>(value) / 1000.0);
}

// What `read(table, step)` gives of the row's result table, read shared and read-only; no
// value, the wait notice closed and the user told, when another user holds the table.
template <class Result, class Read>
std::optional<Result> readResultTable(store::Program& program, const CalculationRow& row,
                                      std::string_view alias, std::unique_ptr<ui::WaitNotice>& wait,
                                      Read read) {
  const fs::path file = findCaseInsensitive(store::dataPath(program, trimmedText(row.file)));
  depreciation::ResultTableReader reader(program, alias);
  if (!reader.open(file)) {
    wait.reset();
    program.userInterface().messageBox(depreciation::tableInUseMessage(file),
                                       ui::MessageKind::Error, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  return read(reader.table(), [&program, n = std::size_t{0}]() mutable {
    if (++n % kRowsPerEventPass == 0) program.userInterface().processEvents();
  });
}

// One line of a statement as both statements fill it from their own side.
struct StatementLine {
  double purchase = 0;      // MDOS RAOsn / PAOsn
  double prVr = 0;          // RAPrVr / PAPrVr
  bool acquired = false;    // RANab / PANab
  double base = 0;          // RAOsn / PAOsn of the result
  double rate = 0;          // RAStopa / PAStopa
  int months = 0;           // BrMes
  double depreciation = 0;  // RAm / PAm
};

// The columns of both statements: the row number, the asset, and the line's amounts.
std::vector<ListColumn> statementColumns() {
  const auto amount = [](std::string title, double left, double right, bool totalled) {
    return ListColumn{std::move(title),  left, right,   TextAlign::Right,
                      ValueKind::Amount, 2,    totalled};
  };
  return {{"Redni broj", 10, 16, TextAlign::Right, ValueKind::Count},
          {"Inventarski broj", 20, 40, TextAlign::Left, ValueKind::InventoryNumber},
          {"Naziv osnovnog sredstva", 40, 90, TextAlign::Left, ValueKind::Text},
          amount("Nabavna vrednost", 90, 110, true),
          amount("Ispravka vrednosti", 110, 130, true),
          amount("Osnovica", 130, 150, true),
          amount("Godisnja stopa (%)", 150, 165, false),
          {"Meseci", 165, 180, TextAlign::Center, ValueKind::Count},
          amount("Amortizacija", 180, 200, true)};
}

void addStatementCaptions(ListPageHeading& heading) {
  useNumberedListHeading(heading);
  heading.captions.insert(heading.captions.end(),
                          {{"Nabavna", 90, 110, 22, TextAlign::Right},
                           {"vrednost", 90, 110, 26, TextAlign::Right},
                           {"Ispravka", 110, 130, 22, TextAlign::Right},
                           {"vrednosti", 110, 130, 26, TextAlign::Right},
                           {"Osnovica", 130, 150, 24, TextAlign::Right},
                           {"Godisnja", 150, 165, 22, TextAlign::Right},
                           {"stopa (%)", 150, 165, 26, TextAlign::Right},
                           {"Meseci", 165, 180, 24, TextAlign::Center},
                           {"Amortizacija", 180, 200, 24, TextAlign::Right}});
}

void setAmount(ListCell& cell, double value) {
  cell.text = formatAmountGrowing(value);
  cell.number = value;
}

// A printed asset as its statement line shows it.
struct StatementEntry {
  std::string InvBr;
  std::string Naziv;
  StatementLine line;
};

// The statement's input rows: every asset of the register in its index order (a row left out
// still counts for the paging), each pointing to its printed entry or to none.
struct StatementEntries {
  static constexpr std::uint32_t kNotPrinted = UINT32_MAX;
  std::vector<std::uint32_t> entryOfRow;
  std::vector<StatementEntry> printed;
};

// The cells of a statement line of `asset` numbered `ordinal`.
void fillStatementCells(const StatementEntry& asset, std::size_t ordinal,
                        std::vector<ListCell>& cells) {
  const StatementLine& line = asset.line;
  const std::int64_t accumulated =
      line.acquired ? 0 : thousandths(line.purchase) - thousandths(line.prVr);
  cells[0].text = formatOrdinalGrowing(static_cast<double>(ordinal));
  cells[0].number = static_cast<double>(ordinal);
  cells[1].text = trimmedText(asset.InvBr);
  cells[2].text = asset.Naziv;
  setAmount(cells[3], line.purchase);
  setAmount(cells[4], static_cast<double>(accumulated) / 1000.0);
  setAmount(cells[5], line.base);
  cells[6].text = formatPicture(line.rate, kPictureRate);
  cells[6].number = line.rate;
  cells[7].text = formatPicture(line.months, kPictureMonths);
  cells[7].number = line.months;
  setAmount(cells[8], line.depreciation);
}

// The first row of each inventory number, as a seek on the table's fresh index finds it.
template <class Row>
std::unordered_map<std::string, const Row*> byInvBr(const std::vector<Row>& rows) {
  std::unordered_map<std::string, const Row*> found;
  found.reserve(rows.size());
  for (const Row& r : rows) found.emplace(r.InvBr, &r);
  return found;
}

// Every asset of `MDOS` (checked against its structure when it was opened) in the order of
// its index, those printed with their lines: `lineOf(asset, results)` gives the line of an
// asset, or no value when it is not printed. Only what the lines show is kept.
template <class Results, class LineOf>
StatementEntries statementEntries(store::Program& program, const Results& results, LineOf lineOf) {
  // The register as it stands before another station's import or after it.
  const store::RegisterReading reading(program);
  if (!reading.held()) return {};
  StatementEntries entries;
  // Room for every asset printed: pages never written to cost nothing.
  const auto assets = static_cast<std::size_t>(program.areas["MDOS"].recCount());
  entries.entryOfRow.reserve(assets);
  entries.printed.reserve(assets);
  using R = store::AssetRecord;
  const auto order = depreciation::visitAssetsInIndexOrder(
      program, store::FieldSet<R>::of(&R::InvBr, &R::Naziv, &R::RAOsn, &R::PAOsn, &R::PAgrupa),
      [&](store::AssetRecord& asset) {
        const std::optional<StatementLine> line = lineOf(asset, results);
        if (!line) {
          entries.entryOfRow.push_back(StatementEntries::kNotPrinted);
          return true;
        }
        if (entries.printed.size() >= StatementEntries::kNotPrinted)
          throw std::length_error("more printed rows than a statement holds");
        entries.entryOfRow.push_back(static_cast<std::uint32_t>(entries.printed.size()));
        entries.printed.push_back({std::move(asset.InvBr), std::move(asset.Naziv), *line});
        return true;
      });
  if (order) reorderInPlace(entries.entryOfRow, std::move(*order));
  return entries;
}

// The statement of one side as data, owning what it read (see statementEntries). The totals
// are exact sums of the stored amounts; they go on a new page when they would reach the
// footer.
template <class Row, class LineOf>
ListReport statementOf(store::Program& program, const CalculationRow& row,
                       const std::vector<Row>& rows, LineOf lineOf) {
  const auto entries =
      std::make_shared<const StatementEntries>(statementEntries(program, byInvBr(rows), lineOf));

  ListReport report;
  report.style = reportStyleOf(program);
  report.columns = statementColumns();
  FrameHeading& heading = report.heading.frame;
  heading.title = trimmedText(row.description);
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = "Godina: " + trimmedText(row.year) + "  //  Meseci: " + trimmedText(row.months);
  heading.secondRight = program.CKORISNIKMESTO;
  addStatementCaptions(report.heading);
  report.rowCount = entries->entryOfRow.size();
  report.row = [entries](std::size_t i, std::size_t ordinal, std::vector<ListCell>& cells) {
    const std::uint32_t entry = entries->entryOfRow[i];
    if (entry == StatementEntries::kNotPrinted) return false;
    fillStatementCells(entries->printed[entry], ordinal, cells);
    return true;
  };
  report.totals.ruleOffset = -1;
  report.totals.label = "UKUPNO:";
  report.totals.labelLeft = 10;
  report.totals.labelRight = 30;
  report.totals.lastTop = kSlotBase + kSlotHeight * kSlotsPerPage;
  report.eventPass = [&program] { program.userInterface().processEvents(); };
  report.rowsKept = true;  // the entries are the report's own
  return report;
}

// The statement of one side: its result table read by `readRows` with only `fields`, then
// `lineOf(asset, resultOf)` the line of an asset, where resultOf() finds the asset's result
// row (nullptr: none) only when the line needs it.
template <class Row, class ReadRows, class LineOf>
std::optional<ListReport> sideStatement(store::Program& program, const CalculationRow& row,
                                        std::string_view alias,
                                        std::unique_ptr<ui::WaitNotice>& wait, ReadRows readRows,
                                        const store::FieldSet<Row>& fields, LineOf lineOf) {
  const auto rows = readResultTable<std::vector<Row>>(
      program, row, alias, wait,
      [&](store::DbfTable& t, const auto& step) { return readRows(t, step, fields); });
  if (!rows) return std::nullopt;
  return statementOf(program, row, *rows,
                     [lineOf](const store::AssetRecord& asset, const auto& results) {
                       return lineOf(asset, [&]() -> const Row* {
                         const auto found = results.find(asset.InvBr);
                         return found == results.end() ? nullptr : found->second;
                       });
                     });
}

bool printStatement(store::Program& program, ui::Printer& printer, const CalculationRow& row,
                    StatementSide side, std::string_view title) {
  auto wait = program.userInterface().showWait(kPripremaZaStampu);
  const std::optional<ListReport> report = statementReport(program, row, side, wait);
  if (!report) return false;
  setUpPortraitA4(printer, title, report->style);
  printer.BeginDoc();
  drawListReport(printer, *report);
  printer.EndDoc();
  wait.reset();
  printer.Preview();
  return true;
}

}  // namespace

std::optional<ListReport> statementReport(store::Program& program, const CalculationRow& row,
                                          StatementSide side,
                                          std::unique_ptr<ui::WaitNotice>& wait) {
  if (side == StatementSide::Accounting) {
    using R = store::RaRow;
    return sideStatement(
        program, row, kAliasRa, wait, depreciation::readRaRows,
        store::FieldSet<R>::of(&R::InvBr, &R::RAPrVr, &R::RANab, &R::RAOsn, &R::RAStopa, &R::BrMes,
                               &R::RAm),
        [](const store::AssetRecord& asset, const auto& resultOf) -> std::optional<StatementLine> {
          const R* r = resultOf();
          if (r == nullptr) return std::nullopt;
          return StatementLine{asset.RAOsn, r->RAPrVr, r->RANab, r->RAOsn,
                               r->RAStopa,  r->BrMes,  r->RAm};
        });
  }
  using R = store::PaRow;
  return sideStatement(
      program, row, kAliasPa, wait, depreciation::readPaRows,
      store::FieldSet<R>::of(&R::InvBr, &R::PAPrVr, &R::PANab, &R::PAOsn, &R::PAStopa, &R::BrMes,
                             &R::PAm),
      [](const store::AssetRecord& asset, const auto& resultOf) -> std::optional<StatementLine> {
        // Groups II to V appear only in form OA.
        if (asset.PAgrupa > 1) return std::nullopt;
        const R* r = resultOf();
        if (r == nullptr) return std::nullopt;
        return StatementLine{asset.PAOsn, r->PAPrVr, r->PANab, r->PAOsn,
                             r->PAStopa,  r->BrMes,  r->PAm};
      });
}

bool StampaORA(store::Program& program, ui::Printer& printer, const CalculationRow& row) {
  return printStatement(program, printer, row, StatementSide::Accounting, kObracunRaTitle);
}

bool StampaOPA(store::Program& program, ui::Printer& printer, const CalculationRow& row) {
  return printStatement(program, printer, row, StatementSide::Tax, kObracunPaTitle);
}

namespace {

// The six sums of one group of form OA, in thousandths.
struct GroupSums {
  std::int64_t opening = 0;   // 2: PAPrVr
  std::int64_t acquired = 0;  // 3: acquired in the year
  std::int64_t disposed = 0;  // 4: written off in the year
  std::int64_t base = 0;      // 5: PAOsn
  std::int64_t amount = 0;    // 7: PAm
  std::int64_t closing = 0;   // 8: PASadVr

  void add(const GroupSums& o) {
    opening += o.opening;
    acquired += o.acquired;
    disposed += o.disposed;
    base += o.base;
    amount += o.amount;
    closing += o.closing;
  }
};

struct OaColumn {
  double left;
  double right;
  double numberLeft;  // the band of the column number
  double numberRight;
};
constexpr std::array<OaColumn, 8> kOaColumns{{{10, 20, 10, 20},
                                              {20, 50, 30, 50},
                                              {50, 80, 60, 80},
                                              {80, 100, 90, 100},
                                              {100, 130, 110, 130},
                                              {130, 150, 130, 150},
                                              {150, 170, 160, 170},
                                              {170, 200, 180, 200}}};

void drawOaHeading(ui::Printer& printer) {
  printer.DrawBox({8, 21, 202, 40});
  printer.DrawLine(8, 35, 202, 35);
  auto lines = [&](std::size_t column,
                   std::initializer_list<std::pair<double, std::string_view>> texts,
                   TextAlign align) {
    const OaColumn& c = kOaColumns[column];
    for (const auto& [top, text] : texts) drawCaption(printer, text, c.left, c.right, top, align);
  };
  lines(0, {{26, "Broj"}, {30, "grupe"}}, TextAlign::Left);
  lines(1, {{26, "Pocetni saldo"}, {30, "grupe"}}, TextAlign::Right);
  lines(2, {{22, "Pribavljena sredstva"}, {26, "koja se stavljaju"}, {30, "u upotrebu"}},
        TextAlign::Right);
  lines(3, {{22, "Otudjena"}, {26, "sredstva"}, {30, "tokom godine"}}, TextAlign::Right);
  lines(4, {{22, "Neotpisana"}, {26, "vrednost"}, {30, "(2+3-4)"}}, TextAlign::Right);
  lines(5, {{26, "Stopa"}}, TextAlign::Center);
  lines(6, {{26, "Amortizacija"}, {30, "(5 x 6)"}}, TextAlign::Right);
  lines(7, {{22, "Neotpisana vrednost"}, {26, "na kraju godine"}, {30, "(5-7)"}}, TextAlign::Right);
  for (std::size_t c = 0; c < kOaColumns.size(); ++c) {
    printer.DrawText(std::to_string(c + 1),
                     {kOaColumns[c].numberLeft, 36, kOaColumns[c].numberRight, 40},
                     TextAlign::Center);
  }
}

// Band j of the form's body: 36 + 5j to 41 + 5j.
ui::RectMm oaBand(int j, std::size_t column) {
  return {kOaColumns[column].left, 36 + 5.0 * j, kOaColumns[column].right, 41 + 5.0 * j};
}

void drawOaAmounts(ui::Printer& printer, int j, const GroupSums& s) {
  const std::array<std::pair<std::size_t, std::int64_t>, 6> amounts{{{1, s.opening},
                                                                     {2, s.acquired},
                                                                     {3, s.disposed},
                                                                     {4, s.base},
                                                                     {6, s.amount},
                                                                     {7, s.closing}}};
  for (const auto& [column, value] : amounts)
    printer.DrawText(amountOfThousandths(value), oaBand(j, column), TextAlign::Right);
}

}  // namespace

bool StampaOA(store::Program& program, ui::Printer& printer, const CalculationRow& row) {
  auto wait = program.userInterface().showWait(kPripremaZaStampu);
  const std::string year = trimmedText(row.year);
  const std::string months = trimmedText(row.months);
  // From 2019 on the assets under the new rules are reported in their own register.
  const bool leaveOutNewRules = parseNumber(year) > 2018;
  using GroupTotals = std::array<GroupSums, 4>;
  const auto sums = readResultTable<GroupTotals>(
      program, row, kAliasPa, wait, [&](store::DbfTable& t, const auto& step) {
        GroupTotals groups{};
        const auto add = [&](const store::PaRow& r) {
          if (r.PAGrupa < 2 || r.PAGrupa > 5) return;
          if (leaveOutNewRules && r.NoviPrav) return;
          GroupSums& g = groups[static_cast<std::size_t>(r.PAGrupa - 2)];
          g.opening += thousandths(r.PAPrVr);
          if (r.PANab) g.acquired += thousandths(r.PAOtp ? r.PAOtpVr : r.PAOsn);
          if (r.PAOtp) g.disposed += thousandths(r.PAOtpVr);
          g.base += thousandths(r.PAOsn);
          g.amount += thousandths(r.PAm);
          g.closing += thousandths(r.PASadVr);
        };
        using R = store::PaRow;
        depreciation::visitResultRows<store::PaRow>(
            t, add, step,
            store::FieldSet<R>::of(&R::PAGrupa, &R::NoviPrav, &R::PAPrVr, &R::PANab, &R::PAOtp,
                                   &R::PAOtpVr, &R::PAOsn, &R::PAm, &R::PASadVr));
        return groups;
      });
  if (!sums) return false;
  const GroupTotals& groups = *sums;

  const ReportStyle style = reportStyleOf(program);
  FrameHeading heading;
  heading.title = trimmedText(row.description);
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = "Obracun Amortizacije stalnih sredstava za " + year + ". godinu";
  if (parseNumber(months) != 12) heading.second += "  //  Meseci: " + months;
  heading.secondRight = program.CKORISNIKMESTO;

  setUpPortraitA4(printer, kObrazacOaTitle, style);
  printer.BeginDoc();
  std::array<OaGroupAmounts, 4> amounts{};
  for (std::size_t g = 0; g < groups.size(); ++g)
    amounts[g] = {groups[g].opening, groups[g].acquired, groups[g].disposed,
                  groups[g].base,    groups[g].amount,   groups[g].closing};
  printer.setWorkbook(sheet::madeWorkbook(
      oaWorkbook(program, trimmedText(row.description), heading.second, amounts)));
  printer.NewPage();
  drawPageFrame(printer, style, heading);
  drawOaHeading(printer);
  constexpr std::array<std::string_view, 4> kGroupNames{"II", "III", "IV", "V"};
  constexpr std::array<std::string_view, 4> kGroupRates{"10%", "15%", "20%", "30%"};
  GroupSums totals;
  for (int j = 1; j <= 4; ++j) {
    const std::size_t g = static_cast<std::size_t>(j - 1);
    printer.DrawText(kGroupNames[g], oaBand(j, 0), TextAlign::Center);
    drawOaAmounts(printer, j, groups[g]);
    printer.DrawText(kGroupRates[g], oaBand(j, 5), TextAlign::Center);
    totals.add(groups[g]);
  }
  printer.DrawLine(10, 35 + 5 * 5, 200, 35 + 5 * 5);
  printer.DrawText("UKUPNO:", {10, 36 + 5 * 5, 30, 41 + 5 * 5}, TextAlign::Left);
  drawOaAmounts(printer, 5, totals);
  printer.DrawText("Datum obracuna", {30, 36 + 5 * 9, 60, 41 + 5 * 9}, TextAlign::Center);
  printer.DrawText("Obracunao", {150, 36 + 5 * 9, 180, 41 + 5 * 9}, TextAlign::Center);
  printer.DrawLine(30, 36 + 5 * 11, 60, 36 + 5 * 11);
  printer.DrawLine(150, 36 + 5 * 11, 180, 36 + 5 * 11);
  printer.EndDoc();
  wait.reset();
  printer.Preview();
  return true;
}

}  // namespace kavrina::reports
