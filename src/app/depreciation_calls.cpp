#include "app/depreciation_calls.h"

#include <filesystem>

#include "commands/activation.h"
#include "common/process_memory.h"
#include "depreciation/annual_results_cache.h"
#include "depreciation/group_reset.h"
#include "depreciation/obracun.h"

namespace kavrina::app {

namespace fs = std::filesystem;

void showNotAvailable(store::Program& program) {
  program.userInterface().messageBox("Opcija jos nije dostupna.", ui::MessageKind::Information,
                                     ui::MessageButtons::Ok);
}

void callAKTIVIRAJ(store::Program& program) {
  commands::AKTIVIRAJ(program);
}

void callOBRACUN(store::Program& program, bool accounting, bool tax, bool periodic) {
  depreciation::OBRACUN(program, accounting, tax, periodic);
  // The window stays open long after: the calculation's lists go back to the system.
  memory::releaseFreedMemory();
}

void callNULIRAJGRUPU(store::Program& program) {
  depreciation::NULIRAJGRUPU(program);
}

void addDepreciationCalls(CommandHooks& hooks) {
  hooks.AKTIVIRAJ = callAKTIVIRAJ;
  hooks.OBRACUN = callOBRACUN;
  hooks.NULIRAJGRUPU = callNULIRAJGRUPU;
  hooks.presentValues = depreciation::presentValueLookup;
}

}  // namespace kavrina::app
