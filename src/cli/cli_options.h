// The command line of kavrina-cli: its commands, options and help texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavrina::cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

enum class Command { None, Obracun, Nuliraj, Izvoz, Arhiva, Indeksi, Stampa, Uvoz };

struct CliOptions {
  std::optional<std::string> dir;    // --dir: the program folder
  std::optional<std::string> firma;  // --firma: company code, three digits
  Command command = Command::None;
  bool help = false;                // --help (for the command when one is given)
  std::optional<int> godina;        // obracun, nuliraj, stampa: --godina
  int meseci = 12;                  // obracun, stampa: --meseci, 12 when not given
  bool ra = false;                  // obracun: --ra
  bool pa = false;                  // obracun: --pa
  std::optional<int> grupa;         // nuliraj: --grupa
  std::string table;                // izvoz: the table
  std::string archive;              // arhiva: the archive file (FILE.zip)
  bool presnimi = false;            // arhiva, stampa: --presnimi, replace an existing file
  std::string document;             // stampa: the document
  std::optional<std::string> pdf;   // stampa: --pdf, the PDF file to write
  std::optional<std::string> xlsx;  // stampa: --xlsx, the XLSX file to write instead
  // stampa razlike: --csv, the CSV file written beside the PDF; stampa nalog: the CSV file
  // written instead of it.
  std::optional<std::string> csv;
  bool poSredstvu = false;           // stampa nalog: --po-sredstvu, one line per asset
  std::optional<std::string> naDan;  // stampa: --na-dan, the reference date dd.mm.yyyy
  std::optional<std::string> invbr;  // stampa kartica: --invbr, the inventory number
  // stampa: the filters of the asset list, at most one of them.
  std::optional<std::string> deoNaziva;  // --deo-naziva TEXT
  bool otpisana = false;                 // --otpisana
  bool neotpisana = false;               // --neotpisana
  std::optional<std::string> lokacija;   // --lokacija N (organisational unit)
  std::optional<std::string> konto;      // --konto N (account)
  std::optional<int> od;                 // stampa nalepnice: --od, the first label position
  std::vector<std::string> skenirano;    // stampa razlike: --skenirano, the scanner files
  std::string csvFile;                   // uvoz: the CSV file to read
  bool proba = false;                    // uvoz: --proba, check without writing
};

struct ParsedCommandLine {
  CliOptions options;
  std::string error;  // not empty: the command line is wrong, and this says why
};

// Reads the arguments after the program name. Options take their value as the next
// argument or after "=" (--godina=2025); the global options --dir and --firma may stand
// anywhere; `stampa` takes its document first, then the options of that document. Checks
// only the form (known command and options, numbers where numbers go, a three-digit
// company code); the ranges of the values are checked by the command.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

// Whether the command line asks for data on standard output (izvoz writes its CSV there).
// The tool's messages, a structure upgrade's among them, then go to the error stream so
// that the output is data from its first byte.
bool outputCarriesData(const std::vector<std::string>& args);

// The help text of a command, or of the whole tool for Command::None; for `stampa` with a
// document, that document's help.
std::string helpText(Command command, std::string_view document = {});

}  // namespace kavrina::cli
