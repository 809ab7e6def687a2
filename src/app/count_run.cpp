// The count's run: files, register, comparison, CSV.
#include "app/count_run.h"

#include "common/output_file.h"
#include "import/scan_file.h"
#include "reports/count_register.h"

namespace kavrina::app {

std::optional<CountRun> runCount(store::Program& program,
                                 const std::vector<std::filesystem::path>& files, Date date) {
  const import::ScanFilesRead read = import::readScanFiles(files);
  if (read.error) {
    program.userInterface().messageBox(*read.error, ui::MessageKind::Error, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  CountRun run;
  run.differences = reports::compareCount(reports::readCountRegister(program), read.lines, date);
  run.sections = reports::countSections(run.differences);
  return run;
}

std::string countSummary(const reports::CountDifferences& d) {
  std::string text = "Pronadjeno: " + std::to_string(d.found.size()) +
                     ", manjak: " + std::to_string(d.missing.size()) +
                     ", visak: " + std::to_string(d.surplus.size()) +
                     ", skenirano vise puta: " + std::to_string(d.repeated.size());
  if (d.locationsRead) text += ", na drugoj lokaciji: " + std::to_string(d.moved.size());
  if (d.unreadableLines > 0)
    text += "\nNeispravnih redova u fajlovima skenera: " + std::to_string(d.unreadableLines) +
            " (navedeni su u odeljku Visak).";
  return text;
}

std::optional<std::string> writeCountCsv(const std::vector<reports::CountSection>& sections,
                                         const std::filesystem::path& target,
                                         const std::filesystem::path& programFolder, bool replace) {
  return output::writeWholeText(target, programFolder, replace, reports::countCsv(sections),
                                nullptr);
}

}  // namespace kavrina::app
