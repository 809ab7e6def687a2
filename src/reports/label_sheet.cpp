// The label sheet's settings and its geometry.
#include "reports/label_sheet.h"

#include <cmath>

#include "common/decimal.h"

namespace kavrina::reports {
namespace {

constexpr std::string_view kSection = "Nalepnice";
// A grid may reach this close past the paper's edge (rounding of the stored millimetres).
constexpr double kEdgeToleranceMm = 0.05;

// Millimetres as the settings hold them: whole ones without decimals, others with one.
std::string millimetres(double value) {
  return formatFixed(value, value == std::floor(value) ? 0 : 1);
}

}  // namespace

LabelSheet readLabelSheet(const settings::IniFiles& files) {
  LabelSheet sheet;
  sheet.columns = static_cast<int>(files.read(kSection, "Kolone", sheet.columns));
  sheet.rows = static_cast<int>(files.read(kSection, "Redovi", sheet.rows));
  sheet.widthMm = files.read(kSection, "Sirina", sheet.widthMm);
  sheet.heightMm = files.read(kSection, "Visina", sheet.heightMm);
  sheet.leftMm = files.read(kSection, "Levo", sheet.leftMm);
  sheet.topMm = files.read(kSection, "Gore", sheet.topMm);
  sheet.columnGapMm = files.read(kSection, "Razmak kolona", sheet.columnGapMm);
  sheet.rowGapMm = files.read(kSection, "Razmak redova", sheet.rowGapMm);
  return sheet;
}

std::optional<std::string> labelSheetFault(const LabelSheet& s) {
  if (s.columns < 1 || s.rows < 1)
    return std::string("Nalepnice: broj kolona i redova mora biti najmanje 1.");
  if (s.widthMm < kMinLabelWidthMm || s.heightMm < kMinLabelHeightMm)
    return "Nalepnice: nalepnica mora biti najmanje " + millimetres(kMinLabelWidthMm) + " x " +
           millimetres(kMinLabelHeightMm) + " mm.";
  if (s.leftMm < 0 || s.topMm < 0 || s.columnGapMm < 0 || s.rowGapMm < 0)
    return std::string("Nalepnice: margine i razmaci ne mogu biti negativni.");
  const double width = s.leftMm + s.columns * s.widthMm + (s.columns - 1) * s.columnGapMm;
  const double height = s.topMm + s.rows * s.heightMm + (s.rows - 1) * s.rowGapMm;
  if (width > ui::kA4WidthMm + kEdgeToleranceMm || height > ui::kA4HeightMm + kEdgeToleranceMm)
    return "Nalepnice: mreza " + std::to_string(s.columns) + " x " + std::to_string(s.rows) +
           " nalepnica (" + millimetres(width) + " x " + millimetres(height) +
           " mm) ne staje na A4 (210 x 297 mm).";
  return std::nullopt;
}

ui::RectMm labelRect(const LabelSheet& s, int position) {
  const int column = position % s.columns;
  const int row = (position / s.columns) % s.rows;
  const double left = s.leftMm + column * (s.widthMm + s.columnGapMm);
  const double top = s.topMm + row * (s.heightMm + s.rowGapMm);
  return {left, top, left + s.widthMm, top + s.heightMm};
}

}  // namespace kavrina::reports
