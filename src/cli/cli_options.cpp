// Parsing the command line of kavrina-cli.
#include "cli/cli_options.h"

#include <cctype>
#include <string_view>

#include "cli/maintenance_commands.h"
#include "cli/stampa.h"
#include "common/date.h"
#include "common/text.h"

namespace kavrina::cli {
namespace {

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::optional<Command> commandNamed(std::string_view name) {
  if (name == "obracun") return Command::Obracun;
  if (name == "nuliraj") return Command::Nuliraj;
  if (name == "izvoz") return Command::Izvoz;
  if (name == "arhiva") return Command::Arhiva;
  if (name == "indeksi") return Command::Indeksi;
  if (name == "stampa") return Command::Stampa;
  if (name == "uvoz") return Command::Uvoz;
  return std::nullopt;
}

std::string_view commandName(Command command) {
  switch (command) {
    case Command::Obracun:
      return "obracun";
    case Command::Nuliraj:
      return "nuliraj";
    case Command::Izvoz:
      return "izvoz";
    case Command::Arhiva:
      return "arhiva";
    case Command::Indeksi:
      return "indeksi";
    case Command::Stampa:
      return "stampa";
    case Command::Uvoz:
      return "uvoz";
    case Command::None:
      break;
  }
  return "";
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CliOptions& o = parsed.options;
  auto wrong = [&](std::string why) {
    parsed.error = std::move(why);
    return parsed;
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> attached;
    if (arg.rfind("--", 0) == 0) {
      if (const auto eq = arg.find('='); eq != std::string::npos) {
        attached = arg.substr(eq + 1);
        arg.resize(eq);
      }
    }
    // The value of an option: after "=" or the next argument.
    auto value = [&]() -> std::optional<std::string> {
      if (attached) return attached;
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto number = [&](std::optional<int>& into) -> bool {
      const auto text = value();
      if (!text || !allDigits(*text) || text->size() > 6) return false;
      into = std::stoi(*text);
      return true;
    };
    auto flag = [&](bool& into) -> bool {
      if (attached) return false;
      into = true;
      return true;
    };

    if (arg == "--help" || arg == "-h") {
      if (!flag(o.help)) return wrong("Opcija --help nema vrednost.");
    } else if (arg == "--dir") {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --dir zahteva folder.");
      o.dir = *text;
    } else if (arg == "--firma") {
      const auto text = value();
      if (!text || !allDigits(*text) || text->size() != 3)
        return wrong("Opcija --firma zahteva sifru firme od tri cifre (npr. 001).");
      o.firma = *text;
    } else if (o.command == Command::None && arg.rfind("-", 0) != 0) {
      const auto command = commandNamed(arg);
      if (!command) return wrong("Nepoznata komanda: " + arg);
      o.command = *command;
    } else if (o.command == Command::Stampa && o.document.empty() && arg.rfind("-", 0) != 0) {
      if (!findStampaDocument(arg))
        return wrong("Nepoznat dokument: " + arg + stampaDocumentNames());
      o.document = arg;
    } else if (arg == "--godina" &&
               (o.command == Command::Obracun || o.command == Command::Nuliraj ||
                stampaTakes(o.document, arg))) {
      if (!number(o.godina)) return wrong("Opcija --godina zahteva godinu (npr. 2025).");
    } else if (arg == "--meseci" &&
               (o.command == Command::Obracun || stampaTakes(o.document, arg))) {
      std::optional<int> months;
      if (!number(months)) return wrong("Opcija --meseci zahteva broj meseci (1 do 12).");
      o.meseci = *months;
    } else if (arg == "--ra" && o.command == Command::Obracun) {
      if (!flag(o.ra)) return wrong("Opcija --ra nema vrednost.");
    } else if (arg == "--pa" && o.command == Command::Obracun) {
      if (!flag(o.pa)) return wrong("Opcija --pa nema vrednost.");
    } else if (arg == "--grupa" && o.command == Command::Nuliraj) {
      if (!number(o.grupa)) return wrong("Opcija --grupa zahteva grupu (2 do 5).");
    } else if (arg == "--pdf" && o.command == Command::Stampa && !o.document.empty()) {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --pdf zahteva naziv PDF fajla.");
      o.pdf = *text;
    } else if (arg == "--xlsx" && o.command == Command::Stampa && !o.document.empty()) {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --xlsx zahteva naziv XLSX fajla.");
      o.xlsx = *text;
    } else if (arg == "--csv" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --csv zahteva naziv CSV fajla.");
      o.csv = *text;
    } else if (arg == "--po-sredstvu" && stampaTakes(o.document, arg)) {
      if (!flag(o.poSredstvu)) return wrong("Opcija --po-sredstvu nema vrednost.");
    } else if (arg == "--na-dan" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || Date::fromText(*text).empty())
        return wrong("Opcija --na-dan zahteva datum dd.mm.yyyy (npr. 31.12.2025).");
      o.naDan = *text;
    } else if (arg == "--invbr" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || kavrina::text::trimBlanks(*text).empty() || text->size() > 30)
        return wrong("Opcija --invbr zahteva inventarski broj (do 30 znakova).");
      o.invbr = *text;
    } else if (arg == "--deo-naziva" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --deo-naziva zahteva tekst.");
      o.deoNaziva = *text;
    } else if (arg == "--otpisana" && stampaTakes(o.document, arg)) {
      if (!flag(o.otpisana)) return wrong("Opcija --otpisana nema vrednost.");
    } else if (arg == "--neotpisana" && stampaTakes(o.document, arg)) {
      if (!flag(o.neotpisana)) return wrong("Opcija --neotpisana nema vrednost.");
    } else if (arg == "--lokacija" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || !allDigits(*text) || text->size() > 3)
        return wrong("Opcija --lokacija zahteva broj organizacionog dela (do 3 cifre).");
      o.lokacija = *text;
    } else if (arg == "--konto" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || !allDigits(*text) || text->size() > 10)
        return wrong("Opcija --konto zahteva broj konta (do 10 cifara).");
      o.konto = *text;
    } else if (arg == "--od" && stampaTakes(o.document, arg)) {
      if (!number(o.od)) return wrong("Opcija --od zahteva redni broj prve nalepnice na listu.");
    } else if (arg == "--skenirano" && stampaTakes(o.document, arg)) {
      const auto text = value();
      if (!text || text->empty()) return wrong("Opcija --skenirano zahteva naziv fajla.");
      o.skenirano.push_back(*text);
    } else if (o.command == Command::Izvoz && arg.rfind("-", 0) != 0 && o.table.empty()) {
      o.table = arg;
    } else if (o.command == Command::Arhiva && arg.rfind("-", 0) != 0 && o.archive.empty()) {
      o.archive = arg;
    } else if (o.command == Command::Uvoz && arg.rfind("-", 0) != 0 && o.csvFile.empty()) {
      o.csvFile = arg;
    } else if (arg == "--proba" && o.command == Command::Uvoz) {
      if (!flag(o.proba)) return wrong("Opcija --proba nema vrednost.");
    } else if (arg == "--presnimi" && (o.command == Command::Arhiva ||
                                       (o.command == Command::Stampa && !o.document.empty()))) {
      if (!flag(o.presnimi)) return wrong("Opcija --presnimi nema vrednost.");
    } else {
      std::string why = "Nepoznata opcija ili visak: " + arg;
      if (o.command != Command::None)
        why += " (komanda " + std::string(commandName(o.command)) + ")";
      return wrong(why);
    }
  }

  if (o.help) return parsed;
  switch (o.command) {
    case Command::None:
      return wrong(
          "Nije navedena komanda (obracun, nuliraj, izvoz, uvoz, stampa, arhiva ili indeksi).");
    case Command::Obracun:
      if (!o.godina) return wrong("Komanda obracun zahteva --godina.");
      break;
    case Command::Nuliraj:
      if (!o.godina) return wrong("Komanda nuliraj zahteva --godina.");
      if (!o.grupa) return wrong("Komanda nuliraj zahteva --grupa.");
      break;
    case Command::Izvoz:
      if (o.table.empty()) return wrong("Komanda izvoz zahteva naziv tabele.");
      break;
    case Command::Arhiva:
      if (o.archive.empty())
        return wrong("Komanda arhiva zahteva naziv fajla arhive (npr. arhiva.zip).");
      break;
    case Command::Stampa:
      if (o.document.empty())
        return wrong("Komanda stampa zahteva naziv dokumenta" + stampaDocumentNames());
      if (const auto missing = stampaMissingOption(o)) return wrong(*missing);
      break;
    case Command::Uvoz:
      if (o.csvFile.empty()) return wrong("Komanda uvoz zahteva naziv CSV fajla.");
      break;
    case Command::Indeksi:
      break;
  }
  return parsed;
}

std::string helpText(Command command, std::string_view document) {
  const std::string common =
      "Zajednicke opcije:\n"
      "  --dir D      programski folder (inace $KAVRINA_HOME, inace za instaliran program\n"
      "               $XDG_DATA_HOME/kavrina ili ~/.local/share/kavrina, inace tekuci folder)\n"
      "  --firma SSS  aktivira firmu sa sifrom SSS (tri cifre) pre komande; podrazumevano 000\n"
      "  --help       ovaj tekst\n"
      "Izlazni kodovi: 0 uspeh, 1 greska, 2 pogresan poziv.\n";
  switch (command) {
    case Command::Obracun:
      return "Upotreba: kavrina-cli [--dir D] [--firma SSS] obracun --godina Y [--meseci P] [--ra] "
             "[--pa]\n"
             "Obracun amortizacije za godinu Y i P meseci (12 godisnji, 1 do 11 periodicni;\n"
             "podrazumevano 12). --ra samo Racunovodstvena, --pa samo Poreska amortizacija;\n"
             "bez njih oba dela. Godina od 2004 do tekuce godine. Pise A + Y + P + R.dbf i\n"
             "A + Y + P + P.dbf u folderu DBF firme.\n\n" +
             common;
    case Command::Nuliraj:
      return "Upotreba: kavrina-cli [--dir D] [--firma SSS] nuliraj --godina R --grupa G\n"
             "Nuliranje poreske grupe G (2 do 5) od godine R (od 2004 do tekuce godine) za sva\n"
             "sredstva te grupe nabavljena zakljucno sa godinom R (tabela MDNG).\n\n" +
             common;
    case Command::Izvoz:
      return "Upotreba: kavrina-cli [--dir D] [--firma SSS] izvoz TABELA\n"
             "Ispisuje tabelu kao CSV na standardni izlaz: prvi red su nazivi polja, zatim\n"
             "zapisi redom kojim su u tabeli (obrisani se izostavljaju); datumi dd.mm.yyyy,\n"
             "brojevi sa decimalama kako su upisani, logicka polja T ili F.\n"
             "TABELA: Firme, MDOS, MDNG ili tabela obracuna, npr. A202512R (A + godina +\n"
             "meseci + R ili P).\n\n" +
             common;
    case Command::Uvoz:
      return "Upotreba: kavrina-cli [--dir D] [--firma SSS] uvoz FAJL.csv [--proba]\n"
             "Dodaje osnovna sredstva iz CSV fajla u registar firme. Prvi red nabraja kolone:\n"
             "polja tabele MDOS bilo kojim redom i velicinom slova; obavezne su InvBr, Naziv,\n"
             "DatumN i RAOsn, a izostavljene dobijaju vrednosti novog sredstva iz forme.\n"
             "Razdvajac ; ili , (kako ga ima prvi red); tekst UTF-8 ili Windows-1250.\n"
             "Datumi dd.mm.yyyy ili yyyy-mm-dd; iznosi sa decimalnom tackom ili zarezom (i sa\n"
             "grupisanjem hiljada); metod RAtip 1 do 4; poreska grupa PAgrupa 1 do 5 ili I do V.\n"
             "Fajl sa ijednim pogresnim redom ne menja nista: ispisuje se svaki pogresan red\n"
             "(broj reda, kolona, razlog) i izlazni kod je 1. --proba samo proverava fajl.\n\n" +
             common;
    case Command::Arhiva:
    case Command::Indeksi:
      return maintenanceHelp(command) + "\n" + common;
    case Command::Stampa:
      return stampaHelp(document) + "\n" + common;
    case Command::None:
      break;
  }
  return "Upotreba: kavrina-cli [--dir D] [--firma SSS] KOMANDA [opcije]\n"
         "Komande:\n"
         "  obracun --godina Y [--meseci P] [--ra] [--pa]   obracun amortizacije\n"
         "  nuliraj --godina R --grupa G                    nuliranje poreske grupe\n"
         "  izvoz TABELA                                    tabela kao CSV na izlaz\n"
         "  uvoz FAJL.csv [--proba]                         sredstva iz CSV fajla\n"
         "  arhiva FAJL.zip [--presnimi]                    arhiva programskog foldera\n"
         "  indeksi                                         ponovna izgradnja indeksa\n"
         "  stampa DOKUMENT [opcije] --pdf FAJL [--presnimi] dokument kao PDF (ili --xlsx FAJL)\n"
         "Pomoc za komandu: kavrina-cli KOMANDA --help\n\n" +
         common;
}

bool outputCarriesData(const std::vector<std::string>& args) {
  const ParsedCommandLine parsed = parseCommandLine(args);
  return parsed.error.empty() && !parsed.options.help && parsed.options.command == Command::Izvoz;
}

}  // namespace kavrina::cli
