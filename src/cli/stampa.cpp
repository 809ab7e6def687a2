// The `stampa` command: its table of documents, their options and help, and the run.
#include "cli/stampa.h"

#include <ostream>

#include "cli/console_ui.h"
#include "cli/output_place.h"
#include "cli/stampa_2019.h"
#include "cli/stampa_count.h"
#include "cli/stampa_register.h"
#include "reports/recording_printer.h"
#include "reports/xlsx_writer.h"

namespace kavrina::cli {

namespace {

// Where the PDF may go, for the help texts.
constexpr std::string_view kPdfFileRules =
    "FAJL ne sme biti u programskom folderu; postojeci FAJL (samo obican fajl) se\n"
    "presnimava samo uz --presnimi. Umesto --pdf FAJL, --xlsx FAJL zapisuje dokument\n"
    "kao Excel tabelu (XLSX): iznosi kao brojevi, datumi kao datumi, zbirovi kao formule.\n";

}  // namespace

const std::vector<StampaDocument>& stampaDocuments() {
  static const std::vector<StampaDocument> all = [] {
    std::vector<StampaDocument> documents = registerDocuments();
    for (StampaDocument& d : documents2019()) documents.push_back(std::move(d));
    for (StampaDocument& d : countDocuments()) documents.push_back(std::move(d));
    return documents;
  }();
  return all;
}

const StampaDocument* findStampaDocument(std::string_view name) {
  for (const StampaDocument& document : stampaDocuments())
    if (document.name == name) return &document;
  return nullptr;
}

std::string stampaDocumentNames() {
  std::string names = " (";
  for (const StampaDocument& document : stampaDocuments()) {
    if (names.size() > 2) names += ", ";
    names += document.name;
  }
  return names + ")";
}

bool stampaTakes(std::string_view document, std::string_view option) {
  const StampaDocument* found = findStampaDocument(document);
  if (!found) return false;
  for (const StampaOption& o : found->options)
    if (o.name == option) return true;
  return false;
}

namespace {

// Whether the command line gave the option; an option with a default value always counts.
bool given(const CliOptions& options, std::string_view option) {
  if (option == "--godina") return options.godina.has_value();
  if (option == "--invbr") return options.invbr.has_value();
  if (option == "--na-dan") return options.naDan.has_value();
  if (option == "--skenirano") return !options.skenirano.empty();
  return true;
}

}  // namespace

std::optional<std::string> stampaMissingOption(const CliOptions& options) {
  const StampaDocument* document = findStampaDocument(options.document);
  if (!document) return std::nullopt;
  for (const StampaOption& o : document->options) {
    if (o.required && !given(options, o.name))
      return "Dokument " + std::string(document->name) + " zahteva " + std::string(o.name) + ".";
  }
  const int filters = options.deoNaziva.has_value() + options.otpisana + options.neotpisana +
                      options.lokacija.has_value() + options.konto.has_value();
  if (filters > 1)
    return "Dokument " + std::string(document->name) +
           " prima najvise jedan filter (--deo-naziva, --otpisana, --neotpisana, --lokacija "
           "ili --konto).";
  // A document with a CSV form (the booking note) writes it instead of the PDF; another one
  // that takes --csv (the count's differences) writes it beside the PDF.
  const bool csvInstead = options.csv && document->csv;
  const int outputs = options.pdf.has_value() + options.xlsx.has_value() + csvInstead;
  if (outputs == 0) return "Komanda stampa zahteva --pdf FAJL ili --xlsx FAJL.";
  if (outputs > 1)
    return "Komanda stampa zapisuje jedan fajl: navedite samo jedno od --pdf, --xlsx, --csv.";
  return std::nullopt;
}

std::string stampaHelp(std::string_view name) {
  if (const StampaDocument* document = findStampaDocument(name)) {
    return "Upotreba: kavrina-cli [--dir D] [--firma SSS] stampa " + std::string(document->name) +
           " " + std::string(document->usage) + "\n" + std::string(document->help) +
           "\nDokument se slaze kao u programu i zapisuje u PDF fajl FAJL.\n" +
           std::string(kPdfFileRules);
  }
  std::string text =
      "Upotreba: kavrina-cli [--dir D] [--firma SSS] stampa DOKUMENT [opcije] --pdf FAJL\n"
      "Slaze dokument kao u programu i zapisuje ga u PDF fajl FAJL.\n" +
      std::string(kPdfFileRules) + "Dokumenti:\n";
  for (const StampaDocument& document : stampaDocuments()) {
    std::string line = "  " + std::string(document.name) + " " + std::string(document.usage);
    text += line + "\n";
  }
  return text + "Pomoc za dokument: kavrina-cli stampa DOKUMENT --help\n";
}

int runStampa(store::Program& program, const CliOptions& options, std::ostream& out,
              std::ostream& err) {
  const StampaDocument* document = findStampaDocument(options.document);
  if (!document) return kExitFailure;
  const bool csvInstead = options.csv && document->csv;
  const std::optional<std::string>& file = options.pdf    ? options.pdf
                                           : options.xlsx ? options.xlsx
                                           : csvInstead   ? options.csv
                                                          : std::nullopt;
  if (!file) return kExitFailure;
  // A place the file may not go is refused before the document is composed.
  const std::filesystem::path target = *file;
  if (const auto refused = refuseOutputPlace(target, program.info.folder, options.presnimi)) {
    err << consoleText(*refused) << '\n';
    return kExitFailure;
  }
  auto failed = [&](const std::string& error) {
    err << consoleText(error) << '\n';
    return kExitFailure;
  };
  std::string warning;
  if (csvInstead) {
    bool written = false;
    std::size_t lines = 0;
    if (const auto error = document->csv(program, options, written, lines)) return failed(*error);
    if (!written) return kExitFailure;
    out << "Sacuvan CSV: " << *file << " (redova: " << lines << ")\n";
    return kExitOk;
  }
  reports::RecordingPrinter printer;
  printer.setKeepsWorkbooks(options.xlsx.has_value());
  if (!document->compose(program, printer, options)) return kExitFailure;
  const reports::PageDocument& composed = printer.document();
  if (options.xlsx) {
    if (!composed.workbook)
      return failed("Dokument " + std::string(document->name) + " jos nema oblik Excel tabele.");
    const sheet::Workbook workbook = composed.workbook();
    if (const auto error =
            reports::writeXlsx(workbook, target, program.info.folder, options.presnimi, &warning))
      return failed(*error);
    out << "Sacuvan XLSX: " << *file << " (listova: " << workbook.sheets.size() << ")\n";
  } else {
    if (const auto error =
            savePdf(composed, target, program.info.folder, options.presnimi, warning))
      return failed(*error);
    out << "Sacuvan PDF: " << *file << " (strana: " << composed.pageCount() << ")\n";
  }
  if (!warning.empty()) err << consoleText(warning) << '\n';
  return kExitOk;
}

}  // namespace kavrina::cli
