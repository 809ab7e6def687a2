// The depreciation calculation over the tables: opening, reading, computing with the
// calculation core, writing, and the dialogs around it.
#include "depreciation/obracun.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/path_case.h"
#include "common/reorder.h"
#include "depreciation/accounting.h"
#include "depreciation/calculation_input.h"
#include "depreciation/mdos_scan.h"
#include "depreciation/period_counts.h"
#include "depreciation/result_tables.h"
#include "depreciation/tax.h"
#include "depreciation/working_tables.h"
#include "settings/settings_keys.h"
#include "store/database.h"
#include "store/import_lock.h"
#include "store/ntx/ntx_order.h"
#include "store/rec_lock.h"
#include "store/schema.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;
using store::Session;

constexpr std::string_view kAliasRa = "BazaRA";
constexpr std::string_view kAliasPa = "BazaPA";
constexpr std::string_view kAliasPreRa = "BazaPreRA";
constexpr std::string_view kAliasPrePa = "BazaPrePA";
constexpr std::string_view kAliasMdng = "MDNG";

// Opens a result table as a working table: an existing one upgraded to the structure first,
// a missing one new beside its name, which it takes only once the results are complete (a
// run refused or stopped before then leaves no table that would pass for a calculation).
// False when another user holds it; the table is then noted as in use.
bool createAndOpen(Session& program, WorkingTables& tables, const fs::path& file,
                   const store::Structure& structure, std::string_view alias) {
  if (!existsCaseInsensitive(file)) return tables.openNew(file, structure, alias);
  program.ADBF = structure;
  if (!store::CREATEDBF(program, file, program.ADBF)) {
    tables.setInUse(file);
    return false;
  }
  return tables.open(file, alias);
}

// Redoes the result table with the rows, each appended under the record-writing rule
// (append releasing other locks, REC_LOCK waiting without limit, fields, unlock). The new
// results go to a file beside the table that takes its name only when complete and
// flushed: a run stopped anywhere leaves the previous results whole. The working index
// stays held and is built once over the finished table rather than record by record.
template <class Row>
void writeRows(Session& program, std::string_view alias, const std::vector<Row>& rows,
               EventPump& pump) {
  program.areas.select(alias);
  store::DbfTable& table = program.areas[alias];
  table.beginRewrite();
  const store::RecordCodec<Row> writer(table);
  for (const Row& row : rows) {
    if (!table.append(true)) continue;  // only a shared table can refuse; ours is exclusive
    if (store::REC_LOCK(program, 0, alias)) writer.write(row);
    table.unlock();
    pump();
  }
  table.publishRewrite();
}

// Reads a working table in record order: with equal keys the first record is the one a
// seek on its fresh index finds, so the rows stand for the index without moving by it.
store::DbfTable& inRecordOrder(Session& program, std::string_view alias) {
  store::DbfTable& table = program.areas[alias];
  table.clearOrders();
  return table;
}

int digitsValue(const std::string& typed) {
  return static_cast<int>(parseNumber(typed));
}

}  // namespace

TaxRules readTaxRules() {
  TaxRules rules;
  rules.startRule = static_cast<int>(settings::read(settings::kPaPocetak));
  rules.endRule = static_cast<int>(settings::read(settings::kPaKraj));
  rules.kodOtpisa = settings::read(settings::kPaKodOtpisa);
  rules.korekcija = settings::read(settings::kPaKorekcija);
  rules.prosecnaZaradaX5 = settings::read(settings::kProsecnaZaradaX5);
  return rules;
}

ObracunResult runObracun(Session& program, const ObracunRequest& request, const TaxRules& rules) {
  const int y = request.year;
  const int p = request.months;
  const fs::path raFile = store::dataPath(program, resultTableName(y, p, ResultKind::Accounting));
  const fs::path paFile = store::dataPath(program, resultTableName(y, p, ResultKind::Tax));
  const fs::path preRaFile =
      store::dataPath(program, resultTableName(y - 1, 12, ResultKind::Accounting));
  const fs::path prePaFile = store::dataPath(program, resultTableName(y - 1, 12, ResultKind::Tax));
  const fs::path mdngFile = store::dataPath(program, "MDNG.dbf");

  ObracunResult result;
  // The register as it stands before another station's import or after it.
  const store::RegisterReading reading(program);
  if (!reading.held()) {
    result.tableInUse = reading.table();
    return result;
  }
  WorkingTables tables(program);
  EventPump pump(program.ui);

  // Every table is opened before anything is written, so that a table held by another
  // user stops the run with all results as they were.
  const bool havePreRa = request.accounting && existsCaseInsensitive(preRaFile);
  const bool havePrePa = request.tax && existsCaseInsensitive(prePaFile);
  bool opened = true;
  if (havePreRa) opened = tables.open(preRaFile, kAliasPreRa);
  if (opened && havePrePa) opened = tables.open(prePaFile, kAliasPrePa);
  if (opened && request.tax) {
    store::CREATEDBF(program, mdngFile, store::schema::mdng(), store::kDriver, 0);
    opened = tables.open(mdngFile, kAliasMdng);
  }
  if (opened && request.accounting)
    opened = createAndOpen(program, tables, raFile, store::schema::resultRa(), kAliasRa);
  if (opened && request.tax)
    opened = createAndOpen(program, tables, paFile, store::schema::resultPa(), kAliasPa);
  if (!opened) {
    result.tableInUse = tables.inUse();
    return result;
  }

  // R1 and T1 need the register alone: both tables' rows are opened in one pass over it,
  // so the register itself is never held (with a large register it would be the run's
  // largest list); the rows are then put into the order of its index.
  const CalcParams params{.year = y, .months = p, .rules = rules};
  std::vector<store::RaRow> raRows;
  std::vector<store::PaRow> paRows;
  const std::size_t records = program.areas["MDOS"].recCount();
  if (request.accounting) raRows.reserve(records);
  if (request.tax) paRows.reserve(records);
  const auto order = visitAssetsInIndexOrder(
      program, calculationFields(),
      [&](const store::AssetRecord& asset) {
        if (!takesPart(asset.DatumN, y)) return false;
        if (request.accounting) raRows.push_back(openAccounting(asset, params));
        if (request.tax) paRows.push_back(openTax(asset, params));
        return true;
      },
      [&pump] { pump(); });
  if (order && request.accounting) reorderInPlace(raRows, *order);
  if (order && request.tax) reorderInPlace(paRows, *order);

  if (request.accounting) {
    std::optional<std::vector<store::RaRow>> previous;
    if (havePreRa) {
      // The carry-over reads only the number and the closing value (the table's structure
      // was checked whole when it was opened).
      using R = store::RaRow;
      previous = readRaRows(inRecordOrder(program, kAliasPreRa), pump,
                            store::FieldSet<R>::of(&R::InvBr, &R::RASadVr));
      tables.close(kAliasPreRa);
    }
    finishAccounting(raRows, previous ? &*previous : nullptr);
    previous.reset();  // carried over: its memory goes before the table is written
    writeRows<store::RaRow>(program, kAliasRa, raRows, pump);
    tables.close(kAliasRa);
    result.accountingRows = raRows.size();
    std::vector<store::RaRow>().swap(raRows);  // written: its memory goes before the tax part
  }

  if (request.tax) {
    std::optional<std::vector<store::PaRow>> previous;
    if (havePrePa) {
      using P = store::PaRow;
      previous = readPaRows(inRecordOrder(program, kAliasPrePa), pump,
                            store::FieldSet<P>::of(&P::InvBr, &P::PASadVr));
      tables.close(kAliasPrePa);
    }
    const GroupResets resets = readGroupResets(inRecordOrder(program, kAliasMdng), pump);
    finishTax(paRows, previous ? &*previous : nullptr, resets, params);
    previous.reset();
    writeRows<store::PaRow>(program, kAliasPa, paRows, pump);
    tables.close(kAliasPa);
    tables.close(kAliasMdng);
    result.taxRows = paRows.size();
  }

  result.done = true;
  return result;
}

std::string tableInUseMessage(const fs::path& table) {
  std::string text = "Drugi korisnik trenutno radi sa obracunom ove firme. Pokusajte kasnije.";
  text += kCarriageReturn;
  text += "Tabela u upotrebi: " + table.filename().string();
  return text;
}

void OBRACUN(Session& program, bool accounting, bool tax, bool periodic) {
  ui::UserInterface& ui = program.userInterface();
  if (!accounting && !tax) accounting = tax = true;

  const std::optional<std::string> yearText = ui.inputBox(
      kCaptionUnos, kPromptGodina, std::to_string(program.NGODINA), kPictureGodina, kWidthGodina);
  if (!yearText) return;
  const int year = digitsValue(*yearText);
  if (const auto refused = checkCalculationYear(year, currentCalendarYear(program))) {
    ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return;
  }

  int months = program.NMESECI;
  if (periodic) {
    const std::optional<std::string> monthsText = ui.inputBox(
        kCaptionUnos, kPromptMeseci, std::to_string(program.NMESECI), kPictureMeseci, kWidthMeseci);
    if (!monthsText) return;
    months = digitsValue(*monthsText);
    if (const auto refused = checkPeriodicMonths(months)) {
      ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
      return;
    }
  } else if (const auto refused = checkCalculationMonths(months)) {
    ui.messageBox(*refused, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return;
  }
  program.NGODINA = year;
  program.NMESECI = months;

  if (ui.messageBox(obracunQuestion(accounting, tax, periodic, year, months),
                    ui::MessageKind::Confirmation, ui::MessageButtons::YesNo) != ui::Answer::Yes)
    return;

  ObracunResult result;
  {
    const std::unique_ptr<ui::WaitNotice> wait = ui.showWait(kObracunUToku);
    result =
        runObracun(program, {.year = year, .months = months, .accounting = accounting, .tax = tax},
                   readTaxRules());
  }
  if (!result.done) {
    ui.messageBox(tableInUseMessage(result.tableInUse), ui::MessageKind::Error,
                  ui::MessageButtons::Ok);
    return;
  }
  ui.messageBox(kObracunZavrsen, ui::MessageKind::Information, ui::MessageButtons::Ok);
}

}  // namespace kavrina::depreciation
