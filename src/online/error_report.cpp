#include "online/error_report.h"

#include <cerrno>
#include <filesystem>

#include "common/file_ops.h"
#include "common/os_file.h"
#include "errors/error_log_file.h"
#include "online/error_archive.h"
#include "online/online_texts.h"
#include "settings/settings_keys.h"

namespace kavrina::online {

namespace fs = std::filesystem;

namespace {

// "Error-" and `SW` without blanks and "-".
std::string reportPrefix(const errors::ProgramInfo& info) {
  std::string sw;
  for (char c : info.SW)
    if (c != ' ') sw += c;
  return "Error-" + sw + "-";
}

// Whether a report of this program that could not be sent is left over: a log under its
// report name ("Error-Kavrina-...txt"). Other files that happen to match "Error*.txt" do
// not start the task; they are gathered only together with a log, as ever.
bool hasLeftOverReport(const OnlineContext& context) {
  const std::string prefix = lowerCase(reportPrefix(context.info));
  std::error_code ec;
  for (fs::directory_iterator it(context.folder(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = lowerCase(it->path().filename().string());
    if (name.starts_with(prefix) && name.ends_with(".txt") && isPlainFile(it->path())) return true;
  }
  return false;
}

// Gives "Error.txt" its report name, so that the error output of this run or of another
// station starts a new log instead of writing into the one being sent. Answers the new
// path, or empty when there is no log (or it could not be renamed; it then stays).
fs::path takeErrorLog(const OnlineContext& context, const std::string& name) {
  const fs::path log = inFolder(context, errors::kErrorLogName);
  if (!isPlainFile(log)) return {};
  const fs::path target = context.folder() / name;
  if (fileops::renameNotReplacing(log, target) != 0) return {};
  fileops::syncFolder(context.folder());
  return target;
}

}  // namespace

std::string reportName(const errors::ProgramInfo& info, const LocalTime& time,
                       std::string_view extension) {
  std::string ver = info.VER;
  for (char& c : ver)
    if (c == '.') c = '_';
  return reportPrefix(info) + ver + "-" + time.stamp() + std::string(extension);
}

void sendErrorReport(OnlineContext& context) {
  const bool hasLog = isPlainFile(inFolder(context, errors::kErrorLogName));
  const bool hasArchive = isPlainFile(inFolder(context, kErrorZipName));
  if (!hasLog && !hasArchive && !hasLeftOverReport(context)) return;
  if (!settings::read(context.settings, settings::kPosaljiErrorFajl)) return;

  const LocalTime now = context.clock.now();
  const bool active = connect(context);
  bool send = false;
  if (active) {
    send = settings::read(context.settings, settings::kBezUpitaPosaljiErrorFajl);
    if (!send) {
      const std::string question = std::string(kErrorQuestionStart) + context.info.SW + " " +
                                   context.info.VER + std::string(kLfCr) +
                                   std::string(kErrorQuestionEnd);
      send = context.ui.messageBox(question, ui::MessageKind::Confirmation,
                                   ui::MessageButtons::YesNo) == ui::Answer::Yes;
    }
  }
  if (send) {
    auto wait = context.ui.showNetworkWait(kPrenosUToku);
    // One change of directory serves both files.
    bool inIncoming = false;
    auto toIncoming = [&] {
      if (!inIncoming) inIncoming = context.ftp.ChangeDirectory(kIncomingDirectory);
      return inIncoming;
    };
    const std::string txtName = reportName(context.info, now, ".txt");
    if (const fs::path log = takeErrorLog(context, txtName); !log.empty()) {
      if (toIncoming() && context.ftp.SendFile(log, txtName)) fileops::removeFile(log);
    }
    const fs::path archive = inFolder(context, kErrorZipName);
    if (isPlainFile(archive)) {
      // Held while it is sent and erased, so that no station archives into it meanwhile.
      OsFile held;
      if (held.openShareLocked(archive, OsFile::Access::ReadWrite, LockKind::Write) == 0 &&
          toIncoming() && context.ftp.SendFile(archive, reportName(context.info, now, ".zip")))
        fileops::removeFile(archive);
    }
  }
  // What was not sent is archived.
  if (isPlainFile(inFolder(context, errors::kErrorLogName)) || hasLeftOverReport(context)) {
    auto wait = context.ui.showWait(kFormiranjeErrorZip);
    takeErrorLog(context, reportName(context.info, now, ".txt"));
    archiveErrorLogs(context.folder(), reportName(context.info, now, ".zip"));
  }
  context.ftp.Close();
}

}  // namespace kavrina::online
