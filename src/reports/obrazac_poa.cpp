// Form POA: the shared page frame with a third heading line, a table of three lines (Rb,
// Opis, Iznos), a closing rule and the signatures.
#include "reports/obrazac_poa.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "common/number_picture.h"
#include "reports/evidencija_2019.h"
#include "reports/page_frame.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

struct Column {
  std::string_view caption;
  double left;
  double right;
  TextAlign align;
};
constexpr Column kRb{"Rb", 10, 15, TextAlign::Left};
constexpr Column kOpis{"Opis", 15, 180, TextAlign::Left};
constexpr Column kIznos{"Iznos", 180, 200, TextAlign::Right};
constexpr std::array<Column, 3> kColumns{kRb, kOpis, kIznos};

constexpr int kLinesPerPage = 33;
constexpr double lineTop(int c) {
  return 27 + 5.0 * c;
}

constexpr std::string_view kSecondLine =
    "Podaci o obracunatoj amortizaciji stalnih sredstava stecenih pocev od 01.01.2019. godine";

struct FormLine {
  std::string rb;
  std::string opis;
  std::int64_t thousandths;
};

void drawHeading(ui::Printer& printer, const ReportStyle& style, const FrameHeading& heading,
                 const std::string& period) {
  drawPageFrame(printer, style, heading);
  ui::PrinterFont& font = printer.font();
  font.size = kSecondLineFontSize;
  font.bold = true;
  printer.DrawText(period, {8, 19, 202, 24}, TextAlign::Left);
  font.bold = false;
  font.size = style.fontSize;
  printer.DrawBox({8, 25, 202, 31});
  for (const Column& column : kColumns)
    printer.DrawText(column.caption, {column.left, 26, column.right, 30}, column.align);
}

void signature(ui::Printer& printer, std::string_view caption, double left, double right, int c) {
  printer.DrawText(caption, {left, 35 + 5.0 * c, right, 40 + 5.0 * c}, TextAlign::Center);
  printer.DrawLine(left, 42 + 5.0 * c, right, 42 + 5.0 * c);
}

}  // namespace

bool OBRAZACPOA(store::Program& program, ui::Printer& printer, std::string_view year,
                std::string_view months) {
  auto loaded = beginPamRamPrint(program, year, months);
  if (!loaded) return false;

  // Line 2, the difference of the unwritten-off values, is always 0.
  constexpr std::int64_t kDifference = 0;
  std::int64_t recognised = 0;
  for (const depreciation::PamRamRow& r : loaded->list.rows)
    recognised += std::min(depreciation::thousandths(r.RAm), depreciation::thousandths(r.PAm));
  const std::array<FormLine, 3> lines{{
      {"1.", "Iznos amortizacije koji se priznaje kao rashod u poreskom periodu", recognised},
      {"2.",
       "Iznos razlike izmedju neotpisane poreske i neotpisane racunovodstvene vrednosti "
       "stalnih sredstava u skladu sa cl.3. st.7. Pravilnika",
       kDifference},
      {"3.", "Ukupan iznos amortizacije koji se priznaje kao rashod u poreskom periodu (1+2)",
       recognised + kDifference},
  }};

  const bool annual = months == "12";
  const ReportStyle style = reportStyleOf(program);
  FrameHeading heading;
  heading.title = annual ? "Obrazac POA" : "Obrazac POA (Periodicni)";
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = kSecondLine;
  heading.secondRight = program.CKORISNIKMESTO;
  const std::string y(year);
  const std::string period = annual ? "za period od 01.01." + y + " do 31.12." + y
                                    : "Godina: " + y + "  //  Meseci: " + std::string(months);

  setUpPortraitA4(printer, kObrazacPoaTitle, style);
  printer.BeginDoc();
  int c = 99;
  for (const FormLine& line : lines) {
    if (c > kLinesPerPage) {
      printer.NewPage();
      drawHeading(printer, style, heading, period);
      c = 1;
    }
    const double top = lineTop(c);
    const double bottom = top + 10;
    printer.DrawText(line.rb, {kRb.left, top, kRb.right, bottom}, kRb.align);
    printer.DrawText(line.opis, {kOpis.left, top, kOpis.right, bottom}, kOpis.align);
    printer.DrawText(formatAmountGrowing(static_cast<double>(line.thousandths) / 1000.0),
                     {kIznos.left, top, kIznos.right, bottom}, kIznos.align);
    ++c;
  }
  printer.DrawLine(8, lineTop(c), 202, lineTop(c));
  signature(printer, "Sastavio", 20, 70, c);
  signature(printer, "Odgovorno lice", 140, 190, c);
  printer.EndDoc();
  loaded->wait.reset();
  printer.Preview();
  return true;
}

}  // namespace kavrina::reports
