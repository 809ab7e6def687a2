// `kavrina-cli stampa DOKUMENT [opcije] --pdf FAJL`: a printed document composed through the
// program's own page model and saved as PDF. Each group of documents keeps its table in a
// file of its own (stampa_2019.cpp: the register of 2019 and form POA); stampa.cpp joins the
// tables into the one command.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "reports/page_document.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::cli {

// An option a document takes, besides --pdf (which every document takes and needs).
struct StampaOption {
  std::string_view name;  // e.g. "--godina"
  bool required = false;
};

// One document of `stampa`.
struct StampaDocument {
  std::string_view name;  // on the command line, e.g. "poa"
  std::vector<StampaOption> options;
  std::string_view usage;  // its options as the help shows them
  std::string help;        // what it prints, from which calculation
  // Composes the document into `printer` from the options, as the program prints it
  // (same procedure, same messages); answers false when there was nothing to print, the
  // user having been told why.
  std::function<bool(store::Program&, ui::Printer&, const CliOptions&)> compose;
  // Only for a document with a CSV form (it then takes --csv): writes it to `options.csv`
  // (absolute, its place already checked) and answers the message when it could not, or no
  // value with `lines` set to its count of lines. False in `written` when there was nothing
  // to write, the user having been told why.
  std::function<std::optional<std::string>(store::Program&, const CliOptions&, bool& written,
                                           std::size_t& lines)>
      csv{};
};

// Every document of the command, in the order the help lists them.
const std::vector<StampaDocument>& stampaDocuments();
const StampaDocument* findStampaDocument(std::string_view name);

// " (evidencija2019, poa)": the document names for the error texts.
std::string stampaDocumentNames();
// Whether `document` takes `option`.
bool stampaTakes(std::string_view document, std::string_view option);
// The error text when a required option of the document (or --pdf) is missing.
std::optional<std::string> stampaMissingOption(const CliOptions& options);
// The help of one document, or of the command with its list of documents for "".
std::string stampaHelp(std::string_view document);

// Composes the document of `options` and writes it to the PDF file `options.pdf`, or its
// workbook to the XLSX file `options.xlsx`, or its CSV form to `options.csv` (absolute
// paths: the tool works in the program folder). Answers kExitOk with "Sacuvan PDF: FILE
// (strana: N)", "Sacuvan XLSX: FILE (listova: N)" or "Sacuvan CSV: FILE (redova: N)" on `out`
// (and a warning on `err` when the folder could not be flushed), kExitFailure when there was
// nothing to print, the document has no spreadsheet form, or the place was refused (in the
// program folder, not a regular file, an existing file without --presnimi), or the file
// could not be written (its message on `err`).
int runStampa(store::Program& program, const CliOptions& options, std::ostream& out,
              std::ostream& err);

// Writes the document as a PDF file at `path` (aside, then renamed into place), never in
// `programFolder` and over an existing regular file only with `replace`. Answers no value on
// success, otherwise the text saying what failed; `warning` gets a note on a PDF written
// whose folder could not be flushed. Brings up a window-less Qt application when none is
// running.
std::optional<std::string> savePdf(const reports::PageDocument& document,
                                   const std::filesystem::path& path,
                                   const std::filesystem::path& programFolder, bool replace,
                                   std::string& warning);

}  // namespace kavrina::cli
