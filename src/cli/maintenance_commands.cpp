#include "cli/maintenance_commands.h"

#include <cstring>
#include <ostream>
#include <system_error>

#include "cli/console_ui.h"
#include "cli/output_place.h"
#include "commands/archive_texts.h"
#include "commands/open_database.h"
#include "common/output_target.h"
#include "store/archive/data_archive.h"
#include "store/archive/get_files.h"
#include "store/archive/index_files.h"

namespace kavrina::cli {

namespace fs = std::filesystem;
namespace archive = store::archive;

namespace {

int fail(std::ostream& err, const std::string& text) {
  err << consoleText(text) << '\n';
  return kExitFailure;
}

int runArhiva(store::Session& program, const CliOptions& o, const fs::path& startedIn,
              std::ostream& out, std::ostream& err) {
  const fs::path folder = program.info.folder;
  const fs::path target = (startedIn / o.archive).lexically_normal();
  if (output::isInsideFolder(target, folder))
    return fail(err, "Nije moguce snimanje arhive u radnom folderu programa.\nProgramski folder: " +
                         folder.string());
  if (const auto refused = refuseOutputPlace(target, folder, o.presnimi))
    return fail(err, *refused);

  // A data folder behind a link the listing cannot follow would be missing from the archive.
  if (const auto links = archive::linkedFolders(folder); !links.refused.empty())
    return fail(err, commands::texts::vezaNijeArhivirana(links.refused));
  const archive::ArchiveOutcome outcome =
      archive::writeDataArchive(folder, archive::GETFILES(folder), target, o.presnimi);
  if (outcome.state != archive::ArchiveOutcome::State::Written) {
    if (outcome.error == EEXIST) return fail(err, "Fajl: " + target.string() + " vec postoji.");
    std::string text = std::string(commands::texts::kArhivaNijeKreirana) + "\n" + target.string();
    if (outcome.error != 0) text += ": " + std::string(std::strerror(outcome.error));
    return fail(err, text);
  }
  out << "Arhiva podataka je snimljena: " << target.string() << '\n'
      << "Arhivirano fajlova: " << outcome.members << '\n';
  if (!outcome.leftOut.empty()) return fail(err, archive::leftOutText(outcome.leftOut));
  return kExitOk;
}

int runIndeksi(store::Session& program, std::ostream& out, std::ostream& err) {
  commands::StructureCheckMessages messages(program.ui);
  const archive::IndexRebuild rebuild = archive::rebuildIndexes(program, messages);
  commands::endUnlessOpened(rebuild.opened, program.ui);
  if (!rebuild.heldFile.empty())
    return fail(err, "Drugi korisnik trenutno koristi fajl " + rebuild.heldFile +
                         ". Indeksni fajlovi nisu obrisani; pokusajte kada se svi korisnici "
                         "odjave iz programa.");
  if (!rebuild.readOnly.empty())
    return fail(err, "Fajl ili folder " + rebuild.readOnly +
                         " je samo za citanje (nema dozvolu za upis). Indeksni fajlovi nisu "
                         "obrisani.");
  if (!rebuild.notDeleted.empty()) {
    std::string text =
        "Nije uspelo brisanje indeksnih fajlova.\nBroj fajlova koji nisu obrisani: " +
        std::to_string(rebuild.notDeleted.size());
    for (const std::string& name : rebuild.notDeleted) text += "\n" + name;
    return fail(err, text);
  }
  out << "Obrisano indeksnih fajlova: " << rebuild.deleted << '\n'
      << "Indeksi su ponovo izgradjeni za firme:";
  for (const std::string& code : rebuild.companies) out << ' ' << code;
  out << '\n';
  return kExitOk;
}

}  // namespace

std::optional<int> runMaintenance(store::Session& program, const CliOptions& options,
                                  const fs::path& startedIn, std::ostream& out, std::ostream& err) {
  switch (options.command) {
    case Command::Arhiva:
      return runArhiva(program, options, startedIn, out, err);
    case Command::Indeksi:
      return runIndeksi(program, out, err);
    default:
      return std::nullopt;
  }
}

std::string maintenanceHelp(Command command) {
  if (command == Command::Arhiva)
    return "Upotreba: kavrina-cli [--dir D] arhiva FAJL.zip [--presnimi]\n"
           "Arhivira sve fajlove programskog foldera (osim skrivenih) u ZIP arhivu FAJL.zip.\n"
           "Arhiva se pise pod privremenim nazivom i dobija naziv FAJL.zip tek kada je cela.\n"
           "FAJL.zip ne sme biti u programskom folderu; postojeci FAJL.zip (samo obican fajl)\n"
           "se presnimava samo uz --presnimi. Fajl koji drugi korisnik koristi iskljucivo ne\n"
           "ulazi u arhivu: tada se arhiva ipak snima, navode se fajlovi koji nedostaju i\n"
           "izlazni kod je 1.\n";
  return "Upotreba: kavrina-cli [--dir D] indeksi\n"
         "Brise sve indeksne fajlove (.ntx) svih firmi i odmah ponovo gradi indekse tabela\n"
         "Firme i MDOS svake firme, kao sto bi to uradilo sledece pokretanje programa.\n"
         "Odbija se, bez brisanja, dok drugi korisnik koristi neku tabelu ili indeks.\n";
}

}  // namespace kavrina::cli
