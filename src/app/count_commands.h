// The count's commands of the asset section's print branch, "Nalepnice" and "Popisne
// razlike", as the window runs them: the questions asked through ui::current(), the files
// picked through the window's dialogs, the documents drawn into the window's printer.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "common/date.h"
#include "store/program.h"
#include "ui/printer.h"
#include "ui/save_dialog.h"

namespace kavrina::app {

// "Nalepnice": asks for the first label's place on the sheet ("Prva nalepnica (1 do N):",
// preset 1; a cancel stops) and prints a label for every asset of the list on the sheet of
// the settings file. An empty list shows "Nema podataka za stampu!" before any question.
void printLabelsCommand(store::Program& program, ui::Printer& printer);

// What the window offers for picking the scanner files: the chosen files, none when the
// user cancelled.
using PickScanFiles = std::function<std::vector<std::filesystem::path>()>;

// "Popisne razlike": asks for the count's date ("Na dan:"), the scanner files, compares and
// prints; then tells the summary and offers the same sections as a CSV file (the save
// dialog; an existing file is replaced only after the question). Any cancel stops quietly;
// nothing in the register changes.
void countDifferencesCommand(store::Program& program, ui::Printer& printer,
                             const PickScanFiles& pickFiles, ui::SaveDialog& saveDialog,
                             Date today = Date::today());

}  // namespace kavrina::app
