// "Spisak Firmi": 50 companies a page, slots 4 mm higher than in the other lists, no totals.
#include "reports/company_list.h"

#include "reports/page_frame.h"
#include "reports/report_dialogs.h"
#include "ui/current_ui.h"

namespace kavrina::reports {

namespace {

using ui::TextAlign;

struct Column {
  double left;
  double right;
};
constexpr Column kSifra{10, 20};
constexpr Column kNaziv{20, 120};
constexpr Column kMesto{120, 200};

void drawColumnHeading(ui::Printer& printer) {
  printer.DrawBox({8, 21, 202, 26});
  printer.DrawText("Sifra", {kSifra.left, 22, kSifra.right, 26}, TextAlign::Left);
  printer.DrawText("Naziv", {kNaziv.left, 22, kNaziv.right, 26}, TextAlign::Left);
  printer.DrawText("Mesto", {kMesto.left, 22, kMesto.right, 26}, TextAlign::Left);
}

}  // namespace

ListPrintResult StampaSpiskaFirmi(const store::Program& program, ui::Printer& printer, Date today) {
  const auto& rows = program.AFIRME;
  const ReportStyle style = reportStyleOf(program);
  auto wait = beginListReport(printer, rows.size(), "SpisakFirmi", style);
  if (!wait) return {};

  FrameHeading heading;
  heading.title = "Spisak Firmi";
  heading.second = "na dan : " + today.toText();

  int slot = 99;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (slot > kSlotsPerPage) {
      printer.NewPage();
      drawPageFrame(printer, style, heading);
      drawColumnHeading(printer);
      slot = 1;
    }
    const auto& row = rows[i];
    for (std::size_t c = 0; c < 3; ++c) {
      const Column column = c == 0 ? kSifra : c == 1 ? kNaziv : kMesto;
      printer.DrawText(listCell(row, c + 1),
                       slotRect(slot, column.left, column.right, kCompanySlotBase),
                       TextAlign::Left);
    }
    ++slot;
    if ((i + 1) % kRowsPerEventPass == 0) ui::current().processEvents();
  }
  const double end = slotTop(slot, kCompanySlotBase);
  printer.DrawLine(10, end, 200, end);
  printer.EndDoc();
  printer.Preview();
  wait.reset();
  return {true, 0};
}

}  // namespace kavrina::reports
