// The register of assets acquired from 2019: 13 columns on landscape A4, 33 rows a page, a
// frame of its own (the footer at 199 mm, the headings as wide as the landscape page).
#include "reports/evidencija_2019.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "reports/asset_lookup.h"
#include "reports/list_report.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "ui/current_ui.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

struct Column {
  std::string_view line1;
  std::string_view line2;
  double width;
  TextAlign align;
};

// The 13 columns; the first starts at 10 mm and each starts where the one before ends.
// Heading 6 holds the one letter with a diacritic mark: c with caron.
constexpr std::array<Column, 13> kColumns{{
    {"Redni", "broj", 9, TextAlign::Left},
    {"Inventarski", "broj", 20, TextAlign::Left},
    {"Naziv", "osnovnog sredstva", 45, TextAlign::Left},
    {"Datum", "nabavke", 16, TextAlign::Center},
    {"Nabavna", "vrednost", 22, TextAlign::Right},
    {"Datum", "obra\u010Duna", 16, TextAlign::Center},
    {"Naknadna", "ulaganja", 14, TextAlign::Right},
    {"Racunovodstvena", "amortizacija", 24, TextAlign::Right},
    {"Priznata", "RA", 22, TextAlign::Right},
    {"Poreska", "amortizacija", 22, TextAlign::Right},
    {"Priznata", "PA", 22, TextAlign::Right},
    {"Neotpisana", "poreska", 22, TextAlign::Right},
    {"Neotpisana", "racunovodstvena", 24, TextAlign::Right},
}};
constexpr double kFirstLeft = 10;

constexpr double leftOf(std::size_t column) {
  double left = kFirstLeft;
  for (std::size_t c = 0; c < column; ++c) left += kColumns[c].width;
  return left;
}

// Page geometry in millimetres.
constexpr double kFrameLeft = 8;
constexpr double kFrameRight = 290;
constexpr double kTitleRightEnd = 202;  // the left-hand heading texts end here
constexpr double kFooterRule = 199;
constexpr int kRowsPerPage = 33;
constexpr double rowTop(int n) {
  return 27 + 5.0 * n;
}
// The closing block below row slot n: the totals box from 27 + 5n to the signature lines
// at 42 + 5n.
constexpr double closingBottom(int n) {
  return 42 + 5.0 * n;
}

constexpr std::string_view kTitle = "Evidenciju Osnovnih sredstava stecenih od 01.01.2019. godine";

using Cells = std::array<std::string, kColumns.size()>;

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
std::string amountOfThousandths(std::int64_t value) {
  return amount(static_cast<double>(value) / 1000.0);
}

std::string withoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// What the register shows of an asset of `MDOS`.
struct RegisterAsset {
  std::string naziv;
  std::string datumN;
  std::string raOsn;
};

// Finds the assets in `MDOS` (checked against its structure when it was opened) by their
// inventory number (seekAsset).
class AssetFinder {
 public:
  explicit AssetFinder(store::Program& program)
      : mdos_(program.areas["MDOS"]),
        naziv_(mdos_.fieldIndex("Naziv")),
        datumN_(mdos_.fieldIndex("DatumN")),
        raOsn_(mdos_.fieldIndex("RAOsn")) {}

  // The asset's texts; all empty when `MDOS` no longer holds it.
  RegisterAsset find(const std::string& invBr) {
    if (!seekAsset(mdos_, invBr)) return {};
    return {withoutTrailingBlanks(mdos_.getString(naziv_)), shortDate(mdos_.getDate(datumN_)),
            amount(mdos_.getNumber(raOsn_))};
  }

 private:
  store::DbfTable& mdos_;
  int naziv_, datumN_, raOsn_;
};

class RegisterPages {
 public:
  RegisterPages(ui::Printer& printer, const store::Program& program, std::string_view year,
                std::string_view months)
      : printer_(printer),
        style_(reportStyleOf(program)),
        program_(program.info.SW),
        company_(program.CKORISNIKNAZIV),
        place_(program.CKORISNIKMESTO),
        period_("Godina: " + std::string(year) + "  //  Meseci: " + std::string(months)) {}

  // Draws a row; a row that finds the page full starts the next one first.
  void row(const Cells& cells) {
    if (slot_ > kRowsPerPage) newPage();
    drawCells(cells, rowTop(slot_), rowTop(slot_) + 10);
    ++slot_;
  }

  // The totals row in its box and the two signatures below the last row, on a page of
  // their own when they would reach the footer band.
  void closing(const Cells& totals) {
    if (closingBottom(slot_) > kFooterRule) newPage();
    const double top = rowTop(slot_);
    printer_.DrawBox({kFrameLeft, top, kFrameRight, top + 5});
    drawCells(totals, top + 1, top + 6);
    signature("Sastavio", 40, 90, top);
    signature("Odgovorno lice", 210, 260, top);
  }

 private:
  void newPage() {
    printer_.NewPage();
    ui::PrinterFont& font = printer_.font();
    printer_.DrawLine(kFrameLeft, kFooterRule, kFrameRight, kFooterRule);
    font.size = kFooterFontSize;
    const ui::RectMm footer{kFrameLeft, 200, kFrameRight, 205};
    printer_.DrawText("Software: " + program_ + " by Velmar", footer, TextAlign::Left);
    printer_.DrawText(footerPageText(printer_.PageNumber()), footer, TextAlign::Center);
    printer_.DrawText(style_.webAddress, footer, TextAlign::Right);

    font.size = kTitleFontSize;
    font.bold = true;
    printer_.DrawText(kTitle, {kFrameLeft, 8, kTitleRightEnd, 15}, TextAlign::Left);
    printer_.DrawText(company_, {kFrameLeft, 8, kFrameRight, 15}, TextAlign::Right);
    font.size = style_.fontSize;
    printer_.DrawText(period_, {kFrameLeft, 15, kTitleRightEnd, 20}, TextAlign::Left);
    printer_.DrawText(place_, {kFrameLeft, 15, kFrameRight, 20}, TextAlign::Right);
    font.bold = false;

    printer_.DrawBox({kFrameLeft, 21, kFrameRight, 31});
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      const double left = leftOf(c);
      const double right = left + kColumns[c].width;
      printer_.DrawText(kColumns[c].line1, {left, 22, right, 26}, kColumns[c].align);
      printer_.DrawText(kColumns[c].line2, {left, 26, right, 30}, kColumns[c].align);
    }
    slot_ = 1;
  }

  void drawCells(const Cells& cells, double top, double bottom) {
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      const double left = leftOf(c);
      printer_.DrawText(cells[c], {left, top, left + kColumns[c].width, bottom}, kColumns[c].align);
    }
  }

  void signature(std::string_view caption, double left, double right, double top) {
    printer_.DrawText(caption, {left, top + 8, right, top + 13}, TextAlign::Center);
    printer_.DrawLine(left, top + 15, right, top + 15);
  }

  ui::Printer& printer_;
  ReportStyle style_;
  std::string program_;
  std::string company_;
  std::string place_;
  std::string period_;
  int slot_ = kRowsPerPage + 1;  // the first row opens a page
};

}  // namespace

std::optional<PamRamPrint> beginPamRamPrint(store::Program& program, std::string_view year,
                                            std::string_view months) {
  PamRamPrint print;
  print.wait = ui::current().showWait(kPripremaZaStampu);
  print.list = depreciation::UCITAJPAMRAM(program, year, months);
  if (!print.list.rows.empty()) return print;
  print.wait.reset();
  if (!print.list.tableInUse) {
    ui::current().messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information,
                             ui::MessageButtons::Ok);
  }
  return std::nullopt;
}

bool EVIDENCIJAOS01012019(store::Program& program, ui::Printer& printer, std::string_view year,
                          std::string_view months) {
  auto loaded = beginPamRamPrint(program, year, months);
  if (!loaded) return false;
  const std::vector<depreciation::PamRamRow>& list = loaded->list.rows;

  setUpA4(printer, kEvidencijaTitle, reportStyleOf(program), ui::Orientation::Landscape);
  printer.BeginDoc();
  RegisterPages pages(printer, program, year, months);
  AssetFinder assets(program);

  // Totals of columns 8, 9, 11, 12 and 13, in thousandths so that they are exact.
  std::int64_t ram = 0, priznataRa = 0, priznataPa = 0, paSadVr = 0, raSadVr = 0;
  Cells cells;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const depreciation::PamRamRow& r = list[i];
    const std::int64_t rAm = depreciation::thousandths(r.RAm);
    const std::int64_t pAm = depreciation::thousandths(r.PAm);
    // The smaller depreciation is recognised; when they are equal, the tax one.
    const std::int64_t recognisedRa = rAm < pAm ? rAm : 0;
    const std::int64_t recognisedPa = pAm <= rAm ? pAm : 0;
    RegisterAsset asset = assets.find(r.InvBr);

    cells[0] = formatGrowingPicture(static_cast<double>(i + 1), "99999.", "9999999999.");
    cells[1] = withoutTrailingBlanks(r.InvBr);
    cells[2] = std::move(asset.naziv);
    cells[3] = std::move(asset.datumN);
    cells[4] = std::move(asset.raOsn);
    cells[5] = r.datumObracuna;
    cells[6] = "0.00";
    cells[7] = amount(r.RAm);
    cells[8] = amountOfThousandths(recognisedRa);
    cells[9] = amount(r.PAm);
    cells[10] = amountOfThousandths(recognisedPa);
    cells[11] = amount(r.PASadVr);
    cells[12] = amount(r.RASadVr);
    pages.row(cells);

    ram += rAm;
    priznataRa += recognisedRa;
    priznataPa += recognisedPa;
    paSadVr += depreciation::thousandths(r.PASadVr);
    raSadVr += depreciation::thousandths(r.RASadVr);
    if ((i + 1) % kRowsPerEventPass == 0) ui::current().processEvents();
  }

  Cells totals;
  totals[1] = "Ukupno:";
  totals[7] = amountOfThousandths(ram);
  totals[8] = amountOfThousandths(priznataRa);
  totals[10] = amountOfThousandths(priznataPa);
  totals[11] = amountOfThousandths(paSadVr);
  totals[12] = amountOfThousandths(raSadVr);
  pages.closing(totals);

  printer.EndDoc();
  loaded->wait.reset();
  printer.Preview();
  return true;
}

}  // namespace kavrina::reports
