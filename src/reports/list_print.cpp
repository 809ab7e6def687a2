// Printing a list report whole.
#include "reports/list_print.h"

namespace kavrina::reports {

ListPrintResult printListReport(ui::Printer& printer, const ListReport& report,
                                std::string_view title, std::size_t rowCount) {
  auto wait = beginListReport(printer, rowCount, title, report.style);
  if (!wait) return {};
  drawListReport(printer, report);
  printer.EndDoc();
  wait->reset();
  printer.Preview();
  return {true, 0};
}

}  // namespace kavrina::reports
