// Reading the two result tables of one calculation into the list of new-rules assets.
#include "depreciation/ucitaj_pamram.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "common/path_case.h"
#include "depreciation/calculation_input.h"
#include "depreciation/obracun.h"
#include "depreciation/result_reader.h"
#include "depreciation/result_tables.h"
#include "store/database.h"

namespace kavrina::depreciation {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAliasPa = "BazaPA";
constexpr std::string_view kAliasRa = "BazaRA";

std::string missingMessage(std::string_view kind, std::string_view year, std::string_view months) {
  std::string text = "Ne postoje podaci ";
  text += kind;
  text += " amoritzacije";
  text += kCarriageReturn;
  text += "za godinu ";
  text += year;
  text += " (meseci ";
  text += months;
  text += ").";
  return text;
}

// The whole number written in the text, blanks around it allowed; 0 for anything else.
int wholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string twoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// The last two digits of a year written as text.
std::string lastTwoDigits(std::string_view year) {
  return std::string(year.size() > 2 ? year.substr(year.size() - 2) : year);
}

// Start of the accounting depreciation of an asset as "dd.mm.yy": "01.01." + year when the
// asset was not acquired in the year; "01.01." + the following year when it was acquired
// in the year with no month left (`BrMes` 0); otherwise the first of month
// (months − `BrMes` + 1). Years with their last two digits.
std::string accountingStartText(bool raNab, int brMes, std::string_view year,
                                std::string_view months) {
  if (!raNab) return "01.01." + lastTwoDigits(year);
  if (brMes == 0) return "01.01." + twoDigits((wholeNumber(year) + 1) % 100);
  return "01." + twoDigits(wholeNumber(months) - brMes + 1) + "." + lastTwoDigits(year);
}

// The inventory number padded with blanks to its field's width, as the table stores it
// (the result rows hold it without the padding).
template <class Row>
std::string asStored(std::string invBr, store::DbfTable& table) {
  const std::size_t width =
      store::RecordCodec<Row>(table, store::FieldSet<Row>::of(&Row::InvBr)).width(&Row::InvBr);
  if (invBr.size() < width) invBr.resize(width, ' ');
  return invBr;
}

}  // namespace

std::string missingTaxResultMessage(std::string_view year, std::string_view months) {
  return missingMessage("Poreske", year, months);
}

std::string missingAccountingResultMessage(std::string_view year, std::string_view months) {
  return missingMessage("Racunovodstvene", year, months);
}

std::int64_t thousandths(double amount) {
  return std::llround(amount * 1000);
}

PamRam UCITAJPAMRAM(store::Session& program, std::string_view year, std::string_view months) {
  ui::UserInterface& ui = program.userInterface();
  const std::string period = "A" + std::string(year) + std::string(months);
  const fs::path taxFile = store::dataPath(program, period + "P.dbf");
  const fs::path accountingFile = store::dataPath(program, period + "R.dbf");
  PamRam result;
  if (!existsCaseInsensitive(taxFile)) {
    ui.messageBox(missingTaxResultMessage(year, months), ui::MessageKind::Error,
                  ui::MessageButtons::Ok);
    return result;
  }
  if (!existsCaseInsensitive(accountingFile)) {
    ui.messageBox(missingAccountingResultMessage(year, months), ui::MessageKind::Error,
                  ui::MessageButtons::Ok);
    return result;
  }
  auto inUse = [&](const fs::path& file) {
    ui.messageBox(tableInUseMessage(file), ui::MessageKind::Error, ui::MessageButtons::Ok);
    result.rows.clear();
    result.tableInUse = true;
    return result;
  };

  std::unordered_map<std::string, std::size_t> byInvBr;
  {
    ResultTableReader tax(program, kAliasPa);
    if (!tax.open(taxFile)) return inUse(taxFile);
    std::vector<store::PaRow> taxRows = readPaRows(tax.table());
    byInvBr.reserve(taxRows.size());
    for (store::PaRow& r : taxRows) {
      if (!r.NoviPrav) continue;
      // As a search of the list would, the first row of an inventory number is the one
      // the accounting side is matched with.
      byInvBr.emplace(r.InvBr, result.rows.size());
      result.rows.push_back(
          {asStored<store::PaRow>(std::move(r.InvBr), tax.table()), r.PAm, 0, r.PASadVr, 0, {}});
    }
  }
  {
    ResultTableReader accounting(program, kAliasRa);
    if (!accounting.open(accountingFile)) return inUse(accountingFile);
    for (store::RaRow& r : readRaRows(accounting.table())) {
      if (!r.NoviPrav) continue;
      std::string start = accountingStartText(r.RANab, r.BrMes, year, months);
      const auto found = byInvBr.find(r.InvBr);
      if (found == byInvBr.end()) {
        byInvBr.emplace(r.InvBr, result.rows.size());
        result.rows.push_back({asStored<store::RaRow>(std::move(r.InvBr), accounting.table()), 0,
                               r.RAm, 0, r.RASadVr, std::move(start)});
        continue;
      }
      PamRamRow& row = result.rows[found->second];
      row.RAm = r.RAm;
      row.RASadVr = r.RASadVr;
      row.datumObracuna = std::move(start);
    }
  }
  return result;
}

}  // namespace kavrina::depreciation
