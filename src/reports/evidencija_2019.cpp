// The register of assets acquired from 2019: 13 columns on landscape A4, 33 rows a page, a
// frame of its own (the footer at 199 mm, the headings as wide as the landscape page).
#include "reports/evidencija_2019.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/text.h"
#include "reports/asset_lookup.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "store/record_codec.h"
#include "store/records.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

struct Column {
  std::string_view line1;
  std::string_view line2;
  double width;
  TextAlign align;
  ValueKind kind;
  bool totalled;
};

// The 13 columns; the first starts at 10 mm and each starts where the one before ends.
// Heading 6 holds the one letter with a diacritic mark: c with caron.
constexpr std::array<Column, 13> kColumns{{
    {"Redni", "broj", 9, TextAlign::Left, ValueKind::Count, false},
    {"Inventarski", "broj", 20, TextAlign::Left, ValueKind::InventoryNumber, false},
    {"Naziv", "osnovnog sredstva", 45, TextAlign::Left, ValueKind::Text, false},
    {"Datum", "nabavke", 16, TextAlign::Center, ValueKind::Date, false},
    {"Nabavna", "vrednost", 22, TextAlign::Right, ValueKind::Amount, false},
    {"Datum", "obra\u010Duna", 16, TextAlign::Center, ValueKind::Date, false},
    {"Naknadna", "ulaganja", 14, TextAlign::Right, ValueKind::Amount, false},
    {"Racunovodstvena", "amortizacija", 24, TextAlign::Right, ValueKind::Amount, true},
    {"Priznata", "RA", 22, TextAlign::Right, ValueKind::Amount, true},
    {"Poreska", "amortizacija", 22, TextAlign::Right, ValueKind::Amount, false},
    {"Priznata", "PA", 22, TextAlign::Right, ValueKind::Amount, true},
    {"Neotpisana", "poreska", 22, TextAlign::Right, ValueKind::Amount, true},
    {"Neotpisana", "racunovodstvena", 24, TextAlign::Right, ValueKind::Amount, true},
}};
constexpr double kFirstLeft = 10;

// Page geometry in millimetres.
constexpr double kFrameLeft = 8;
constexpr double kFrameRight = 290;
constexpr double kTitleRightEnd = 202;  // the left-hand heading texts end here
constexpr double kFooterRule = 199;
constexpr int kRowsPerPage = 33;
constexpr double kRowBase = 27;
// The totals box and the signatures below it reach 15 mm below the top of their slot.
constexpr double kClosingDepth = 15;

constexpr std::string_view kTitle = "Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine";

// A date as "dd.mm.yy"; an empty date is an empty text.
std::string shortDate(const Date& date) {
  if (date.empty()) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", date.day(), date.month(), date.year() % 100);
  return text;
}

std::string amount(double value) {
  return formatAmountGrowing(value);
}

// Finds the assets in `MDOS` (checked against its structure when it was opened) by their
// inventory number (seekAsset).
class AssetFinder {
 public:
  using R = store::AssetRecord;
  explicit AssetFinder(store::Program& program)
      : reader_(program.areas["MDOS"], store::FieldSet<R>::of(&R::Naziv, &R::DatumN, &R::RAOsn)) {}

  // The asset's name, acquisition date and accounting base; nothing when `MDOS` no longer
  // holds it.
  std::optional<R> find(const std::string& invBr) {
    if (!seekAsset(reader_.table(), invBr)) return std::nullopt;
    return reader_.read();
  }

 private:
  store::RecordCodec<R> reader_;
};

// The columns and the page heading of the register.
void describePages(ListReport& report, const store::Program& program, std::string_view year,
                   std::string_view months) {
  double left = kFirstLeft;
  for (const Column& c : kColumns) {
    const std::string title = std::string(c.line1) + " " + std::string(c.line2);
    report.columns.push_back({title, left, left + c.width, c.align, c.kind,
                              c.kind == ValueKind::Amount ? 2 : 0, c.totalled});
    report.heading.captions.push_back({std::string(c.line1), left, left + c.width, 22, c.align});
    report.heading.captions.push_back({std::string(c.line2), left, left + c.width, 26, c.align});
    left += c.width;
  }
  FrameHeading& frame = report.heading.frame;
  frame.title = std::string(kTitle);
  frame.titleRight = program.CKORISNIKNAZIV;
  frame.second = "Godina: " + std::string(year) + "  //  Meseci: " + std::string(months);
  frame.secondRight = program.CKORISNIKMESTO;
  report.heading.layout = {.left = kFrameLeft,
                           .right = kFrameRight,
                           .textRight = kTitleRightEnd,
                           .footerRule = kFooterRule,
                           .secondLineFontSize = 0,
                           .software = program.info.SW};
  report.heading.box = {kFrameLeft, 21, kFrameRight, 31};
  report.rowSlots = {.base = kRowBase, .rowHeight = 10, .perPage = kRowsPerPage};
}

void setAmount(ListCell& cell, double value) {
  cell.text = amount(value);
  cell.number = value;
}

void drawSignatures(ui::Printer& printer, double top) {
  drawSignature(printer, "Sastavio", 40, 90, top);
  drawSignature(printer, "Odgovorno lice", 210, 260, top);
}

}  // namespace

std::optional<PamRamPrint> beginPamRamPrint(store::Program& program, std::string_view year,
                                            std::string_view months) {
  PamRamPrint print;
  print.wait = program.userInterface().showWait(kPripremaZaStampu);
  print.list = depreciation::UCITAJPAMRAM(program, year, months);
  if (!print.list.rows.empty()) return print;
  print.wait.reset();
  if (!print.list.tableInUse) {
    program.userInterface().messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information,
                                       ui::MessageButtons::Ok);
  }
  return std::nullopt;
}

ListReport registerReport(store::Program& program, const depreciation::PamRam& list,
                          std::string_view year, std::string_view months) {
  ListReport report;
  report.style = reportStyleOf(program);
  describePages(report, program, year, months);
  auto assets = std::make_shared<AssetFinder>(program);
  report.rowCount = list.rows.size();
  report.row = [&list, assets](std::size_t i, std::size_t ordinal, std::vector<ListCell>& cells) {
    const depreciation::PamRamRow& r = list.rows[i];
    const std::int64_t rAm = depreciation::thousandths(r.RAm);
    const std::int64_t pAm = depreciation::thousandths(r.PAm);
    // The smaller depreciation is recognised; when they are equal, the tax one.
    const std::int64_t recognisedRa = rAm < pAm ? rAm : 0;
    const std::int64_t recognisedPa = pAm <= rAm ? pAm : 0;
    const std::optional<store::AssetRecord> asset = assets->find(r.InvBr);

    cells[0].text = formatGrowingPicture(static_cast<double>(ordinal), "99999.", "9999999999.");
    cells[0].number = static_cast<double>(ordinal);
    cells[1].text = std::string(text::trimRightBlanks(r.InvBr));
    cells[2].text = asset ? asset->Naziv : std::string();
    cells[3].text = asset ? shortDate(asset->DatumN) : std::string();
    cells[3].date = asset ? asset->DatumN : Date();
    cells[4].text = asset ? amount(asset->RAOsn) : std::string();  // empty when it is gone
    cells[4].number = asset ? asset->RAOsn : 0;
    cells[5].text = r.datumObracuna;
    cells[5].date = Date::fromText(r.datumObracuna);
    cells[6].text = "0.00";  // no later investments are kept
    setAmount(cells[7], r.RAm);
    setAmount(cells[8], static_cast<double>(recognisedRa) / 1000.0);
    setAmount(cells[9], r.PAm);
    setAmount(cells[10], static_cast<double>(recognisedPa) / 1000.0);
    setAmount(cells[11], r.PASadVr);
    setAmount(cells[12], r.RASadVr);
    return true;
  };
  // The totals row in its box with "Ukupno:" in the second column, and the two signatures
  // below the last row, on a page of their own when they would reach the footer band.
  report.totals.box = true;
  report.totals.left = kFrameLeft;
  report.totals.right = kFrameRight;
  report.totals.lineOffset = 1;
  report.totals.label = "Ukupno:";
  report.totals.labelColumn = 1;
  report.totals.lastTop = kFooterRule - kClosingDepth;
  report.closing.draw = drawSignatures;
  report.eventPass = [&program] { program.userInterface().processEvents(); };
  return report;
}

bool printPamRamReport(store::Program& program, ui::Printer& printer, std::string_view year,
                       std::string_view months, std::string_view title, ui::Orientation orientation,
                       const std::function<ListReport(const depreciation::PamRam&)>& describe) {
  auto loaded = beginPamRamPrint(program, year, months);
  if (!loaded) return false;
  const ListReport report = describe(loaded->list);
  setUpA4(printer, title, report.style, orientation);
  printer.BeginDoc();
  drawListReport(printer, report);
  printer.EndDoc();
  loaded->wait.reset();
  printer.Preview();
  return true;
}

bool EVIDENCIJAOS01012019(store::Program& program, ui::Printer& printer, std::string_view year,
                          std::string_view months) {
  return printPamRamReport(program, printer, year, months, kEvidencijaTitle,
                           ui::Orientation::Landscape, [&](const depreciation::PamRam& list) {
                             return registerReport(program, list, year, months);
                           });
}

}  // namespace kavrina::reports
