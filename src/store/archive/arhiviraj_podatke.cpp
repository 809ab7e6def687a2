#include "store/archive/arhiviraj_podatke.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "common/file_ops.h"
#include "common/output_target.h"
#include "store/archive/archive_move.h"
#include "store/archive/archive_target.h"
#include "store/archive/archive_texts.h"
#include "store/archive/data_archive.h"
#include "store/archive/get_files.h"
#include "store/database.h"
#include "store/end_program.h"
#include "ui/current_ui.h"

namespace kavrina::store::archive {

namespace fs = std::filesystem;

namespace {

using ui::Answer;
using ui::MessageButtons;
using ui::MessageKind;

Answer show(std::string_view text, MessageKind kind, MessageButtons buttons = MessageButtons::Ok) {
  return ui::current().messageBox(text, kind, buttons);
}

std::tm localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

// Steps 9 and 10 of the save loop: where the written archive goes. Answers true once it
// lies at the chosen place.
bool storeArchive(const fs::path& folder, const fs::path& archive, ui::SaveDialog& saveDialog) {
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
      show(texts::kLokacijaNijeOdabrana, MessageKind::Warning);
      return false;
    }
    const fs::path target = *chosen;
    // b.
    if (isOnDesktop(target) &&
        show(texts::kRadnaPovrsina, MessageKind::Warning, MessageButtons::YesNo) == Answer::Yes)
      continue;
    // c. The folder itself and everything below it, however the path reaches it.
    if (isInsideFolder(target, folder)) {
      show(texts::kRadniFolder, MessageKind::Warning);
      continue;
    }
    // d. Only a regular file (or a link to one) may be replaced; a folder, a named pipe or a
    // device node under that name is refused. The file stays until the new archive is whole
    // under its name (a replacing move), so that a failed save loses neither.
    const output::Target place = output::checkTarget(target, {});
    if (place == output::Target::NotAFile) {
      show(output::refusalText(place, target, {}) + "\n\nOdaberite drugu lokaciju.",
           MessageKind::Warning);
      continue;
    }
    bool replace = false;
    if (place == output::Target::RegularFile) {
      if (show(texts::fajlVecPostoji(target.string()), MessageKind::Warning,
               MessageButtons::YesNo) != Answer::Yes)
        continue;
      replace = true;
    }
    // e.
    int moved = 0;
    {
      auto notice = ui::current().showWait(texts::kSnimanjeUToku);
      moved = moveArchive(archive, target, replace, [] { ui::current().processEvents(); });
    }
    // f.
    if (moved != 0) {
      if (show(texts::kSnimanjeNijeUspelo, MessageKind::Error, MessageButtons::YesNo) ==
          Answer::Yes)
        continue;
      fileops::removeFile(archive);
      show(texts::kSnimanjeOdustao, MessageKind::Warning);
      return false;
    }
    return true;
  }
}

}  // namespace

void ARHIVIRAJPODATKE(Session& program, ui::SaveDialog& saveDialog) {
  const fs::path folder = program.info.folder.empty() ? fs::current_path() : program.info.folder;
  // 1.
  show(texts::kArhiviranjePocetak, MessageKind::Warning);
  // 2.
  program.areas.closeAll();
  // A data folder behind a link the listing cannot follow would be missing from the archive.
  if (const auto links = linkedFolders(folder); !links.refused.empty()) {
    show(texts::vezaNijeArhivirana(links.refused), MessageKind::Error);
    DBOPENALL(program);
    return;
  }
  // 3.
  std::vector<fs::path> files;
  {
    auto notice = ui::current().showWait(texts::kPrikupljanje);
    files = GETFILES(folder);
  }
  // 4.
  const fs::path archive = folder / archiveFileName(program.info.SW, program.info.VER, localNow());
  // 5-7. A cancel in the progress box stops it, and nothing of the archive stays.
  ArchiveOutcome outcome;
  {
    auto progress =
        ui::current().showProgress(texts::kArhiviranjeUToku, 0, static_cast<int>(files.size()));
    outcome =
        writeDataArchive(folder, files, archive, /*replace=*/false, [&progress](std::size_t done) {
          progress->setPosition(static_cast<int>(done));
          ui::current().processEvents();
          return !progress->cancelled();
        });
  }
  bool saved = false;
  if (outcome.state == ArchiveOutcome::State::Failed) {
    // 6. Nothing to save: the loop is not entered.
    show(texts::kArhivaNijeKreirana, MessageKind::Error);
  } else if (outcome.state == ArchiveOutcome::State::Cancelled) {
    show(texts::kArhiviranjePrekinuto, MessageKind::Warning);
  } else {
    saved = storeArchive(folder, archive, saveDialog);
  }
  // 9g. The files another station held are named: the archive lacks them.
  if (saved) {
    const std::string missing = leftOutText(outcome.leftOut);
    if (missing.empty())
      show(texts::kArhiviranjeZavrseno, MessageKind::Information);
    else
      show(std::string(texts::kArhiviranjeZavrseno) + "\n\n" + missing, MessageKind::Warning);
    throw EndProgram(0);
  }
  // 10.
  DBOPENALL(program);
}

}  // namespace kavrina::store::archive
