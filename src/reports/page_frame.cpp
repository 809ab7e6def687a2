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

void drawPageFrame(ui::Printer& printer, const ReportStyle& style, const FrameHeading& heading) {
  using ui::TextAlign;
  printer.DrawLine(8, 285, 202, 285);

  ui::PrinterFont& font = printer.font();
  font.size = kFooterFontSize;
  const ui::RectMm footer{8, 286, 202, 291};
  printer.DrawText("Software: Kavrina " + style.version + " by Velmar", footer, TextAlign::Left);
  printer.DrawText(footerPageText(printer.PageNumber()), footer, TextAlign::Center);
  printer.DrawText(style.webAddress, footer, TextAlign::Right);

  font.size = kTitleFontSize;
  font.bold = true;
  const ui::RectMm titleLine{8, 8, 202, 15};
  printer.DrawText(heading.title, titleLine, TextAlign::Left);
  printer.DrawText(heading.titleRight, titleLine, TextAlign::Right);

  font.size = kSecondLineFontSize;
  const ui::RectMm secondLine{8, 15, 202, 20};
  printer.DrawText(heading.second, secondLine, TextAlign::Left);
  printer.DrawText(heading.secondRight, secondLine, TextAlign::Right);

  font.bold = false;
  font.size = style.fontSize;
}

void drawCaption(ui::Printer& printer, std::string_view text, double left, double right, double top,
                 ui::TextAlign align) {
  printer.DrawText(text, {left, top, right, top + 4}, align);
}

void drawNumberedListHeading(ui::Printer& printer) {
  using ui::TextAlign;
  printer.DrawBox({8, 21, 202, 30});
  drawCaption(printer, "Redni", 10, 20, 22, TextAlign::Left);
  drawCaption(printer, "broj", 10, 20, 26, TextAlign::Left);
  drawCaption(printer, "Inventarski", 20, 40, 22, TextAlign::Left);
  drawCaption(printer, "broj", 20, 40, 26, TextAlign::Left);
  drawCaption(printer, "Naziv osnovnog sredstva", 40, 90, 24, TextAlign::Left);
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
