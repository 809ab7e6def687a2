// The commands of the "Obracuni" section: the six calculations, deleting a calculation
// and opening the document of a calculation row.
#include <filesystem>
#include <system_error>

#include "app/navigator.h"
#include "app/sections.h"
#include "store/database.h"

namespace kavrina::app {

namespace fs = std::filesystem;

namespace {

using ui::Answer;
using ui::MessageButtons;
using ui::MessageKind;

// The file in the folder, found in any case (data copied from Windows may say A202312R.DBF).
std::optional<fs::path> findFile(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const std::string wanted = upperCase(name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (upperCase(it->path().filename().string()) == wanted) return it->path();
  return std::nullopt;
}

}  // namespace

bool Navigator::calculationCommand(std::string_view text) {
  if (text == "Godisnji obracun") {
    calculate(true, true, true);
  } else if (text == "Godisnja Racunovodstvena amortizacija") {
    calculate(true, true, false);
  } else if (text == "Godisnja Poreska amortizacija") {
    calculate(true, false, true);
  } else if (text == "Periodicni obracun") {
    calculate(false, true, true);
  } else if (text == "Periodicna Racunovodstvena amortizacija") {
    calculate(false, true, false);
  } else if (text == "Periodicna Poreska amortizacija") {
    calculate(false, false, true);
  } else if (text == "Brisi obracun") {
    deleteCalculation();
  } else if (text == "Stampaj" || text == "Odabrani obrazac") {
    openDocument();
  } else if (text == kNalogCsvCommand) {
    saveBookingCsv();
  } else {
    return false;
  }
  return true;
}

void Navigator::calculate(bool annual, bool accounting, bool tax) {
  const int year = program_.clock.today().year();
  if (annual) {
    program_.NGODINA = year - 1;
    program_.NMESECI = 12;
  } else {
    program_.NGODINA = year;
    if (program_.NMESECI == 12) program_.NMESECI = 0;
  }
  if (hooks_.OBRACUN) hooks_.OBRACUN(program_, accounting, tax, !annual);
  if (annual) UcitajOsnovnaSredstva();
  UcitajObracune();
  currentRow_ = program_.AOBRACUNI.empty() ? -1 : 0;
}

void Navigator::deleteCalculation() {
  if (!hasCurrentRow()) return;
  const std::string file = cell(1);
  const std::string description = cell(2);
  if (program_.userInterface().messageBox(
          "Sigurno brisete " + description + "?\rGodina: " + cell(3) + " / Meseci: " + cell(4) +
              "\rBaza podataka: " + file,
          MessageKind::Confirmation, MessageButtons::YesNo) != Answer::Yes)
    return;
  const fs::path folder = program_.CSUBDIRFIRME + "DBF";
  bool erased = false;
  if (const auto path = findFile(folder, trimmed(file))) {
    // Another station using the table holds it open; on this system an erase would still
    // succeed under its feet, so the table is first taken for our exclusive use.
    constexpr std::string_view kAlias = "BrisiObracun";
    if (store::useTable(program_, *path, kAlias, {.shared = false, .readOnly = false})) {
      program_.areas.close(kAlias);
      std::error_code ec;
      erased = fs::remove(*path, ec);
    }
  }
  if (!erased)
    program_.userInterface().messageBox(
        description +
            " nije obrisan.\rMoguc uzrok: Baza je u upotrebi od strane "
            "drugog operatera.",
        MessageKind::Error, MessageButtons::Ok);
  UcitajOsnovnaSredstva();
  UcitajObracune();
  currentRow_ = program_.AOBRACUNI.empty() ? -1 : 0;
}

void Navigator::openDocument() {
  if (!hasCurrentRow()) return;
  const std::string file = cell(1);
  if (!findFile(program_.CSUBDIRFIRME + "DBF", trimmed(file))) {
    program_.userInterface().messageBox(
        "Ne postoji fajl " + file + "!\rMoguc uzrok: Fajl je obrisan od strane drugog operatera.",
        MessageKind::Error, MessageButtons::Ok);
    return;
  }
  const std::string name = trimmed(file);
  const char kind = name.size() >= 8 ? upperCase(name.substr(7, 1))[0] : ' ';
  const std::string description = trimmed(cell(2));
  if (kind == 'P') {
    if (description.find("Obrazac POA") != std::string::npos)
      print(Document::POA);
    else if (description.find("Evidencija OS stecenih od 01.01.2019") != std::string::npos)
      print(Document::Evidencija2019);
    else if (description.find("Obrazac OA") != std::string::npos)
      print(Document::OA);
    else
      print(Document::OPA);
  } else if (kind == 'R') {
    print(description.starts_with(kNalogZaKnjizenje) ? Document::Nalog : Document::ORA);
  }
}

void Navigator::saveBookingCsv() {
  if (!hasCurrentRow()) return;
  // The note of the selected row's calculation: its accounting table.
  const std::string file = trimmed(cell(1));
  const std::string accounting = file.size() >= 8 ? file.substr(0, 7) + "R" + file.substr(8) : file;
  if (!findFile(program_.CSUBDIRFIRME + "DBF", accounting)) {
    program_.userInterface().messageBox(
        "Ne postoji fajl " + accounting +
            "!\rNalog za knjizenje se pravi iz racunovodstvenog obracuna.",
        MessageKind::Error, MessageButtons::Ok);
    return;
  }
  print(Document::NalogCsv);
}

}  // namespace kavrina::app
