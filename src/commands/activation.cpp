#include "commands/activation.h"

#include <memory>

#include "commands/open_database.h"
#include "depreciation/calculation_input.h"

namespace kavrina::commands {

void AKTIVIRAJ(store::Session& program) {
  std::unique_ptr<ui::WaitNotice> wait;
  if (program.ui != nullptr) wait = program.ui->showWait(depreciation::kAktivacijaUToku);
  program.areas.closeAll();
  commands::DBOPENALL(program);
}

void activateCompany(store::Session& program, const std::string& code) {
  program.CSIFRAFIRME = code;
  program.CSUBDIRFIRME = store::companyPrefix(code);
  AKTIVIRAJ(program);
}

}  // namespace kavrina::commands
