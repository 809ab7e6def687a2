// The asset card: a sequence of 5 mm bands below the register data, band n from 41 + 5n
// to 46 + 5n, continued on further pages when a band would reach the footer band.
#include "reports/asset_card.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/path_case.h"
#include "common/text.h"
#include "depreciation/calculation_input.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "reports/asset_lookup.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "store/database.h"
#include "store/record_codec.h"

namespace kavrina::reports {
namespace {

namespace fs = std::filesystem;
using ui::TextAlign;

constexpr std::string_view kUnknown = "???";
// The year from which the tax lines count days instead of months.
constexpr int kFirstYearOfDays = 2019;
// The last band whose bottom (46 + 5n) stays above the footer rule with the body rows'
// margin: band 47 ends at 281 mm, as the last row slot of the list reports does.
constexpr int kLastBand = 47;

std::string trimmedText(std::string_view value) {
  return std::string(text::trimBlanks(value));
}

std::string digitsOf(double value) {
  return std::to_string(static_cast<long long>(value));
}

// The card's header texts.
struct CardHeader {
  std::string name = std::string(kUnknown);
  std::string numbers = std::string(kUnknown);
  std::string acquisition = std::string(kUnknown);
  std::string accounting = std::string(kUnknown);
  std::string tax = std::string(kUnknown);
};

std::string_view groupNumeral(int group) {
  switch (group) {
    case 1:
      return "I";
    case 2:
      return "II";
    case 3:
      return "III";
    case 4:
      return "IV";
    default:
      return "V";
  }
}

// One line of either table: the year, months or days, and the four amounts.
struct CardLine {
  int year = 0;
  std::string period;  // "99" months or "999" days
  double prVr = 0, osn = 0, am = 0, sadVr = 0;
};

struct CardColumns {
  double periodLeft, periodRight;  // the caption of the second column
  std::string_view periodCaption;
  double firstAmountLeft;  // the caption of "Prethodna vrednost" starts here
};

// The card's pages: the frame and register data on each page, the bands below.
class CardPages {
 public:
  CardPages(ui::Printer& printer, const store::Program& program, const CardHeader& header)
      : printer_(printer), style_(reportStyleOf(program)), header_(header) {
    heading_.title = "Kartica Osnovnog sredstva";
    heading_.titleRight = program.CKORISNIKNAZIV;
    heading_.second = header.name;
    heading_.secondRight = program.CKORISNIKMESTO;
  }

  void firstPage() {
    newPage();
    printer_.DrawText(header_.accounting, band(-1, 8, 202), TextAlign::Left);
  }

  // Makes room for `bands` bands from n; on a new page the table heading `repeat` (when
  // given) is drawn again first.
  void room(int bands, const CardColumns* repeat = nullptr) {
    if (n_ + bands - 1 <= kLastBand) return;
    newPage();
    n_ = 0;
    if (repeat) tableHeading(*repeat);
  }

  void tableHeading(const CardColumns& c) {
    printer_.DrawBox({8, 40 + 5.0 * n_, 202, 45 + 5.0 * n_});
    printer_.DrawText("Godina", band(n_, 10, 30), TextAlign::Left);
    printer_.DrawText(c.periodCaption, band(n_, c.periodLeft, c.periodRight), TextAlign::Left);
    printer_.DrawText("Prethodna vrednost", band(n_, c.firstAmountLeft, 80), TextAlign::Right);
    printer_.DrawText("Osnovica", band(n_, 80, 120), TextAlign::Right);
    printer_.DrawText("Amortizacija", band(n_, 120, 160), TextAlign::Right);
    printer_.DrawText("Sadasnja vrednost", band(n_, 160, 200), TextAlign::Right);
    ++n_;
  }

  void line(const CardLine& l, const CardColumns& c) {
    room(1, &c);
    printer_.DrawText(formatPicture(l.year, kPictureOrdinal), band(n_, 10, 30), TextAlign::Left);
    printer_.DrawText(l.period, band(n_, 30, 40), TextAlign::Center);
    printer_.DrawText(amount(l.prVr), band(n_, 40, 80), TextAlign::Right);
    printer_.DrawText(amount(l.osn), band(n_, 80, 120), TextAlign::Right);
    printer_.DrawText(amount(l.am), band(n_, 120, 160), TextAlign::Right);
    printer_.DrawText(amount(l.sadVr), band(n_, 160, 200), TextAlign::Right);
    ++n_;
  }

  // The rule below a table, at the top of band n (a rule needs no band below it: at band
  // 48 it is at 281 mm, still above the footer band); the following n is two bands lower.
  void rule() {
    if (n_ > kLastBand + 1) {
      newPage();
      n_ = 0;
    }
    printer_.DrawLine(8, 41 + 5.0 * n_, 202, 41 + 5.0 * n_);
    n_ += 2;
  }

  // A text line in band n.
  void text(const std::string& text) {
    printer_.DrawText(text, band(n_, 8, 202), TextAlign::Left);
    ++n_;
  }

 private:
  static std::string amount(double value) { return formatPicture(value, kPictureListAmount); }
  static ui::RectMm band(int n, double left, double right) {
    return {left, 41 + 5.0 * n, right, 46 + 5.0 * n};
  }

  void newPage() {
    printer_.NewPage();
    drawPageFrame(printer_, style_, heading_);
    printer_.DrawText(header_.numbers, {8, 21, 202, 26}, TextAlign::Left);
    printer_.DrawText(header_.acquisition, {8, 26, 202, 31}, TextAlign::Left);
  }

  ui::Printer& printer_;
  ReportStyle style_;
  const CardHeader& header_;
  FrameHeading heading_;
  int n_ = 0;
};

constexpr CardColumns kAccountingColumns{30, 40, "Meseci", 40};
constexpr CardColumns kTaxColumns{30, 50, "Meseci ili Dana", 50};

// The asset of `MDOS` the card is about.
struct CardAsset {
  store::AssetRecord record;
  std::string storedInvBr;  // its inventory number as stored, padded to the field's width
};

// Reads the header texts of the asset found by `invBr`; no value when `MDOS` has none.
std::optional<CardAsset> readAsset(store::Program& program, std::string_view invBr,
                                   CardHeader& header) {
  const store::RecordCodec<store::AssetRecord> reader(program.areas["MDOS"]);
  if (!seekAsset(reader.table(), invBr)) return std::nullopt;
  const store::AssetRecord a = reader.read();
  header.name = trimmedText(a.Naziv);
  header.numbers = "Inventarski broj: " + trimmedText(a.InvBr) +
                   "  //  Organizacioni deo: " + digitsOf(a.ODeo) +
                   "  //  Kolicina: " + digitsOf(a.Kolicina);
  header.acquisition = "Datum nabavke: " + a.DatumN.toText() +
                       "  //  Dokument: " + trimmedText(a.Dokument) +
                       "  //  Dobavljac: " + trimmedText(a.Dobavljac);
  header.accounting = "Racunovodstvena Amortizacija - Proporcionalni metod - Stopa: " +
                      formatPicture(a.RAStopa, kPicturePercent);
  header.tax = "Poreska Amortizacija - " + std::string(groupNumeral(a.PAgrupa)) +
               " grupa - Stopa: " + formatPicture(a.PAStopa, kPicturePercent);
  return CardAsset{a, reader.padded(&store::AssetRecord::InvBr, a)};
}

// The lines of the asset in the annual results of the years `first` to `last`. No value,
// the user told, when another user holds one of the tables.
struct CardLines {
  std::vector<CardLine> accounting;
  std::vector<CardLine> tax;
};

std::optional<CardLines> readLines(store::Program& program, const CardAsset& asset, int first,
                                   int last, std::unique_ptr<ui::WaitNotice>& wait) {
  CardLines lines;
  auto inUse = [&](const fs::path& file) {
    wait.reset();
    program.userInterface().messageBox(depreciation::tableInUseMessage(file),
                                       ui::MessageKind::Error, ui::MessageButtons::Ok);
    return std::nullopt;
  };
  for (int year = first; year <= last; ++year) {
    const fs::path raFile = store::dataPath(
        program, depreciation::resultTableName(year, 12, depreciation::ResultKind::Accounting));
    if (existsCaseInsensitive(raFile)) {
      depreciation::ResultTableReader reader(program, "BazaRA");
      if (!reader.open(findCaseInsensitive(raFile))) return inUse(raFile);
      if (const auto r = depreciation::findRaRow(reader.table(), asset.storedInvBr))
        lines.accounting.push_back({year, formatPicture(r->BrMes, kPictureMonths), r->RAPrVr,
                                    r->RAOsn, r->RAm, r->RASadVr});
    }
    const fs::path paFile = store::dataPath(
        program, depreciation::resultTableName(year, 12, depreciation::ResultKind::Tax));
    if (existsCaseInsensitive(paFile)) {
      depreciation::ResultTableReader reader(program, "BazaPA");
      if (!reader.open(findCaseInsensitive(paFile))) return inUse(paFile);
      if (const auto r = depreciation::findPaRow(reader.table(), asset.storedInvBr)) {
        const std::string period = year < kFirstYearOfDays ? formatPicture(r->BrMes, kPictureMonths)
                                                           : formatPicture(r->BrDan, kPicturePage);
        lines.tax.push_back({year, period, r->PAPrVr, r->PAOsn, r->PAm, r->PASadVr});
      }
    }
    program.userInterface().processEvents();
  }
  return lines;
}

// The card as a workbook: a sheet for each table, the register data above it.
sheet::Workbook cardWorkbook(const store::Program& program, const CardHeader& header,
                             const CardLines& lines, const std::optional<CardAsset>& asset) {
  using sheet::Cell;
  using sheet::CellKind;
  auto table = [&](std::string name, const std::string& method, std::string_view period,
                   const std::vector<CardLine>& cardLines) {
    sheet::Sheet s;
    s.name = std::move(name);
    s.heading = {program.CKORISNIKNAZIV,
                 program.CKORISNIKMESTO,
                 "Kartica Osnovnog sredstva",
                 header.name,
                 header.numbers,
                 header.acquisition,
                 method};
    if (asset && !asset->record.DatumO.empty())
      s.heading.push_back(
          "Osnovno sredstvo je otpisano/otudjeno: " + asset->record.DatumO.toText() + ". godine.");
    s.columns = {{"Godina", CellKind::Number, 8, false},
                 {std::string(period), CellKind::Number, 10, false},
                 {"Prethodna vrednost", CellKind::Amount, 18, false},
                 {"Osnovica", CellKind::Amount, 18, false},
                 {"Amortizacija", CellKind::Amount, 18, false},
                 {"Sadasnja vrednost", CellKind::Amount, 18, false}};
    for (const CardLine& l : cardLines)
      s.rows.push_back({Cell::ofNumber(l.year), Cell::ofNumber(parseNumber(trimmedText(l.period))),
                        Cell::ofAmount(l.prVr), Cell::ofAmount(l.osn), Cell::ofAmount(l.am),
                        Cell::ofAmount(l.sadVr)});
    return s;
  };
  sheet::Workbook book;
  book.sheets.push_back(table("Racunovodstvena", header.accounting,
                              kAccountingColumns.periodCaption, lines.accounting));
  book.sheets.push_back(table("Poreska", header.tax, kTaxColumns.periodCaption, lines.tax));
  return book;
}

}  // namespace

bool StampaKartice(store::Program& program, ui::Printer& printer, std::string_view invBr,
                   Date today) {
  auto wait = program.userInterface().showWait(kPripremaZaStampu);
  CardHeader header;
  const std::optional<CardAsset> asset = readAsset(program, invBr, header);
  CardLines lines;
  if (asset) {
    // An empty acquisition date (year 0) is read from the first year a calculation can
    // have, rather than through two thousand years without tables.
    const int first =
        asset->record.DatumN.empty() ? depreciation::kFirstYear : asset->record.DatumN.year();
    auto read = readLines(program, *asset, first, today.year(), wait);
    if (!read) return false;
    lines = std::move(*read);
  }

  setUpPortraitA4(printer, kKarticaTitle, reportStyleOf(program));
  printer.BeginDoc();
  printer.setWorkbook(sheet::madeWorkbook(cardWorkbook(program, header, lines, asset)));
  CardPages pages(printer, program, header);
  pages.firstPage();
  pages.tableHeading(kAccountingColumns);
  for (const CardLine& l : lines.accounting) pages.line(l, kAccountingColumns);
  pages.rule();
  pages.room(2);  // header text 5 stays with the heading of its table
  pages.text(header.tax);
  pages.tableHeading(kTaxColumns);
  for (const CardLine& l : lines.tax) pages.line(l, kTaxColumns);
  pages.rule();
  if (asset && !asset->record.DatumO.empty()) {
    pages.room(1);
    pages.text("Osnovno sredstvo je otpisano/otudjeno: " + asset->record.DatumO.toText() +
               ". godine.");
  }
  printer.EndDoc();
  wait.reset();
  printer.Preview();
  return true;
}

}  // namespace kavrina::reports
