// Saving a recorded document as a PDF file: vector text, A4 in the document's orientation.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "reports/page_document.h"

namespace kavrina::reports {

// Writes every page of `doc` to `path`: beside it first, renamed over an existing file only
// when whole. The PDF is titled with the document's title. Answers no value on success,
// otherwise a text saying what failed.
// Needs a QGuiApplication (fonts); usable without any window.
std::optional<std::string> writePdf(const PageDocument& doc, const std::filesystem::path& path);

}  // namespace kavrina::reports
