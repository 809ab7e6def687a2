// The label sheet: labels placed row by row, one page after the other, each drawn from the
// asset list's row with its bars as filled rectangles.
#include "reports/asset_labels.h"

#include <algorithm>

#include "common/text.h"
#include "depreciation/asset_list.h"
#include "reports/code128_bars.h"
#include "reports/page_frame.h"
#include "reports/report_dialogs.h"

namespace kavrina::reports {
namespace {

using ui::RectMm;
using ui::TextAlign;

// Inside a label, millimetres from its edges.
constexpr double kPaddingMm = 2.5;
constexpr double kCompanyTopMm = 1.5;
constexpr double kBarsTopMm = 5.5;
// The bars end this far above the label's bottom edge; below them the number and the name.
constexpr double kBarsBottomMm = 11;
constexpr double kNumberTopMm = 10.5;  // from the bottom edge
constexpr double kNameTopMm = 5.5;     // from the bottom edge
constexpr double kSmallPoints = 7;
constexpr double kNumberPoints = 9;
constexpr double kMmPerPoint = 25.4 / 72;
// Widest module: a short number gets bars no wider than a scanner expects.
constexpr double kMaxModuleMm = 0.5;
// A generous average width of a letter in em, for cutting a text to its place.
constexpr double kLetterEm = 0.6;

void setFont(ui::Printer& printer, double points, bool bold) {
  printer.font().size = points;
  printer.font().bold = bold;
}

// The bars centred in `area`, with the quiet zones inside it; a number Code 128 cannot carry
// gets no bars, only its text.
void drawBars(ui::Printer& printer, std::string_view invBr, const RectMm& area) {
  const auto symbol = encodeCode128(invBr);
  if (!symbol) return;
  const double module = std::min(
      kMaxModuleMm, (area.right - area.left) / (symbol->modules + 2 * kCode128QuietModules));
  const double left = area.left + ((area.right - area.left) - symbol->modules * module) / 2;
  for (const Bar& bar : symbol->bars) {
    printer.FillBox({left + bar.start * module, area.top, left + (bar.start + bar.width) * module,
                     area.bottom});
  }
}

void drawLabel(ui::Printer& printer, const RectMm& label, const std::string& company,
               std::string_view invBr, std::string_view naziv) {
  const double left = label.left + kPaddingMm;
  const double right = label.right - kPaddingMm;
  const double width = right - left;

  setFont(printer, kSmallPoints, true);
  printer.DrawText(cutToWidth(company, width, kSmallPoints),
                   {left, label.top + kCompanyTopMm, right, label.top + kBarsTopMm},
                   TextAlign::Center);
  drawBars(printer, invBr, {left, label.top + kBarsTopMm, right, label.bottom - kBarsBottomMm});
  setFont(printer, kNumberPoints, false);
  printer.DrawText(cutToWidth(invBr, width, kNumberPoints),
                   {left, label.bottom - kNumberTopMm, right, label.bottom - kNameTopMm},
                   TextAlign::Center);
  setFont(printer, kSmallPoints, false);
  printer.DrawText(cutToWidth(naziv, width, kSmallPoints),
                   {left, label.bottom - kNameTopMm, right, label.bottom - 1}, TextAlign::Center);
}

void errorBox(ui::UserInterface& ui, const std::string& text) {
  ui.messageBox(text, ui::MessageKind::Error, ui::MessageButtons::Ok);
}

}  // namespace

std::string cutToWidth(std::string_view text, double widthMm, double points) {
  const double letterMm = points * kMmPerPoint * kLetterEm;
  const auto room = static_cast<std::size_t>(widthMm / letterMm);
  std::size_t letters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A byte that continues a UTF-8 sequence is part of the letter before it.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (letters == room) return std::string(text.substr(0, i));
    ++letters;
  }
  return std::string(text);
}

std::optional<std::string> firstPositionFault(const LabelSheet& sheet, int firstPosition) {
  if (firstPosition >= 1 && firstPosition <= sheet.labelsPerPage()) return std::nullopt;
  return "Prva nalepnica mora biti od 1 do " + std::to_string(sheet.labelsPerPage()) + ".";
}

ListPrintResult printAssetLabels(const store::Program& program, ui::Printer& printer,
                                 const LabelSheet& sheet, int firstPosition) {
  const ui::AssetList& list = program.AOSNOVNASREDSTVA;
  const auto& rows = list.rows;
  if (rows.empty()) {
    program.userInterface().messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information,
                                       ui::MessageButtons::Ok);
    return {};
  }
  if (const auto fault = labelSheetFault(sheet)) {
    errorBox(program.userInterface(), *fault);
    return {};
  }
  if (const auto fault = firstPositionFault(sheet, firstPosition)) {
    errorBox(program.userInterface(), *fault);
    return {};
  }
  const ReportStyle style = reportStyleOf(program);
  auto wait =
      beginListReport(program.userInterface(), printer, rows.size(), kNalepniceTitle, style);
  if (!wait) return {};

  const int perPage = sheet.labelsPerPage();
  int position = firstPosition - 1;
  for (std::size_t i = 0; i < rows.size(); ++i, ++position) {
    if (i == 0 || position == perPage) {
      printer.NewPage();
      position %= perPage;
    }
    if ((i + 1) % kRowsPerEventPass == 0) program.userInterface().processEvents();
    drawLabel(printer, labelRect(sheet, position), program.CKORISNIKNAZIV,
              text::trimBlanks(depreciation::assetListCell(rows[i], list.widths, 0)),
              text::trimBlanks(depreciation::assetListCell(rows[i], list.widths, 1)));
  }
  printer.EndDoc();
  wait->reset();
  printer.Preview();
  return {true, 0};
}

}  // namespace kavrina::reports
