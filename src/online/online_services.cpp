#include "online/online_services.h"

#include "common/aside_file.h"
#include "common/file_ops.h"
#include "online/error_report.h"
#include "online/program_update.h"
#include "online/remote_support.h"
#include "online/version_check.h"

namespace kavrina::online {

namespace {

// Everything runs on the user-interface thread, so a plain flag is enough.
bool running = false;

class TaskGuard {
 public:
  TaskGuard() : taken_(!running) { running = true; }
  ~TaskGuard() {
    if (taken_) running = false;
  }
  TaskGuard(const TaskGuard&) = delete;
  TaskGuard& operator=(const TaskGuard&) = delete;
  explicit operator bool() const { return taken_; }

 private:
  bool taken_;
};

}  // namespace

bool networkTaskRunning() {
  return running;
}

Outcome fOSMainOnShow(OnlineContext& context) {
  TaskGuard guard;
  if (!guard) return Outcome::Continue;
  // Downloads that a kill interrupted left their aside files beside the program.
  removeStaleAsideFiles(context.folder());
  if (!context.executable.empty()) removeStaleAsideFiles(fileops::folderOf(context.executable));
  // Whatever the server does, the start waits for it no longer than this.
  context.ftp.setTimeBudget(context.startLimit);
  sendErrorReport(context);
  const bool accepted = checkVersionAtStart(context);
  context.ftp.setTimeBudget(std::nullopt);
  return accepted ? Outcome::EndProgram : Outcome::Continue;
}

Outcome runMenuEntry(OnlineContext& context, MenuEntry entry) {
  TaskGuard guard;
  if (!guard) return Outcome::Continue;
  switch (entry) {
    case MenuEntry::ProveriVerzijuPrograma:
      ProveriVerzijuPrograma(context);
      break;
    case MenuEntry::PreuzmiNovuVerzijuPrograma:
      if (PreuzmiNovuVerzijuPrograma(context)) return Outcome::EndProgram;
      break;
    case MenuEntry::OnlinePodrskaVM:
      ONLINEPODRSKA(context, kVelmarSupport);
      break;
    case MenuEntry::OnlinePodrskaImPcR:
      ONLINEPODRSKA(context, kImPcRemote);
      break;
  }
  return Outcome::Continue;
}

}  // namespace kavrina::online
