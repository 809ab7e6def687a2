// The sheet the asset labels are printed on: a grid of equal labels on A4, its columns,
// rows, label size, margins and gaps, kept in the settings file, section "Nalepnice".
#pragma once

#include <optional>
#include <string>

#include "settings/ini_files.h"
#include "ui/printer.h"

namespace kavrina::reports {

// Millimetres; the defaults are the common sheet of 3 x 8 labels of 70 x 37 mm, which fills
// the width of A4 and leaves half a millimetre above.
struct LabelSheet {
  int columns = 3;
  int rows = 8;
  double widthMm = 70;
  double heightMm = 37;
  double leftMm = 0;   // from the paper's left edge to the first column
  double topMm = 0.5;  // from the paper's top edge to the first row
  double columnGapMm = 0;
  double rowGapMm = 0;

  int labelsPerPage() const { return columns * rows; }
};

// Smallest label the content fits on: company, bars, number and name.
inline constexpr double kMinLabelWidthMm = 30;
inline constexpr double kMinLabelHeightMm = 20;

// Reads the sheet from the main settings file, section "Nalepnice", keys "Kolone",
// "Redovi", "Sirina", "Visina", "Levo", "Gore", "Razmak kolona" and "Razmak redova"; a
// missing key gives its default.
LabelSheet readLabelSheet(const settings::IniFiles& files);

// Why the sheet cannot be printed (a message for the user), or no value when it can: at
// least one column and row, labels not smaller than the minimum, margins and gaps not
// negative, the whole grid on the A4 paper.
std::optional<std::string> labelSheetFault(const LabelSheet& sheet);

// Where label `position` (from 0, row by row from the top left) lies on its page.
ui::RectMm labelRect(const LabelSheet& sheet, int position);

}  // namespace kavrina::reports
