// The booking note drawn on pages and given as a workbook.
#include "reports/booking_note_report.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_map>

#include "common/decimal.h"
#include "common/number_picture.h"
#include "common/path_case.h"
#include "common/text.h"
#include "depreciation/mdos_scan.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "reports/list_engine.h"
#include "reports/list_report.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "store/database.h"
#include "store/import_lock.h"
#include "store/record_codec.h"

namespace kavrina::reports {

namespace {

namespace fs = std::filesystem;
using depreciation::BookingLine;
using depreciation::BookingNote;
using ui::TextAlign;

constexpr std::string_view kAliasNalog = "BazaRA";
constexpr std::string_view kSastavio = "Sastavio";
constexpr std::string_view kKontrolisao = "Kontrolisao";
constexpr std::string_view kKnjizio = "Knjizio";

std::string trimmedText(std::string_view value) {
  return std::string(text::trimBlanks(value));
}

double amountOf(std::int64_t paras) {
  return static_cast<double>(paras) / 100.0;
}

// The account and name of every asset of `MDOS` (open), by inventory number: one pass over
// the file in record order (the order does not matter here), through the standing table
// when the file cannot be had a second time.
std::unordered_map<std::string, depreciation::BookingAsset> bookingAssets(store::Program& program) {
  std::unordered_map<std::string, depreciation::BookingAsset> assets;
  const store::RegisterReading reading(program);  // before or after another station's import
  if (!reading.held()) return assets;
  store::DbfTable& mdos = program.areas["MDOS"];
  using store::AssetRecord;
  const auto fields = store::FieldSet<AssetRecord>::of(&AssetRecord::InvBr, &AssetRecord::Naziv,
                                                       &AssetRecord::Konto, &AssetRecord::DuzKonta);
  std::optional<store::RecordCodec<AssetRecord>> reader;  // bound to the table scanned
  auto take = [&](store::DbfTable& t) {
    if (!reader || &reader->table() != &t) reader.emplace(t, fields);
    const AssetRecord a = reader->read();
    assets.emplace(a.InvBr,
                   depreciation::BookingAsset{
                       a.Konto > 0 ? accountText(a.Konto, a.DuzKonta) : std::string(), a.Naziv});
    return true;
  };
  if (!depreciation::scanMdosInIndexOrder(program, take))
    for (mdos.goTop(); !mdos.eof(); mdos.skip()) take(mdos);
  return assets;
}

// Top of row slot k (from 1), as the list reports place their rows.
constexpr double slotTop(int k) {
  return kSlotBase + kSlotHeight * k;
}

struct NoteColumn {
  double left;
  double right;
  TextAlign align;
};
constexpr NoteColumn kOrdinal{10, 18, TextAlign::Right};
constexpr NoteColumn kKonto{20, 40, TextAlign::Left};
constexpr NoteColumn kOpis{40, 125, TextAlign::Left};
constexpr NoteColumn kDuguje{125, 145, TextAlign::Center};
constexpr NoteColumn kPotrazuje{145, 165, TextAlign::Center};
constexpr NoteColumn kIznos{165, 200, TextAlign::Right};

void drawNoteHeading(ui::Printer& printer) {
  printer.DrawBox({8, 21, 202, 30});
  auto caption = [&](std::string_view text, const NoteColumn& c, double top) {
    drawCaption(printer, text, c.left, c.right, top, c.align);
  };
  caption("Redni", {10, 20, TextAlign::Left}, 22);
  caption("broj", {10, 20, TextAlign::Left}, 26);
  caption("Konto", kKonto, 22);
  caption("sredstva", kKonto, 26);
  caption("Opis", kOpis, 24);
  caption("Duguje", kDuguje, 22);
  caption("(konto)", kDuguje, 26);
  caption("Potrazuje", kPotrazuje, 22);
  caption("(konto)", kPotrazuje, 26);
  caption("Iznos", kIznos, 24);
}

// Draws the note's lines on pages of 50 slots, starting pages as they fill.
class NoteComposer {
 public:
  NoteComposer(ui::Printer& printer, const ReportStyle& style, FrameHeading heading)
      : printer_(printer), style_(style), heading_(std::move(heading)) {}

  // The slot of the next line, on a new page when the page is full (or `need` slots would
  // not fit on it).
  int nextSlot(int need = 1) {
    if (slot_ + need - 1 > kSlotsPerPage) {
      printer_.NewPage();
      drawPageFrame(printer_, style_, heading_);
      drawNoteHeading(printer_);
      slot_ = 1;
    }
    return slot_++;
  }
  void draw(std::string_view text, int slot, const NoteColumn& c) {
    printer_.DrawText(text, {c.left, slotTop(slot), c.right, slotTop(slot) + kSlotHeight}, c.align);
  }
  void rule(int slot) {
    printer_.DrawLine(10, 25 + kSlotHeight * slot, 200, 25 + kSlotHeight * slot);
  }
  void lines(const BookingNote& note, const std::vector<BookingLine>& lines) {
    int ordinal = 1;
    for (const BookingLine& line : lines) {
      const int slot = nextSlot();
      draw(formatOrdinalGrowing(ordinal++), slot, kOrdinal);
      draw(line.konto, slot, kKonto);
      draw(depreciation::bookingLineText(note, line), slot, kOpis);
      if (!line.ispravka.empty()) {
        draw(note.trosak, slot, kDuguje);
        draw(line.ispravka, slot, kPotrazuje);
      }
      draw(formatAmountGrowing(amountOf(line.paras)), slot, kIznos);
    }
  }
  void total(std::string_view label, std::int64_t paras, bool ruled) {
    const int slot = nextSlot();
    if (ruled) rule(slot);
    draw(label, slot, kOpis);
    draw(formatAmountGrowing(amountOf(paras)), slot, kIznos);
  }
  void signatures() {
    const int top = nextSlot(4) + 1;
    slot_ += 3;
    const std::array<std::pair<std::string_view, NoteColumn>, 3> places{
        {{kSastavio, {20, 60, TextAlign::Center}},
         {kKontrolisao, {85, 125, TextAlign::Center}},
         {kKnjizio, {150, 190, TextAlign::Center}}}};
    for (const auto& [text, c] : places) {
      draw(text, top, c);
      printer_.DrawLine(c.left, slotTop(top + 2) + 4, c.right, slotTop(top + 2) + 4);
    }
  }

 private:
  ui::Printer& printer_;
  const ReportStyle& style_;
  FrameHeading heading_;
  int slot_ = kSlotsPerPage + 1;
};

std::string periodText(const BookingNote& note) {
  return "Godina: " + std::to_string(note.year) + "  //  Meseci: " + std::to_string(note.months) +
         "  //  Datum knjizenja: " + note.datum.toText();
}

sheet::Sheet noteSheet(std::string name, const BookingNote& note,
                       const std::vector<BookingLine>& lines, const store::Program& program) {
  using sheet::Cell;
  using sheet::CellKind;
  sheet::Sheet s;
  s.name = std::move(name);
  s.heading = {program.CKORISNIKNAZIV, program.CKORISNIKMESTO, std::string(kNalogHeading),
               periodText(note)};
  s.columns = {{"Redni broj", CellKind::Number, 8, false},
               {"Konto sredstva", CellKind::Text, 12, false},
               {"Opis", CellKind::Text, 48, false},
               {"Duguje (konto)", CellKind::Text, 12, false},
               {"Potrazuje (konto)", CellKind::Text, 12, false},
               {"Iznos", CellKind::Amount, 16, true}};
  s.totalsLabel = "UKUPNO:";
  double ordinal = 1;
  for (const BookingLine& line : lines) {
    const bool booked = !line.ispravka.empty();
    s.rows.push_back({Cell::ofNumber(ordinal++), Cell::ofText(line.konto),
                      Cell::ofText(depreciation::bookingLineText(note, line)),
                      Cell::ofText(booked ? note.trosak : ""), Cell::ofText(line.ispravka),
                      Cell::ofAmount(amountOf(line.paras))});
  }
  return s;
}

}  // namespace

std::optional<BookingNote> readBookingNote(store::Program& program, const CalculationRow& row,
                                           const settings::BookingAccounts& accounts, bool perAsset,
                                           std::unique_ptr<ui::WaitNotice>* wait) {
  const fs::path file = findCaseInsensitive(store::dataPath(program, trimmedText(row.file)));
  std::vector<store::RaRow> rows;
  {
    depreciation::ResultTableReader reader(program, kAliasNalog);
    if (!reader.open(file)) {
      if (wait) wait->reset();
      program.userInterface().messageBox(depreciation::tableInUseMessage(file),
                                         ui::MessageKind::Error, ui::MessageButtons::Ok);
      return std::nullopt;
    }
    rows = depreciation::readRaRows(reader.table(), [&program, n = std::size_t{0}]() mutable {
      if (++n % kRowsPerEventPass == 0) program.userInterface().processEvents();
    });
  }
  return depreciation::composeBookingNote(
      rows, bookingAssets(program), accounts, static_cast<int>(parseNumber(trimmedText(row.year))),
      static_cast<int>(parseNumber(trimmedText(row.months))), perAsset);
}

sheet::Workbook bookingNoteWorkbook(const BookingNote& note, const store::Program& program) {
  sheet::Workbook book;
  book.sheets.push_back(noteSheet("Nalog", note, note.lines, program));
  if (!note.unmatched.empty())
    book.sheets.push_back(
        noteSheet(std::string(depreciation::kBezKontaIspravke), note, note.unmatched, program));
  return book;
}

bool StampaNaloga(store::Program& program, ui::Printer& printer, const CalculationRow& row,
                  const settings::BookingAccounts& accounts, bool perAsset) {
  auto wait = program.userInterface().showWait(kPripremaZaStampu);
  const std::optional<BookingNote> note = readBookingNote(program, row, accounts, perAsset, &wait);
  if (!note) return false;

  const ReportStyle style = reportStyleOf(program);
  FrameHeading heading;
  heading.title = std::string(kNalogHeading);
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = periodText(*note);
  heading.secondRight = program.CKORISNIKMESTO;

  setUpPortraitA4(printer, kNalogTitle, style);
  printer.BeginDoc();
  printer.setWorkbook(sheet::madeWorkbook(bookingNoteWorkbook(*note, program)));
  NoteComposer composer(printer, style, heading);
  composer.lines(*note, note->lines);
  composer.total("UKUPNO DUGUJE:", note->totalParas, true);
  composer.total("UKUPNO POTRAZUJE:", note->totalParas, false);
  if (!note->unmatched.empty()) {
    composer.nextSlot();
    composer.draw(depreciation::kBezKontaIspravke, composer.nextSlot(), kOpis);
    composer.lines(*note, note->unmatched);
    composer.total("UKUPNO:", note->unmatchedParas, true);
  }
  composer.signatures();
  printer.EndDoc();
  wait.reset();
  printer.Preview();
  return true;
}

}  // namespace kavrina::reports
