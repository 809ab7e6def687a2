// What the preview's "Sacuvaj PDF" does with the file name the user chose: the place is
// checked as every output's is, an existing file is replaced only after the overwrite
// question, and every outcome but success is said in a box.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

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

// Writes a file at a path, replacing an existing regular file only when told; answers its
// message when it could not, and sets `warning` on a file whose folder was not flushed.
using OutputWriter = std::function<std::optional<std::string>(const std::filesystem::path& path,
                                                              bool replace, std::string& warning)>;

// savePdfAs for any output file the user names (an XLSX, a CSV): the same checks, questions
// and messages, with `write` doing the writing.
PdfSaveStep saveOutputAs(const std::filesystem::path& chosen,
                         const std::filesystem::path& programFolder, ui::UserInterface& ui,
                         const OutputWriter& write);

}  // namespace kavrina::reports
