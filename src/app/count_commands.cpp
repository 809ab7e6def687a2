// The window's count commands.
#include "app/count_commands.h"

#include <string>

#include "app/count_run.h"
#include "common/decimal.h"
#include "reports/asset_labels.h"
#include "reports/report_dialogs.h"
#include "settings/ini_files.h"
#include "ui/current_ui.h"

namespace kavrina::app {
namespace {

void tell(const std::string& text, ui::MessageKind kind) {
  ui::current().messageBox(text, kind, ui::MessageButtons::Ok);
}

bool confirmed(const std::string& text) {
  return ui::current().messageBox(text, ui::MessageKind::Confirmation, ui::MessageButtons::YesNo) ==
         ui::Answer::Yes;
}

// Offers the sections as a CSV file. The place of a spreadsheet (XLSX) export of the same
// sections, once the program has one.
void offerCsv(store::Program& program, const std::vector<reports::CountSection>& sections,
              ui::SaveDialog& saveDialog, Date date) {
  if (!confirmed("Sacuvati popisne razlike i kao CSV fajl?")) return;
  const std::string proposed = "PopisneRazlike_" + date.toDbf() + ".csv";
  const auto file =
      saveDialog.execute({"Popisne razlike kao CSV", "CSV fajlovi (*.csv)", "*.csv", proposed});
  if (!file) return;
  std::error_code ec;
  const bool exists = std::filesystem::exists(*file, ec);
  if (exists && !confirmed("Fajl " + file->string() + " vec postoji. Presnimiti ga?")) return;
  if (const auto error = writeCountCsv(sections, *file, program.info.folder, exists)) {
    tell(*error, ui::MessageKind::Error);
    return;
  }
  tell("Sacuvan CSV: " + file->string(), ui::MessageKind::Information);
}

}  // namespace

void printLabelsCommand(store::Program& program, ui::Printer& printer) {
  if (program.AOSNOVNASREDSTVA.empty()) {
    tell(std::string(reports::kNemaPodatakaZaStampu), ui::MessageKind::Information);
    return;
  }
  const reports::LabelSheet sheet = reports::readLabelSheet(settings::programSettings());
  const std::string prompt = "Prva nalepnica (1 do " + std::to_string(sheet.labelsPerPage()) + "):";
  const auto typed = ui::current().inputBox("Unos", prompt, "1", "9999", 60);
  if (!typed) return;
  reports::printAssetLabels(program, printer, sheet, static_cast<int>(parseNumber(*typed)));
}

void countDifferencesCommand(store::Program& program, ui::Printer& printer,
                             const PickScanFiles& pickFiles, ui::SaveDialog& saveDialog,
                             Date today) {
  const auto date = reports::askListDate(program.AOSNOVNASREDSTVA.size(), today);
  if (!date) return;
  const std::vector<std::filesystem::path> files = pickFiles();
  if (files.empty()) return;
  const auto run = runCount(program, files, *date);
  if (!run) return;
  reports::printCountDifferences(program, printer, run->sections, *date);
  tell(countSummary(run->differences), ui::MessageKind::Information);
  offerCsv(program, run->sections, saveDialog, *date);
}

}  // namespace kavrina::app
