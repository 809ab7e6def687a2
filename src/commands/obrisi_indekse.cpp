#include "commands/obrisi_indekse.h"

#include <memory>

#include "commands/archive_texts.h"
#include "errors/end_program.h"
#include "store/archive/index_files.h"

namespace kavrina::commands {

void OBISIINDEXE(store::Session& program) {
  ui::UserInterface& ui = program.userInterface();
  ui.messageBox(texts::kObnavljanjePocetak, ui::MessageKind::Warning, ui::MessageButtons::Ok);
  std::size_t left = 0;
  {
    auto notice = ui.showWait(texts::kObnavljanjeUToku);
    left = store::archive::deleteIndexFiles(program);
  }
  if (left == 0)
    ui.messageBox(texts::kIndeksiObrisani, ui::MessageKind::Information, ui::MessageButtons::Ok);
  else
    ui.messageBox(texts::indeksiNisuObrisani(left), ui::MessageKind::Error, ui::MessageButtons::Ok);
  throw errors::EndProgram(0);
}

}  // namespace kavrina::commands
