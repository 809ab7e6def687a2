#include "reports/qt/pdf_save.h"

#include <string>

#include "common/output_target.h"
#include "reports/qt/pdf_writer.h"

namespace kavrina::reports {

PdfSaveStep savePdfAs(const PageDocument& doc, const std::filesystem::path& chosen,
                      const std::filesystem::path& programFolder, ui::UserInterface& ui) {
  return saveOutputAs(chosen, programFolder, ui,
                      [&](const std::filesystem::path& path, bool replace, std::string& warning) {
                        return writePdf(doc, path, {programFolder, replace}, &warning);
                      });
}

PdfSaveStep saveOutputAs(const std::filesystem::path& chosen,
                         const std::filesystem::path& programFolder, ui::UserInterface& ui,
                         const OutputWriter& write) {
  using ui::MessageButtons;
  using ui::MessageKind;
  const output::Target place = output::checkTarget(chosen, programFolder);
  bool replace = false;
  if (place == output::Target::RegularFile) {
    if (ui.messageBox(output::overwriteQuestion(chosen), MessageKind::Warning,
                      MessageButtons::YesNo) != ui::Answer::Yes)
      return PdfSaveStep::ChooseAgain;
    replace = true;
  } else if (place != output::Target::Free) {
    ui.messageBox(
        output::refusalText(place, chosen, programFolder) + "\n\nOdaberite drugu lokaciju.",
        MessageKind::Warning, MessageButtons::Ok);
    return PdfSaveStep::ChooseAgain;
  }
  std::string warning;
  if (const auto error = write(chosen, replace, warning)) {
    ui.messageBox(*error, MessageKind::Error, MessageButtons::Ok);
  } else if (!warning.empty()) {
    ui.messageBox(warning, MessageKind::Warning, MessageButtons::Ok);
  }
  return PdfSaveStep::Done;
}

}  // namespace kavrina::reports
