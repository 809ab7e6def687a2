// The shared page frame of the reports.
#include "reports/page_frame.h"

#include "common/number_picture.h"
#include "common/text.h"
#include "reports/report_dialogs.h"
#include "settings/settings_keys.h"
#include "ui/current_ui.h"

namespace kavrina::reports {

namespace {

std::string trimmed(std::string_view text) {
  return std::string(text::trimBlanks(text));
}

}  // namespace

ReportStyle reportStyleOf(const store::Program& program) {
  ReportStyle style;
  style.fontName = program.CFONTNAME;
  style.fontSize = program.NFONTSIZE;
  style.version = program.info.VER;
  return style;
}

void readReportFont(store::Program& program) {
  program.CFONTNAME = settings::read(settings::kFontName);
  program.NFONTSIZE = settings::read(settings::kFontSize);
}

void setUpA4(ui::Printer& printer, std::string_view title, const ReportStyle& style,
             ui::Orientation orientation) {
  printer.setTitle(title);
  printer.setOrientation(orientation);
  printer.setPaperSize(ui::kPaperA4);
  printer.font().name = style.fontName;
  printer.font().size = style.fontSize;
}

void setUpPortraitA4(ui::Printer& printer, std::string_view title, const ReportStyle& style) {
  setUpA4(printer, title, style, ui::Orientation::Portrait);
}

std::string footerPageText(int page) {
  return "Strana " + trimmed(formatPicture(page, kPicturePage));
}

void drawPageFrame(ui::Printer& printer, const ReportStyle& style, const FrameHeading& heading,
                   const FrameLayout& layout) {
  using ui::TextAlign;
  printer.DrawLine(layout.left, layout.footerRule, layout.right, layout.footerRule);

  ui::PrinterFont& font = printer.font();
  font.size = kFooterFontSize;
  const ui::RectMm footer{layout.left, layout.footerRule + 1, layout.right, layout.footerRule + 6};
  const std::string software =
      layout.software.empty() ? "Kavrina " + style.version : layout.software;
  printer.DrawText("Software: " + software + " by Velmar", footer, TextAlign::Left);
  printer.DrawText(footerPageText(printer.PageNumber()), footer, TextAlign::Center);
  printer.DrawText(style.webAddress, footer, TextAlign::Right);

  font.size = kTitleFontSize;
  font.bold = true;
  printer.DrawText(heading.title, {layout.left, 8, layout.textRight, 15}, TextAlign::Left);
  printer.DrawText(heading.titleRight, {layout.left, 8, layout.right, 15}, TextAlign::Right);

  font.size = layout.secondLineFontSize > 0 ? layout.secondLineFontSize : style.fontSize;
  printer.DrawText(heading.second, {layout.left, 15, layout.textRight, 20}, TextAlign::Left);
  printer.DrawText(heading.secondRight, {layout.left, 15, layout.right, 20}, TextAlign::Right);

  font.bold = false;
  font.size = style.fontSize;
}

void drawCaption(ui::Printer& printer, std::string_view text, double left, double right, double top,
                 ui::TextAlign align) {
  printer.DrawText(text, {left, top, right, top + 4}, align);
}

std::optional<std::unique_ptr<ui::WaitNotice>> beginListReport(ui::Printer& printer,
                                                               std::size_t rowCount,
                                                               std::string_view title,
                                                               const ReportStyle& style) {
  ui::UserInterface& ui = ui::current();
  if (rowCount == 0) {
    ui.messageBox(kNemaPodatakaZaStampu, ui::MessageKind::Information, ui::MessageButtons::Ok);
    return std::nullopt;
  }
  auto wait = ui.showWait(kPripremaZaStampu);
  setUpPortraitA4(printer, title, style);
  printer.BeginDoc();
  return wait;
}

}  // namespace kavrina::reports
