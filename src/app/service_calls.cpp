#include "app/service_calls.h"

#include <QCoreApplication>
#include <optional>

#include "app/depreciation_calls.h"
#include "app/qt_save_dialog.h"
#include "app/tfosmain.h"
#include "commands/arhiviraj_podatke.h"
#include "commands/obrisi_indekse.h"
#include "online/online_services.h"
#include "settings/ini_files.h"
#include "ui/system_shell.h"

namespace kavrina::app {

namespace {

std::optional<online::MenuEntry> onlineEntry(Service service) {
  switch (service) {
    case Service::ProveriVerzijuPrograma:
      return online::MenuEntry::ProveriVerzijuPrograma;
    case Service::PreuzmiNovuVerzijuPrograma:
      return online::MenuEntry::PreuzmiNovuVerzijuPrograma;
    case Service::OnlinePodrskaVM:
      return online::MenuEntry::OnlinePodrskaVM;
    case Service::OnlinePodrskaImPcR:
      return online::MenuEntry::OnlinePodrskaImPcR;
    default:
      return std::nullopt;
  }
}

online::OnlineContext onlineContext(TFOSMAIN& window, store::Program& program) {
  static ui::SystemShell shell;
  return {.info = program.info,
          .settings = settings::programSettings(),
          .ui = program.userInterface(),
          .ftp = *window.Ftp1,
          .shell = shell,
          .executable = online::runningProgram(),
          .CSUBDIRFIRME = program.CSUBDIRFIRME,
          .clock = program.clock};
}

}  // namespace

bool serviceAvailable(Service service) {
  return onlineEntry(service).has_value() || service == Service::ObrisiIndex ||
         service == Service::ArhivirajPodatke;
}

void runService(TFOSMAIN& window, store::Program& program, Service service) {
  if (service == Service::ObrisiIndex) {
    // OBRISIINDEX: ends the program (the next start builds the indexes).
    commands::OBISIINDEXE(program);
    return;
  }
  if (service == Service::ArhivirajPodatke) {
    QtSaveDialog saveDialog(&window);
    commands::ARHIVIRAJPODATKE(program, saveDialog);
    return;
  }
  const auto entry = onlineEntry(service);
  if (!entry) {
    showNotAvailable(program);
    return;
  }
  online::OnlineContext context = onlineContext(window, program);
  if (online::runMenuEntry(context, *entry) == online::Outcome::EndProgram)
    QCoreApplication::exit(0);
}

bool runStartServices(TFOSMAIN& window, store::Program& program) {
  online::OnlineContext context = onlineContext(window, program);
  return online::fOSMainOnShow(context) == online::Outcome::EndProgram;
}

}  // namespace kavrina::app
