#include "online/remote_support.h"

#include <filesystem>

#include "common/file_ops.h"
#include "common/os_file.h"
#include "online/download_box.h"
#include "online/online_messages.h"
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
  if (!receiveSmallFile(context, checksumName, local)) return {};
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
      const std::string text =
          failureMessage(context, kNijeUspeoPristup, kProveriteKonekciju, context.folder());
      context.ftp.Close();
      if (!stoppedByUser(context))
        context.ui.messageBox(text, ui::MessageKind::Error, ui::MessageButtons::Ok);
      return;
    }
    ui::FtpFailure failure = ui::FtpFailure::None;
    std::string failureText;
    {
      DownloadBox box(context.ui, kPreuzimanjePrograma);
      const std::string sha256 = serverChecksum(context, name);
      // Only a file proven whole is ever run: by the size the server gave, or its checksum.
      if (!context.ftp.ReceiveFile(name, program,
                                   {.sha256 = sha256,
                                    .executable = true,
                                    .proofRequired = true,
                                    .progress = box.progress()})) {
        failure = context.ftp.lastFailure();
        failureText =
            failureMessage(context, kPrenosPodrskeNijeUspeo, kPokusajteKasnije, context.folder());
      }
      context.ftp.Close();
    }
    if (failure == ui::FtpFailure::Cancelled || context.ftp.cancelled()) return;
    if (failure == ui::FtpFailure::Checksum || failure == ui::FtpFailure::Unverified) {
      showError(context,
                failure == ui::FtpFailure::Checksum ? kPodrskaNeispravna : kPodrskaNeproverena,
                std::string(kPodrskaNijeSacuvana) + " " + std::string(kPokusajteKasnije));
      return;
    }
    if (!isFile(program)) {
      if (failureText.empty())
        failureText = std::string(kPrenosPodrskeNijeUspeo) + std::string(kLineBreak) +
                      std::string(kPokusajteKasnije);
      context.ui.messageBox(failureText, ui::MessageKind::Error, ui::MessageButtons::Ok);
      return;
    }
  }
  context.ui.messageBox(kKlikniteNaOk, ui::MessageKind::Information, ui::MessageButtons::Ok);
  if (!context.shell.startProgram(program))
    showError(context, kPodrskaNePokrece, std::string(kProveriteDozvolu) + program.string());
}

}  // namespace kavrina::online
