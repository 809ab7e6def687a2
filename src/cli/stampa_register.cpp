// The register's and the calculation's documents from the command line. The lists are
// loaded as the main window loads them (with the filter the options name), the statements
// take the row the calculation list would show for --godina and --meseci.
#include "cli/stampa_register.h"

#include <filesystem>
#include <string>

#include "app/list_loaders.h"
#include "app/list_rows.h"
#include "common/date.h"
#include "common/decimal.h"
#include "common/path_case.h"
#include "depreciation/asset_list.h"
#include "depreciation/calculation_input.h"
#include "reports/asset_card.h"
#include "reports/asset_list.h"
#include "reports/asset_lookup.h"
#include "reports/booking_note_csv.h"
#include "reports/booking_note_report.h"
#include "reports/company_list.h"
#include "reports/inventory_list.h"
#include "reports/statements.h"
#include "settings/booking_accounts.h"
#include "store/database.h"
#include "store/record_codec.h"

namespace kavrina::cli {
namespace {

namespace fs = std::filesystem;
namespace dep = depreciation;

void tell(const store::Program& program, const std::string& text) {
  program.userInterface().messageBox(text, ui::MessageKind::Error, ui::MessageButtons::Ok);
}

// The filter the options name; the whole list without one.
dep::AssetFilter filterOf(const CliOptions& o) {
  if (o.deoNaziva) return dep::assetsNamed(*o.deoNaziva);
  if (o.otpisana) return dep::writtenOffAssets();
  if (o.neotpisana) return dep::assetsInUse();
  if (o.lokacija) return dep::assetsOfUnit(*o.lokacija);
  if (o.konto) return dep::assetsOfAccount(*o.konto);
  return {};
}

Date referenceDate(const store::Program& program, const CliOptions& o) {
  return o.naDan ? Date::fromText(*o.naDan) : program.clock.today();
}

// The calculation list's row of --godina and --meseci of the kind `kind` ('R' or 'P'):
// `index` 0 is the statement, 1 form OA. No value, the user told with the file's name,
// when the result table does not exist.
std::optional<reports::CalculationRow> calculationRow(store::Program& program, const CliOptions& o,
                                                      dep::ResultKind kind, std::size_t index) {
  const std::string name = dep::resultTableName(*o.godina, o.meseci, kind);
  const fs::path file = store::dataPath(program, name);
  if (!existsCaseInsensitive(file)) {
    // A calculation's result table takes its name only when the calculation is complete.
    tell(program, "Nema obracuna amortizacije za " + std::to_string(*o.godina) + ". godinu (" +
                      std::to_string(o.meseci) + " meseci): ne postoji fajl " +
                      file.generic_string() + ".");
    return std::nullopt;
  }
  const app::ListRows rows = app::calculationRows(name, {});
  if (rows.size() <= index) return std::nullopt;
  const app::ListRow& row = rows[index];
  return reports::CalculationRow{row.at(0), row.at(1), row.at(2), row.at(3)};
}

const std::vector<StampaOption> kListOptions{{"--na-dan", false},   {"--deo-naziva", false},
                                             {"--otpisana", false}, {"--neotpisana", false},
                                             {"--lokacija", false}, {"--konto", false}};
const std::vector<StampaOption> kPeriodOptions{{"--godina", true}, {"--meseci", false}};
const std::vector<StampaOption> kNalogOptions{
    {"--godina", true}, {"--meseci", false}, {"--csv", false}, {"--po-sredstvu", false}};
constexpr std::string_view kNalogHelp =
    "Nalog za knjizenje amortizacije iz racunovodstvenog obracuna godine Y i P meseci\n"
    "(podrazumevano 12): A + Y + P + R.dbf. Po jedan red za svaki konto sredstva (sa\n"
    "--po-sredstvu, ili kada je tako podeseno u programu, za svako sredstvo): konto troska\n"
    "amortizacije duguje, konto ispravke\n"
    "vrednosti potrazuje (konta iz podesavanja programa). Sa --csv FAJL nalog se zapisuje\n"
    "kao CSV za program za knjigovodstvo: Datum,Konto,Opis,Duguje,Potrazuje (UTF-8).";

// The note of --godina and --meseci with the accounts of the settings file.
std::optional<dep::BookingNote> bookingNote(store::Program& program, const CliOptions& o) {
  const auto row = calculationRow(program, o, dep::ResultKind::Accounting, 0);
  if (!row) return std::nullopt;
  return reports::readBookingNote(
      program, *row, settings::readBookingAccounts(settings::programSettings()), o.poSredstvu);
}

constexpr std::string_view kListUsage =
    "[--na-dan dd.mm.yyyy] [--deo-naziva T | --otpisana | --neotpisana | --lokacija N |\n"
    "      --konto N] --pdf FAJL";
constexpr std::string_view kFilterHelp =
    "Filter (najvise jedan, kao u programu): --deo-naziva T (naziv sadrzi T), --otpisana,\n"
    "--neotpisana, --lokacija N (organizacioni deo), --konto N. Datum --na-dan je\n"
    "podrazumevano danasnji.";

}  // namespace

const std::string_view kAssetFilterHelp =
    "Filter (najvise jedan, kao u programu): --deo-naziva T (naziv sadrzi T), --otpisana,\n"
    "--neotpisana, --lokacija N (organizacioni deo), --konto N.";

const std::vector<StampaOption>& assetFilterOptions() {
  static const std::vector<StampaOption> options{{"--deo-naziva", false},
                                                 {"--otpisana", false},
                                                 {"--neotpisana", false},
                                                 {"--lokacija", false},
                                                 {"--konto", false}};
  return options;
}

// The present values as of the current year, as the window's first load has them.
void loadAssetList(store::Program& program, const CliOptions& o) {
  program.NGODINA = program.clock.today().year();
  dep::AssetFilter filter = filterOf(o);
  program.CFILTER = std::move(filter.words);
  dep::UcitajOsnovnaSredstva(program, dep::presentValueLookup(program), filter.keep);
}

std::vector<StampaDocument> registerDocuments() {
  return {
      {"spisak", kListOptions, kListUsage,
       "Spisak osnovnih sredstava na dan (sredstva nabavljena posle tog dana se izostavljaju).\n" +
           std::string(kFilterHelp),
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         loadAssetList(program, o);
         return reports::printAssetList(program, printer, referenceDate(program, o)).shown;
       }},
      {"firme",
       {},
       "--pdf FAJL",
       "Spisak firmi (tabela Firme).",
       [](store::Program& program, ui::Printer& printer, const CliOptions&) {
         app::UcitajFirme(program);
         return reports::StampaSpiskaFirmi(program, printer, program.clock.today()).shown;
       }},
      {"popis", kListOptions, kListUsage,
       "Popisna lista osnovnih sredstava na dan, sa potpisima popisne komisije.\n" +
           std::string(kFilterHelp),
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         loadAssetList(program, o);
         return reports::printInventoryList(program, printer, referenceDate(program, o)).shown;
       }},
      {"kartica",
       {{"--invbr", true}},
       "--invbr N --pdf FAJL",
       "Kartica osnovnog sredstva sa inventarskim brojem N: podaci iz registra i godisnji\n"
       "obracuni od godine nabavke do tekuce godine.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         store::DbfTable& mdos = program.areas["MDOS"];
         if (!reports::seekAsset(mdos, *o.invbr)) {
           tell(program,
                "Nije pronadjeno osnovno sredstvo sa inventarskim brojem " + *o.invbr + ".");
           return false;
         }
         using R = store::AssetRecord;
         const store::RecordCodec<R> reader(mdos, store::FieldSet<R>::of(&R::InvBr));
         return reports::StampaKartice(program, printer, reader.padded(&R::InvBr, reader.read()),
                                       program.clock.today());
       }},
      {"ora", kPeriodOptions, "--godina Y [--meseci P] --pdf FAJL",
       "Obracun racunovodstvene amortizacije godine Y i P meseci (podrazumevano 12):\n"
       "A + Y + P + R.dbf.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         const auto row = calculationRow(program, o, dep::ResultKind::Accounting, 0);
         return row && reports::StampaORA(program, printer, *row);
       }},
      {"opa", kPeriodOptions, "--godina Y [--meseci P] --pdf FAJL",
       "Obracun poreske amortizacije (I grupa) godine Y i P meseci (podrazumevano 12):\n"
       "A + Y + P + P.dbf.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         const auto row = calculationRow(program, o, dep::ResultKind::Tax, 0);
         return row && reports::StampaOPA(program, printer, *row);
       }},
      {"oa", kPeriodOptions, "--godina Y [--meseci P] --pdf FAJL",
       "Obrazac OA (grupe II do V) iz obracuna godine Y i P meseci (podrazumevano 12):\n"
       "A + Y + P + P.dbf.",
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         const auto row = calculationRow(program, o, dep::ResultKind::Tax, 1);
         return row && reports::StampaOA(program, printer, *row);
       }},
      {"nalog", kNalogOptions,
       "--godina Y [--meseci P] [--po-sredstvu] (--pdf FAJL | --csv FAJL | --xlsx FAJL)",
       std::string(kNalogHelp),
       [](store::Program& program, ui::Printer& printer, const CliOptions& o) {
         const auto row = calculationRow(program, o, dep::ResultKind::Accounting, 0);
         return row &&
                reports::StampaNaloga(program, printer, *row,
                                      settings::readBookingAccounts(settings::programSettings()),
                                      o.poSredstvu);
       },
       [](store::Program& program, const CliOptions& o, bool& written,
          std::size_t& lines) -> std::optional<std::string> {
         const auto note = bookingNote(program, o);
         written = false;
         if (!note) return std::nullopt;
         if (auto error =
                 reports::writeBookingNoteCsv(*note, *o.csv, program.info.folder, o.presnimi))
           return error;
         written = true;
         lines = 2 * note->lines.size();
         return std::nullopt;
       }},
  };
}

}  // namespace kavrina::cli
