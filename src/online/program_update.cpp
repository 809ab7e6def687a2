#include "online/program_update.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "common/os_file.h"
#include "online/download_box.h"
#include "online/online_messages.h"
#include "online/online_texts.h"
#include "online/program_check.h"
#include "online/version_check.h"
#include "settings/settings_keys.h"
#include "ui/ftp/sha256.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

// A copy of `from` written aside and renamed to `to` (which must not exist), with its mode.
bool copyFile(const fs::path& from, const fs::path& to) {
  OsFile source;
  if (source.open(from, OsFile::Access::ReadOnly) != 0) return false;
  struct stat info;
  if (::fstat(source.fd(), &info) != 0) return false;
  AsideFile aside;
  if (aside.create(to) != 0) return false;
  std::string buffer(1 << 16, '\0');
  std::uint64_t offset = 0;
  for (;;) {
    const ssize_t got = source.readAt(offset, {buffer.data(), buffer.size()});
    if (got < 0) return false;
    if (got == 0) break;
    if (!aside.file().writeAt(offset, {buffer.data(), static_cast<std::size_t>(got)})) return false;
    offset += static_cast<std::uint64_t>(got);
  }
  if (::fchmod(aside.file().fd(), info.st_mode & 07777) != 0) return false;
  return aside.publish(false) == 0;
}

void showError(OnlineContext& context, std::string_view first, std::string_view second) {
  context.ui.messageBox(std::string(first) + std::string(kLineBreak) + std::string(second),
                        ui::MessageKind::Error, ui::MessageButtons::Ok);
}

}  // namespace

bool updateBlocked(const fs::path& executable) {
  if (executable.empty()) return true;
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(executable, ec);
  const std::string text = (ec ? executable : real).string();
  if (text.starts_with("/usr/") && !text.starts_with("/usr/local/")) return true;
  const fs::path folder = fileops::folderOf(ec ? executable : real);
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0;
}

std::string backupVersion(std::string_view dataVersion) {
  std::string v;
  for (char c : dataVersion)
    if (c != '.' && c != ' ' && c != '(' && c != ')') v += c;
  return v;
}

bool installUpdate(const UpdateFiles& files, const LocalTime& now) {
  std::error_code ec;
  fs::create_directory(files.undo, ec);
  if (!fs::is_directory(files.undo, ec)) return false;
  const fs::path backup = files.undo / (files.name + "." + files.version);
  const fs::path stamped = files.undo / (files.name + "_" + now.stamp() + "." + files.version);
  // An older backup of the same version survives under a time-stamped name.
  const bool movedOld = isPlainFile(backup);
  if (movedOld && fileops::renameNotReplacing(backup, stamped) != 0) return false;
  auto undoOld = [&] {
    if (movedOld) fileops::renameNotReplacing(stamped, backup);
  };
  // The running program stays under its name until the new one replaces it in one step.
  if (::link(files.program.c_str(), backup.c_str()) != 0 && !copyFile(files.program, backup)) {
    undoOld();
    return false;
  }
  fileops::syncFolder(files.undo);
  struct stat info;
  const mode_t mode = ::stat(files.program.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0755;
  if (::chmod(files.download.c_str(), mode | S_IXUSR) != 0 ||
      fileops::renameReplacing(files.download, files.program) != 0) {
    fileops::removeFile(backup);
    undoOld();
    return false;
  }
  fileops::syncFolder(fileops::folderOf(files.program));
  return true;
}

bool PreuzmiNovuVerzijuPrograma(OnlineContext& context) {
  const std::string name = context.programName();
  const std::string lower = lowerCase(name);
  UpdateFiles files;
  files.program = context.executable;
  files.download = fileops::folderOf(context.executable) / ("update_" + name);
  files.undo = context.folder() / kUndoFolder;
  files.name = name;
  files.version = backupVersion(settings::readDataVersion(context.settings, context.CSUBDIRFIRME));
  const fs::path leftOverArchive = context.folder() / ("update_" + lower + ".zip");

  if (updateBlocked(context.executable)) {
    context.ui.messageBox(std::string(kAzuriranjePrekoPaketa) + std::string(kLineBreak) +
                              std::string(kKoristiteUpravljacPaketima),
                          ui::MessageKind::Information, ui::MessageButtons::Ok);
    return false;
  }
  // The checksum the server gives for the update, if any. A value that is not a SHA-256
  // matches no file, so the download is refused rather than taken unchecked.
  std::string sha256;
  {
    auto wait = context.ui.showNetworkWait(kPristupanjeServeru);
    if (connect(context)) {
      const auto server = fetchServerVersion(context, "", "");
      if (server && !server->sha256.empty()) {
        sha256 = ui::parseSha256(server->sha256);
        if (sha256.empty()) sha256 = "-";
      }
    }
  }
  bool received = false;
  {
    DownloadBox box(context.ui, kPreuzimanjeVerzije);
    received =
        context.ftp.ReceiveFile("update_" + lower, files.download,
                                {.sha256 = sha256, .executable = true, .progress = box.progress()});
    std::error_code sizeError;
    if (received && fs::file_size(files.download, sizeError) == 0 && !sizeError) {
      // An empty program file is no program: it is not installed.
      fileops::removeFile(files.download);
      received = false;
    }
    if (!received && context.ftp.lastFailure() != ui::FtpFailure::None) {
      box.close();
      if (stoppedByUser(context))
        ;  // cancelled: the aside file is gone, nothing to say
      else if (context.ftp.lastFailure() == ui::FtpFailure::Checksum)
        showError(context, kVerzijaNeispravna,
                  std::string(kVerzijaNijeInstalirana) + " " + std::string(kPokusajteKasnije));
      else
        context.ui.messageBox(
            failureMessage(context, std::string(kKonekcijaNijeUspela) + context.ftp.endpoint().host,
                           kProveriteKonekciju, fileops::folderOf(files.download)),
            ui::MessageKind::Error, ui::MessageButtons::Ok);
      context.ftp.Close();
      fileops::removeFile(leftOverArchive);
      return false;
    }
  }
  // Only a program of this machine that starts and answers takes the old one's place.
  if (received) {
    const ProgramCheck check =
        checkProgram(files.download, runningProgram(), context.programCheckLimit);
    if (check != ProgramCheck::Fit) {
      fileops::removeFile(files.download);
      context.ftp.Close();
      showError(context,
                check == ProgramCheck::NotAProgram ? kVerzijaNijeProgram : kVerzijaNePokrece,
                kStaraVerzijaOstaje);
      fileops::removeFile(leftOverArchive);
      return false;
    }
  }
  bool installed = false;
  {
    auto wait = context.ui.showWait(kInstalacijaUToku);
    installed = received && installUpdate(files, context.clock.now());
    if (!installed) fileops::removeFile(files.download);
  }
  if (installed) {
    context.ui.messageBox(std::string(kInstaliranaNovaVerzija) + std::string(kLineBreak) +
                              std::string(kPonovoPokrenuti),
                          ui::MessageKind::Information, ui::MessageButtons::Ok);
    // The release notes of the new version, fetched afresh and shown.
    const std::string notes = releaseNotesName(context);
    fileops::removeFile(inFolder(context, notes));
    if (receiveSmallFile(context, notes, context.folder() / notes))
      context.shell.openDocument(context.folder() / notes);
  } else {
    showError(context, kInstalacijaNijeUspela, kPokusajteKasnije);
  }
  context.ftp.Close();
  fileops::removeFile(leftOverArchive);
  return installed;
}

}  // namespace kavrina::online
