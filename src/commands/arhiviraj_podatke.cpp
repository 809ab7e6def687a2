#include "commands/arhiviraj_podatke.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "commands/archive_texts.h"
#include "commands/open_database.h"
#include "common/file_ops.h"
#include "common/output_target.h"
#include "errors/end_program.h"
#include "store/archive/archive_move.h"
#include "store/archive/archive_target.h"
#include "store/archive/data_archive.h"
#include "store/archive/get_files.h"

namespace kavrina::commands {

namespace fs = std::filesystem;

namespace {

using namespace store::archive;
using ui::Answer;
using ui::MessageButtons;
using ui::MessageKind;

Answer show(ui::UserInterface& ui, std::string_view text, MessageKind kind,
            MessageButtons buttons = MessageButtons::Ok) {
  return ui.messageBox(text, kind, buttons);
}

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

// Steps 9 and 10 of the save loop: where the written archive goes. Answers true once it
// lies at the chosen place.
bool storeArchive(ui::UserInterface& ui, const fs::path& folder, const fs::path& archive,
                  ui::SaveDialog& saveDialog) {
  // 8.
  ui::SaveDialogSettings settings;
  settings.caption = texts::kSnimanjeNaslov;
  settings.filterDescription = texts::kSnimanjeFilterOpis;
  settings.filterPattern = texts::kSnimanjeFilter;
  settings.fileName = archive.filename().string();
  // 9.
  for (;;) {
    // a.
    const std::optional<fs::path> chosen = saveDialog.execute(settings);
    if (!chosen) {
      fileops::removeFile(archive);
      show(ui, texts::kLokacijaNijeOdabrana, MessageKind::Warning);
      return false;
    }
    const fs::path target = *chosen;
    // b.
    if (isOnDesktop(target) &&
        show(ui, texts::kRadnaPovrsina, MessageKind::Warning, MessageButtons::YesNo) == Answer::Yes)
      continue;
    // c. The folder itself and everything below it, however the path reaches it.
    if (isInsideFolder(target, folder)) {
      show(ui, texts::kRadniFolder, MessageKind::Warning);
      continue;
    }
    // d. Only a regular file (or a link to one) may be replaced; a folder, a named pipe or a
    // device node under that name is refused. The file stays until the new archive is whole
    // under its name (a replacing move), so that a failed save loses neither.
    const output::Target place = output::checkTarget(target, {});
    if (place == output::Target::NotAFile) {
      show(ui, output::refusalText(place, target, {}) + "\n\nOdaberite drugu lokaciju.",
           MessageKind::Warning);
      continue;
    }
    bool replace = false;
    if (place == output::Target::RegularFile) {
      if (show(ui, texts::fajlVecPostoji(target.string()), MessageKind::Warning,
               MessageButtons::YesNo) != Answer::Yes)
        continue;
      replace = true;
    }
    // e.
    int moved = 0;
    {
      auto notice = ui.showWait(texts::kSnimanjeUToku);
      moved = moveArchive(archive, target, replace, [&ui] { ui.processEvents(); });
    }
    // f.
    if (moved != 0) {
      if (show(ui, texts::kSnimanjeNijeUspelo, MessageKind::Error, MessageButtons::YesNo) ==
          Answer::Yes)
        continue;
      fileops::removeFile(archive);
      show(ui, texts::kSnimanjeOdustao, MessageKind::Warning);
      return false;
    }
    return true;
  }
}

}  // namespace

void ARHIVIRAJPODATKE(store::Session& program, ui::SaveDialog& saveDialog) {
  ui::UserInterface& ui = program.userInterface();
  const fs::path folder = program.info.folder.empty() ? fs::current_path() : program.info.folder;
  // 1.
  show(ui, texts::kArhiviranjePocetak, MessageKind::Warning);
  // 2.
  program.areas.closeAll();
  // A data folder behind a link the listing cannot follow would be missing from the archive.
  if (const auto links = linkedFolders(folder); !links.refused.empty()) {
    show(ui, texts::vezaNijeArhivirana(links.refused), MessageKind::Error);
    commands::DBOPENALL(program);
    return;
  }
  // 3.
  std::vector<fs::path> files;
  {
    auto notice = ui.showWait(texts::kPrikupljanje);
    files = GETFILES(folder, "*.*", &ui);
  }
  // 4.
  const fs::path archive = folder / archiveFileName(program.info.SW, program.info.VER, localNow());
  // 5-7. A cancel in the progress box stops it, and nothing of the archive stays.
  ArchiveOutcome outcome;
  {
    auto progress = ui.showProgress(texts::kArhiviranjeUToku, 0, static_cast<int>(files.size()));
    outcome = writeDataArchive(
        folder, files, archive, /*replace=*/false,
        [&progress, &ui](std::size_t done) {
          progress->setPosition(static_cast<int>(done));
          ui.processEvents();
          return !progress->cancelled();
        },
        &ui);
  }
  bool saved = false;
  if (outcome.state == ArchiveOutcome::State::Failed) {
    // 6. Nothing to save: the loop is not entered.
    show(ui, texts::kArhivaNijeKreirana, MessageKind::Error);
  } else if (outcome.state == ArchiveOutcome::State::Cancelled) {
    show(ui, texts::kArhiviranjePrekinuto, MessageKind::Warning);
  } else {
    saved = storeArchive(ui, folder, archive, saveDialog);
  }
  // 9g. The files another station held are named: the archive lacks them.
  if (saved) {
    const std::string missing = leftOutText(outcome.leftOut);
    if (missing.empty())
      show(ui, texts::kArhiviranjeZavrseno, MessageKind::Information);
    else
      show(ui, std::string(texts::kArhiviranjeZavrseno) + "\n\n" + missing, MessageKind::Warning);
    throw errors::EndProgram(0);
  }
  // 10.
  commands::DBOPENALL(program);
}

}  // namespace kavrina::commands
