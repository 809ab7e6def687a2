#include "commands/open_database.h"

#include "errors/end_program.h"

namespace kavrina::commands {

void StructureCheckMessages::show(const std::string& text, ui::MessageKind kind) {
  if (ui_ != nullptr) ui_->messageBox(text, kind, ui::MessageButtons::Ok);
}

void StructureCheckMessages::interruptedBefore() {
  show(
      "Prethodna provera strukture baza podataka nije zavrsena (program je prekinut).\n"
      "Nijedan podatak nije izgubljen: svaka tabela je ili neizmenjena ili vec prevedena\n"
      "u novu strukturu. Provera ce sada biti ponovljena.",
      ui::MessageKind::Information);
}

void StructureCheckMessages::starting(const store::Session& program) {
  std::string warning = "PRVI PUT POKRECETE NOVU VERZIJU PROGRAMA!\n";
  if (!program.CSUBDIRFIRME.empty()) warning += "(ZA FIRMU: " + program.CSIFRAFIRME + ")\n";
  warning +=
      "Program treba da izvrsi proveru strukture baza podataka.\n"
      "Pre nego sto nastavite OBEZBEDITE da se svi korisnici\n"
      "odjave iz programa, u suprotnom ce se ova procedura\n"
      "automatski prekinuti, a koriscenje programa nece biti\n"
      "moguce dok se procedura uspesno ne zavrsi.";
  show(warning, ui::MessageKind::Warning);
}

void StructureCheckMessages::refused() {
  show(
      "UPOZORENJE: Korisnici se nisu odjavili iz programa !\n"
      "Procedura provere strukture baza podataka je prekinuta.",
      ui::MessageKind::Warning);
}

void StructureCheckMessages::finished() {
  show("Procedura provere strukture baza podataka je uspesno zavrsena",
       ui::MessageKind::Information);
}

std::string indexRefusalText(store::IndexAttach how, const std::filesystem::path& file) {
  if (how == store::IndexAttach::Busy)
    return "Indeksni fajl " + file.string() +
           " je zauzet: drugi korisnik ga upravo obnavlja.\n"
           "Pokrenite program ponovo za nekoliko trenutaka.";
  return "Indeksni fajl " + file.string() +
         " je ostecen, a drugi korisnik ga trenutno koristi.\n"
         "Zatvorite program na ostalim racunarima i pokrenite ga ponovo:\n"
         "indeks ce tada biti ponovo izgradjen.";
}

void endUnlessOpened(const store::OpenOutcome& opened, ui::UserInterface* ui) {
  using State = store::OpenOutcome::State;
  if (opened.state == State::Opened) return;
  if (opened.state == State::IndexUnusable && ui != nullptr)
    ui->messageBox(indexRefusalText(opened.index, opened.indexFile), ui::MessageKind::Error,
                   ui::MessageButtons::Ok);
  throw errors::EndProgram(1);
}

void DBOPENALL(store::Session& program) {
  StructureCheckMessages messages(program.ui);
  endUnlessOpened(store::DBOPENALL(program, messages), program.ui);
}

}  // namespace kavrina::commands
