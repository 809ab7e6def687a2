// What the preview's "Sacuvaj PDF" does with the file name the user chose: the place is
// checked as every output's is, an existing file is replaced only after the overwrite
// question, and every outcome but success is said in a box.
#pragma once

#include <filesystem>

#include "reports/page_document.h"
#include "ui/user_interface.h"

namespace kavrina::reports {

enum class PdfSaveStep {
  Done,         // written, or failed with its message shown
  ChooseAgain,  // the place was refused or the user would not replace the file
};

// Writes `doc` as a PDF at `chosen`. A place in or below `programFolder`, or one that is not
// a regular file, is refused with a warning; an existing regular file is replaced only when
// the user answers Yes to the overwrite question (warning, Yes and No). A write that fails
// shows its message (error, OK); a PDF written whose folder could not be flushed shows a
// warning. Every box goes through `ui`.
PdfSaveStep savePdfAs(const PageDocument& doc, const std::filesystem::path& chosen,
                      const std::filesystem::path& programFolder, ui::UserInterface& ui);

}  // namespace kavrina::reports
