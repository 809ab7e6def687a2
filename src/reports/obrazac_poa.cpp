// Form POA: the shared page frame with a third heading line, a table of three lines (Rb,
// Opis, Iznos) in 10 mm slots, a closing rule and the signatures.
#include "reports/obrazac_poa.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "common/number_picture.h"
#include "reports/evidencija_2019.h"
#include "reports/list_engine.h"
#include "reports/page_frame.h"

namespace kavrina::reports {
namespace {

using ui::TextAlign;

constexpr int kLinesPerPage = 33;

constexpr std::string_view kSecondLine =
    "Podaci o obracunatoj amortizaciji stalnih sredstava stecenih pocev od 01.01.2019. godine";

struct FormLine {
  std::string rb;
  std::string opis;
  std::int64_t thousandths;
};

void drawSignatures(ui::Printer& printer, double top) {
  drawSignature(printer, "Sastavio", 20, 70, top);
  drawSignature(printer, "Odgovorno lice", 140, 190, top);
}

}  // namespace

ListReport poaReport(const store::Program& program, const depreciation::PamRam& list,
                     std::string_view year, std::string_view months) {
  // Line 2, the difference of the unwritten-off values, is always 0.
  constexpr std::int64_t kDifference = 0;
  std::int64_t recognised = 0;
  for (const depreciation::PamRamRow& r : list.rows)
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
  ListReport report;
  report.style = reportStyleOf(program);
  FrameHeading& heading = report.heading.frame;
  heading.title = annual ? "Obrazac POA" : "Obrazac POA (Periodicni)";
  heading.titleRight = program.CKORISNIKNAZIV;
  heading.second = kSecondLine;
  heading.secondRight = program.CKORISNIKMESTO;
  const std::string y(year);
  report.heading.thirdLine = annual ? "za period od 01.01." + y + " do 31.12." + y
                                    : "Godina: " + y + "  //  Meseci: " + std::string(months);
  report.columns = {{"Rb", 10, 15, TextAlign::Left, ValueKind::Text},
                    {"Opis", 15, 180, TextAlign::Left, ValueKind::Text},
                    {"Iznos", 180, 200, TextAlign::Right, ValueKind::Amount, 2}};
  report.heading.box = {8, 25, 202, 31};
  for (const ListColumn& column : report.columns)
    report.heading.captions.push_back({column.title, column.left, column.right, 26, column.align});
  report.rowSlots = {.base = 27, .rowHeight = 10, .perPage = kLinesPerPage};
  report.rowCount = lines.size();
  report.row = [lines](std::size_t i, std::size_t, std::vector<ListCell>& cells) {
    const double amount = static_cast<double>(lines[i].thousandths) / 1000.0;
    cells[0].text = lines[i].rb;
    cells[1].text = lines[i].opis;
    cells[2].text = formatAmountGrowing(amount);
    cells[2].number = amount;
    return true;
  };
  report.totals.left = 8;
  report.totals.right = 202;
  report.closing.draw = drawSignatures;
  report.rowsKept = true;  // its three lines, by value
  return report;
}

bool OBRAZACPOA(store::Program& program, ui::Printer& printer, std::string_view year,
                std::string_view months) {
  return printPamRamReport(
      program, printer, year, months, kObrazacPoaTitle, ui::Orientation::Portrait,
      [&](const depreciation::PamRam& list) { return poaReport(program, list, year, months); });
}

}  // namespace kavrina::reports
