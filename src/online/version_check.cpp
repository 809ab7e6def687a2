#include "online/version_check.h"

#include "common/file_ops.h"
#include "online/online_messages.h"
#include "online/online_texts.h"
#include "online/program_update.h"
#include "settings/settings_keys.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

std::string connectionError(const OnlineContext& context) {
  return failureMessage(context, std::string(kKonekcijaNijeUspela) + context.ftp.endpoint().host,
                        kProveriteKonekciju, context.folder());
}

}  // namespace

std::optional<ServerVersion> fetchServerVersion(OnlineContext& context,
                                                std::string_view verzijaDefault,
                                                std::string_view datumDefault) {
  const fs::path local = inFolder(context, kSwVerFileName);
  fileops::removeFile(local);
  if (!receiveSmallFile(context, kSwVerFileName, context.folder() / kSwVerFileName))
    return std::nullopt;
  const std::string_view section = context.info.SW;
  const std::string_view file = settings::kSwVerFile;
  ServerVersion version;
  version.verzija = context.settings.read(section, settings::kSwVerVerzija, verzijaDefault, file);
  version.datum = context.settings.read(section, settings::kSwVerDatum, datumDefault, file);
  version.info = context.settings.read(section, settings::kSwVerInfo, "", file);
  version.sha256 = context.settings.read(section, "sha256", "", file);
  fileops::removeFile(inFolder(context, kSwVerFileName));
  return version;
}

std::string releaseNotesName(const OnlineContext& context) {
  return "update_" + lowerCase(context.programName()) + ".txt";
}

bool checkVersionAtStart(OnlineContext& context) {
  if (!settings::read(context.settings, settings::kProveraNoveVerzije)) return false;
  auto wait = context.ui.showNetworkWait(kProveraVerzije);
  if (connect(context)) {
    const auto server =
        fetchServerVersion(context, settings::kStartVerzijaDefault, settings::kStartDatumDefault);
    if (server) {
      const Date offered = Date::fromText(server->datum);
      if (!offered.empty() && offered > Date::fromText(context.info.DATVER)) {
        const std::string text = context.info.SW + " " + server->verzija + " od " + server->datum;
        const std::string question = std::string(kNovaVerzijaStart) + context.info.SW + "." +
                                     std::string(kLfCr) + std::string(kLfCr) +
                                     std::string(kNovaVerzijaPitanje) + text + "?";
        if (context.ui.messageBox(question, ui::MessageKind::Confirmation,
                                  ui::MessageButtons::YesNo) == ui::Answer::Yes) {
          context.ftp.Close();
          wait.reset();
          // The download shows its progress and can be cancelled: the start's limit is off.
          context.ftp.setTimeBudget(std::nullopt);
          PreuzmiNovuVerzijuPrograma(context);
          return true;
        }
      }
    }
    // The release notes, once: a local copy means they were shown already.
    const std::string notes = releaseNotesName(context);
    std::error_code ec;
    if (!fs::exists(inFolder(context, notes), ec) && !context.ftp.cancelled() &&
        receiveSmallFile(context, notes, context.folder() / notes))
      context.shell.openDocument(context.folder() / notes);
  }
  context.ftp.Close();
  return false;
}

void ProveriVerzijuPrograma(OnlineContext& context) {
  std::optional<ServerVersion> server;
  {
    auto wait = context.ui.showNetworkWait(kPristupanjeServeru);
    connect(context);
    server = fetchServerVersion(context, "", "");
    if (!server && !stoppedByUser(context))
      context.ui.messageBox(connectionError(context), ui::MessageKind::Error,
                            ui::MessageButtons::Ok);
    context.ftp.Close();
  }
  if (!server) return;
  if (server->verzija.empty() || server->datum.empty()) {
    context.ui.messageBox(kPodaciNisuDostupni, ui::MessageKind::Information,
                          ui::MessageButtons::Ok);
    return;
  }
  std::string text = std::string(kAktuelnaVerzija) + server->verzija + " od " + server->datum;
  if (!server->info.empty()) text += std::string(kLineBreak) + server->info;
  context.ui.messageBox(text, ui::MessageKind::Information, ui::MessageButtons::Ok);
}

}  // namespace kavrina::online
