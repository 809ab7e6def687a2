#include "online/remote_support.h"

#include <filesystem>

#include "common/file_ops.h"
#include "common/os_file.h"
#include "online/online_texts.h"
#include "ui/ftp/sha256.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

void showError(OnlineContext& context, std::string_view first, std::string_view second) {
  context.ui.messageBox(std::string(first) + std::string(kLineBreak) + std::string(second),
                        ui::MessageKind::Error, ui::MessageButtons::Ok);
}

// The checksum the server keeps beside the program ("NAME.sha256"), or empty when it has
// none. A checksum file that holds no SHA-256 gives "-", which no file matches.
std::string serverChecksum(OnlineContext& context, std::string_view name) {
  const std::string checksumName = std::string(name) + ".sha256";
  const fs::path local = context.folder() / checksumName;
  if (!context.ftp.ReceiveFile(checksumName, local)) return {};
  std::string text(256, '\0');
  OsFile file;
  ssize_t got = -1;
  if (file.open(local, OsFile::Access::ReadOnly) == 0)
    got = file.readAt(0, {text.data(), text.size()});
  file.close();
  fileops::removeFile(local);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  const std::string digest = ui::parseSha256(text);
  return digest.empty() ? "-" : digest;
}

}  // namespace

void ONLINEPODRSKA(OnlineContext& context, std::string_view name) {
  const fs::path program = context.folder() / std::string(name);
  if (!isFile(program)) {
    const std::string question = std::string(kPodrskaNijeInstalirana) + std::string(kLineBreak) +
                                 std::string(kLineBreak) + std::string(kPreuzetiSaServera);
    if (context.ui.messageBox(question, ui::MessageKind::Confirmation, ui::MessageButtons::YesNo) !=
        ui::Answer::Yes)
      return;
    if (!connect(context)) {
      context.ftp.Close();
      showError(context, kNijeUspeoPristup, kProveriteKonekciju);
      return;
    }
    bool checksumFailed = false;
    {
      auto wait = context.ui.showWait(kPreuzimanjePrograma);
      const std::string sha256 = serverChecksum(context, name);
      if (!context.ftp.ReceiveFile(name, program, {.sha256 = sha256, .executable = true}))
        checksumFailed = context.ftp.lastFailure() == ui::FtpFailure::Checksum;
      context.ftp.Close();
    }
    if (checksumFailed) {
      showError(context, kPodrskaNeispravna,
                std::string(kPodrskaNijeSacuvana) + " " + std::string(kPokusajteKasnije));
      return;
    }
    if (!isFile(program)) {
      showError(context, kPrenosPodrskeNijeUspeo, kPokusajteKasnije);
      return;
    }
  }
  context.ui.messageBox(kKlikniteNaOk, ui::MessageKind::Information, ui::MessageButtons::Ok);
  if (!context.shell.startProgram(program))
    showError(context, kPodrskaNePokrece, std::string(kProveriteDozvolu) + program.string());
}

}  // namespace kavrina::online
