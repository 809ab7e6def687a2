// The commands of kavrina-cli.
#include "cli/cli_app.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "cli/cli_options.h"
#include "cli/console_ui.h"
#include "cli/csv_export.h"
#include "cli/maintenance_commands.h"
#include "cli/stampa.h"
#include "commands/activation.h"
#include "commands/open_database.h"
#include "common/path_case.h"
#include "common/text.h"
#include "depreciation/calculation_input.h"
#include "depreciation/group_reset.h"
#include "depreciation/obracun.h"
#include "errors/network_error.h"
#include "errors/program_info.h"
#include "import/asset_import.h"
#include "reports/page_frame.h"
#include "settings/ini_files.h"
#include "store/database.h"
#include "store/record_codec.h"
#include "store/schema.h"

namespace kavrina::cli {
namespace {

namespace fs = std::filesystem;
namespace dep = depreciation;

int usageError(std::ostream& err, const std::string& why) {
  err << "Greska u pozivu: " << consoleText(why) << "\nPomoc: kavrina-cli --help\n";
  return kExitUsage;
}

std::string withoutBlanksAround(const std::string& text) {
  return std::string(kavrina::text::trimBlanks(text));
}

int failure(std::ostream& err, const std::string& why) {
  err << consoleText(why) << '\n';
  return kExitFailure;
}

std::string tableHeldMessage(const fs::path& table) {
  return "Drugi korisnik trenutno koristi tabelu " + table.generic_string() +
         ". Pokusajte kasnije.";
}

// The value checks of the dialogs, with the accepted range named for the command line.
std::optional<std::string> checkValues(const store::Session& program, const CliOptions& o) {
  const int current = dep::currentCalendarYear(program);
  const std::string years =
      " (godina od " + std::to_string(dep::kFirstYear) + " do " + std::to_string(current) + ")";
  switch (o.command) {
    case Command::Obracun:
      if (auto refused = dep::checkCalculationYear(*o.godina, current)) return *refused + years;
      if (auto refused = dep::checkCalculationMonths(o.meseci))
        return *refused + " (broj meseci od 1 do 12)";
      break;
    case Command::Nuliraj:
      if (auto refused = dep::checkResetYear(*o.godina, current)) return *refused + years;
      if (auto refused = dep::checkResetGroup(*o.grupa)) return *refused + " (grupa od 2 do 5)";
      break;
    case Command::Stampa:
      if (o.godina)
        if (auto refused = dep::checkCalculationYear(*o.godina, current)) return *refused + years;
      if (auto refused = dep::checkCalculationMonths(o.meseci))
        return *refused + " (broj meseci od 1 do 12)";
      break;
    default:
      break;
  }
  return std::nullopt;
}

// The table `izvoz` names: its file, the alias to open it under, the documented structure.
struct ExportTarget {
  fs::path file;
  std::string alias;
  store::Structure documented;
  bool standing = false;  // Firme and MDOS: already open, shared, since DBOPENALL
};

std::optional<ExportTarget> exportTarget(const store::Program& program, std::string name) {
  if (name.size() > 4) {
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dbf") name.resize(name.size() - 4);
  }
  const std::string upper = text::upper(name);
  if (upper == "FIRME") return ExportTarget{"DBF/Firme.dbf", "Firme", store::schema::firme(), true};
  if (upper == "MDOS")
    return ExportTarget{store::dataPath(program, "MDOS.dbf"), "MDOS", store::schema::mdos(), true};
  if (upper == "MDNG")
    return ExportTarget{store::dataPath(program, "MDNG.dbf"), "MDNG", store::schema::mdng(), false};
  const bool resultName =
      upper.size() == 8 && upper[0] == 'A' && (upper[7] == 'R' || upper[7] == 'P') &&
      std::all_of(upper.begin() + 1, upper.begin() + 7,
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  if (!resultName) return std::nullopt;
  const bool accounting = upper[7] == 'R';
  return ExportTarget{
      store::dataPath(program, upper.substr(0, 7) + (accounting ? "R.dbf" : "P.dbf")), "Izvoz",
      accounting ? store::schema::resultRa() : store::schema::resultPa(), false};
}

// The program folder when --dir is not given: $KAVRINA_HOME, else the user's data folder
// of an installed tool, else the current directory.
fs::path defaultFolder() {
  if (const char* home = std::getenv("KAVRINA_HOME"); home && *home) return home;
  if (errors::isInstalledProgram(errors::executableFolder()))
    if (fs::path data = errors::userDataFolder(); !data.empty()) return data;
  std::error_code ec;
  return fs::current_path(ec);
}

int runObracun(store::Program& program, const CliOptions& o, std::ostream& out, std::ostream& err) {
  dep::ObracunRequest request;
  request.year = *o.godina;
  request.months = o.meseci;
  request.accounting = o.ra || !o.pa;
  request.tax = o.pa || !o.ra;
  program.NGODINA = request.year;
  program.NMESECI = request.months;
  const dep::ObracunResult result = dep::runObracun(program, request, dep::readTaxRules());
  if (!result.done) return failure(err, dep::tableInUseMessage(result.tableInUse));
  out << dep::kObracunZavrsen << '\n';
  if (request.accounting)
    out << store::dataPath(program, dep::resultTableName(request.year, request.months,
                                                         dep::ResultKind::Accounting))
               .generic_string()
        << ": " << result.accountingRows << " zapisa\n";
  if (request.tax)
    out << store::dataPath(program,
                           dep::resultTableName(request.year, request.months, dep::ResultKind::Tax))
               .generic_string()
        << ": " << result.taxRows << " zapisa\n";
  return kExitOk;
}

int runNuliraj(store::Program& program, const CliOptions& o, std::ostream& out, std::ostream& err) {
  const dep::GroupResetResult result = dep::runNulirajGrupu(program, *o.godina, *o.grupa);
  if (!result.done) return failure(err, dep::mdngInUseMessage());
  out << dep::kNuliranjeZavrseno << '\n' << "Oznaceno sredstava: " << result.marked << '\n';
  return kExitOk;
}

int runIzvoz(store::Program& program, const CliOptions& o, std::ostream& out, std::ostream& err) {
  const auto target = exportTarget(program, o.table);
  if (!target)
    return usageError(err, "Nepoznata tabela: " + o.table +
                               " (Firme, MDOS, MDNG ili tabela obracuna, npr. A202512R)");
  if (!existsCaseInsensitive(target->file))
    return failure(err, "Ne postoji fajl " + target->file.generic_string() + "!");
  if (target->standing) {
    writeCsv(program.areas[target->alias], target->documented, out);
    return kExitOk;
  }
  if (!store::useTable(program, target->file, target->alias, {.shared = false, .readOnly = true}))
    return failure(err, tableHeldMessage(target->file));
  writeCsv(program.areas[target->alias], target->documented, out);
  program.areas.close(target->alias);
  return kExitOk;
}

int runUvoz(store::Program& program, const CliOptions& o, std::ostream& out, std::ostream& err) {
  const import::ImportResult result = import::importAssetFile(program, o.csvFile, o.proba);
  if (!result.failure.empty()) return failure(err, result.failure);
  for (const std::string& note : result.notes) out << consoleText(note) << '\n';
  if (result.alreadyIn) return kExitOk;
  if (!result.bad.empty()) {
    for (const import::BadRow& bad : result.bad) err << consoleText(import::describe(bad)) << '\n';
    return failure(err, "Fajl " + o.csvFile + " ima pogresnih redova: " +
                            std::to_string(import::badLineCount(result.bad)) +
                            ". Nista nije uvezeno.");
  }
  if (o.proba)
    out << "Fajl je ispravan: " << result.assets << " sredstava. Nista nije upisano (--proba).\n";
  else
    out << "Uvezeno sredstava: " << result.assets << '\n';
  return kExitOk;
}

}  // namespace

int runCli(store::Program& program, const std::vector<std::string>& args, std::ostream& out,
           std::ostream& err) {
  const ParsedCommandLine parsed = parseCommandLine(args);
  if (!parsed.error.empty()) return usageError(err, parsed.error);
  CliOptions o = parsed.options;
  if (o.help) {
    out << helpText(o.command, o.document);
    std::error_code ec;
    out << "Folder sa podacima: "
        << fs::absolute(o.dir ? fs::path(*o.dir) : defaultFolder(), ec).string() << '\n';
    return kExitOk;
  }
  if (const auto refused = checkValues(program, o)) return usageError(err, *refused);
  // The tool works in the program folder; a PDF file named on the command line is where
  // the user stands.
  if (o.pdf) o.pdf = fs::absolute(*o.pdf).string();
  if (o.xlsx) o.xlsx = fs::absolute(*o.xlsx).string();
  if (!o.csvFile.empty()) o.csvFile = fs::absolute(o.csvFile).string();
  if (o.csv) o.csv = fs::absolute(*o.csv).string();
  for (std::string& file : o.skenirano) file = fs::absolute(file).string();

  std::error_code ec;
  fs::path folder;
  if (o.dir) {
    folder = *o.dir;
  } else {
    folder = defaultFolder();
    // The data folder of an installed tool is made on first use, as the program makes it.
    if (folder == errors::userDataFolder()) fs::create_directories(folder, ec);
  }
  const fs::path startedIn = fs::current_path(ec);
  if (!fs::is_directory(folder, ec))
    return failure(err, "Programski folder ne postoji: " + folder.string());
  folder = fs::absolute(folder, ec);
  fs::current_path(folder, ec);
  if (ec) return failure(err, "Programski folder nije dostupan: " + folder.string());
  program.info.folder = folder;
  if (program.info.CSTARTTIME.empty()) program.info.CSTARTTIME = errors::currentDateTimeText();
  settings::useSettingsFolder(folder);
  reports::readReportFont(program);

  program.areas.setHideDeleted(true);
  if (const auto code = runMaintenance(program, o, startedIn, out, err)) return *code;
  commands::DBOPENALL(program);
  if (const fs::path held = store::standingTableHeld(program); !held.empty())
    return failure(err, tableHeldMessage(held));

  // The company's name and place head the printed documents, without their blanks as an
  // activation in the program takes them.
  const std::string code = o.firma.value_or("000");
  store::DbfTable& firme = program.areas["Firme"];
  if (firme.seek(code)) {
    const auto company = store::RecordCodec<store::CompanyRecord>(firme).read();
    program.CKORISNIKNAZIV = withoutBlanksAround(company.Naziv);
    program.CKORISNIKMESTO = withoutBlanksAround(company.Mesto);
  } else if (code != "000") {
    return failure(err, "Firma sa sifrom " + code + " ne postoji.");
  }
  if (code != "000") {
    commands::activateCompany(program, code);
    if (const fs::path held = store::standingTableHeld(program); !held.empty())
      return failure(err, tableHeldMessage(held));
  }

  switch (o.command) {
    case Command::Obracun:
      return runObracun(program, o, out, err);
    case Command::Nuliraj:
      return runNuliraj(program, o, out, err);
    case Command::Izvoz:
      return runIzvoz(program, o, out, err);
    case Command::Stampa:
      return runStampa(program, o, out, err);
    case Command::Uvoz:
      return runUvoz(program, o, out, err);
    default:
      break;  // arhiva and indeksi ran before the database was opened
  }
  return kExitUsage;
}

}  // namespace kavrina::cli
