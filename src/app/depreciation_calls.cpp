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

PresentValueLookup presentValueLookup(store::Session& program) {
  // One cache for the run: a load rereads only the result files that changed since the
  // last one, and a switch to another company's folder starts it afresh.
  static depreciation::AnnualResultsCache cache;
  cache.refresh(fs::absolute(program.CSUBDIRFIRME + "DBF"));
  const int newest = program.NGODINA;
  return [newest](const std::string& invBr, int acquisitionYear, double raOsn) {
    return cache.OBRRASADVR(invBr, newest, acquisitionYear, raOsn);
  };
}

void addDepreciationCalls(CommandHooks& hooks) {
  hooks.AKTIVIRAJ = callAKTIVIRAJ;
  hooks.OBRACUN = callOBRACUN;
  hooks.NULIRAJGRUPU = callNULIRAJGRUPU;
  hooks.presentValues = presentValueLookup;
}

}  // namespace kavrina::app
