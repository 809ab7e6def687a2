#include "app/depreciation_calls.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "app/list_rows.h"
#include "depreciation/present_value.h"
#include "errors/error.h"
#include "store/database.h"
#include "store/dbf/dbf_table.h"
#include "ui/current_ui.h"

namespace kavrina::app {

namespace fs = std::filesystem;

void showNotAvailable() {
  ui::current().messageBox("Opcija jos nije dostupna.", ui::MessageKind::Information,
                           ui::MessageButtons::Ok);
}

void callAKTIVIRAJ(store::Program& program) {
  auto notice = ui::current().showWait("Aktivacija u toku. Molim sacekajte...");
  program.areas.closeAll();
  store::DBOPENALL(program);
}

void callOBRACUN(store::Program& program, bool accounting, bool tax, bool periodic) {
  showNotAvailable();
}

void callNULIRAJGRUPU(store::Program& program) { showNotAvailable(); }

namespace {

// Reads the `RASadVr` of every record of one annual accounting result. A table another
// station holds for its own use is passed over: its year then gives no values.
void addYear(depreciation::AnnualPresentValues& values, int year, const fs::path& file) {
  std::unique_ptr<store::DbfTable> table;
  try {
    table = store::DbfTable::open(file, {.shared = true, .readOnly = true});
  } catch (const errors::Error&) {
    return;
  }
  if (!table) return;
  table->setHideDeleted(true);
  const int invBr = table->fieldIndex("InvBr");
  const int sadVr = table->fieldIndex("RASadVr");
  if (invBr < 0 || sadVr < 0) return;
  for (table->goTop(); !table->eof(); table->skip())
    values.add(year, table->getString(invBr), table->getNumber(sadVr));
  table->close();
}

}  // namespace

PresentValueLookup presentValueLookup(store::Program& program) {
  auto values = std::make_shared<depreciation::AnnualPresentValues>();
  std::error_code ec;
  for (fs::directory_iterator it(program.CSUBDIRFIRME + "DBF", ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isCalculationFileName(name) || upperCase(name.substr(5, 3)) != "12R") continue;
    if (calculationRows(name, {}).empty()) continue;  // not four digits of a year
    const int year = std::stoi(name.substr(1, 4));
    if (year > program.NGODINA) continue;
    addYear(*values, year, it->path());
  }
  const int newest = program.NGODINA;
  return [values, newest](const std::string& invBr, int acquisitionYear, double raOsn) {
    return values->OBRRASADVR(invBr, newest, acquisitionYear, raOsn);
  };
}

void addDepreciationCalls(CommandHooks& hooks) {
  hooks.AKTIVIRAJ = callAKTIVIRAJ;
  hooks.OBRACUN = callOBRACUN;
  hooks.NULIRAJGRUPU = callNULIRAJGRUPU;
  hooks.presentValues = presentValueLookup;
}

}  // namespace kavrina::app
