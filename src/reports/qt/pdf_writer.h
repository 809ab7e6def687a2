// Saving a recorded document as a PDF file: vector text, A4 in the document's orientation.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "reports/page_document.h"

namespace kavrina::reports {

// Where a PDF may go (common/output_target.h).
struct PdfPlace {
  std::filesystem::path programFolder;  // never written in or below it (empty: none)
  bool replace = false;                 // an existing regular file may be replaced
};

// Writes every page of `doc` to `path`, titled with the document's title: through the
// descriptor of an aside file beside it, renamed to `path` only when whole and flushed; an
// existing file of that name is replaced only when it is a regular file and `place.replace`
// allows it. Answers no value when the PDF lies complete under `path`, otherwise the message
// saying why not (a refused place, no space on the disk, ...). `warning`, when given, gets
// a note on a PDF written whose folder could not be flushed (empty otherwise).
// Needs a QGuiApplication (fonts); usable without any window.
std::optional<std::string> writePdf(const PageDocument& doc, const std::filesystem::path& path,
                                    const PdfPlace& place = {}, std::string* warning = nullptr);

}  // namespace kavrina::reports
