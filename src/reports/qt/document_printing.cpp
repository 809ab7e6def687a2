// Printing through Qt PrintSupport with the same replay as the preview and PDF.
#include "reports/qt/document_printing.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>
#include <algorithm>

#include "reports/qt/page_painter.h"

namespace kavrina::reports {

void prepareJob(QPrinter& printer, const PageDocument& doc) {
  printer.setDocName(QString::fromStdString(doc.title));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(doc.orientation == ui::Orientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
  printer.setFullPage(false);
  printer.setPrintRange(QPrinter::AllPages);
  printer.setFromTo(1, std::max(1, doc.pageCount()));
}

std::vector<int> jobPages(const QPrinter& printer, int pageCount) {
  int first = 1;
  int last = pageCount;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = std::max(1, printer.fromPage());
    last = std::min(pageCount, printer.toPage() > 0 ? printer.toPage() : pageCount);
  }
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  std::vector<int> pages;
  if (printer.collateCopies()) {
    for (int c = 0; c < copies; ++c) {
      for (int p = first; p <= last; ++p) pages.push_back(p);
    }
  } else {
    for (int p = first; p <= last; ++p) {
      for (int c = 0; c < copies; ++c) pages.push_back(p);
    }
  }
  return pages;
}

std::optional<std::string> printDocument(const PageDocument& doc, QPrinter& printer) {
  const std::vector<int> pages = jobPages(printer, doc.pageCount());
  QPainter painter;
  if (!painter.begin(&printer)) {
    const QString name = printer.printerName();
    if (name.isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
      return "No printers are installed.";
    }
    return "The printer \"" + name.toStdString() + "\" cannot be opened.";
  }
  // The painter's origin is the printable area's corner; the page is scaled into that area.
  const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale = std::min(area.width() / doc.widthMm(), area.height() / doc.heightMm());
  const QRectF target(0, 0, doc.widthMm() * scale, doc.heightMm() * scale);
  bool first = true;
  for (int p : pages) {
    if (!first) printer.newPage();
    first = false;
    paintPage(painter, doc, doc.pages()[p - 1], target);
  }
  painter.end();
  return std::nullopt;
}

}  // namespace kavrina::reports
