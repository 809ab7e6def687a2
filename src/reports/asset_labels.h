// The asset labels, "Nalepnice": one label per asset of the asset list on a sheet of equal
// labels, each with the company's name, the inventory number as a Code 128 barcode and in
// text beneath it, and the asset's name.
#pragma once

#include <string>

#include "reports/label_sheet.h"
#include "reports/list_report.h"
#include "store/program.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Document title of the labels.
inline constexpr std::string_view kNalepniceTitle = "Nalepnice";

// Prints a label for every row of AOSNOVNASREDSTVA, in its order and filter, on `sheet`,
// the first one at `firstPosition` (from 1, row by row from the top left, so that a sheet
// already partly used can be printed on), and previews it. An empty list shows
// "Nema podataka za stampu!"; a sheet that does not fit on A4 or a first position outside
// the sheet shows why in an error box. Nothing is printed in those cases. Uses
// ui::current().
ListPrintResult printAssetLabels(const store::Program& program, ui::Printer& printer,
                                 const LabelSheet& sheet, int firstPosition);

// Why `firstPosition` cannot start a sheet of `sheet`, or no value when it can.
std::optional<std::string> firstPositionFault(const LabelSheet& sheet, int firstPosition);

// The UTF-8 text cut at a whole letter so that it stays within `widthMm` in a font of
// `points` (letters counted at a generous average width, so a cut text never reaches the
// edge of its place).
std::string cutToWidth(std::string_view text, double widthMm, double points);

}  // namespace kavrina::reports
