// PDF output through QPdfWriter, with the same replay as the preview and the printer.
#include "reports/qt/pdf_writer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "common/aside_file.h"
#include "reports/qt/page_painter.h"

namespace kavrina::reports {

namespace {

// Device resolution of the PDF; coordinates are written as decimals, so it only sets the
// precision of positions.
constexpr int kPdfResolution = 1200;

// Replays the pages into a PDF at `path`; false when it cannot be written.
bool paintPdf(const PageDocument& doc, const std::filesystem::path& path) {
  QPdfWriter writer(QString::fromStdString(path.string()));
  writer.setTitle(QString::fromStdString(doc.title));
  writer.setCreator(QStringLiteral("Kavrina"));
  writer.setResolution(kPdfResolution);
  const QPageLayout layout(QPageSize(QPageSize::A4),
                           doc.orientation == ui::Orientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
  writer.setPageLayout(layout);

  QPainter painter;
  if (!painter.begin(&writer)) return false;
  const QRectF target = layout.fullRectPixels(kPdfResolution);
  bool first = true;
  for (const Page& page : doc.pages()) {
    if (!first) writer.newPage();
    first = false;
    paintPage(painter, doc, page, QRectF(QPointF(0, 0), target.size()));
  }
  return painter.end();
}

}  // namespace

std::optional<std::string> writePdf(const PageDocument& doc, const std::filesystem::path& path) {
  // Written beside the chosen name and renamed when whole: an earlier PDF of that name
  // stays as it was until then, and a failure leaves nothing half-written.
  const std::string refused = "Fajl " + path.string() + " nije dostupan za pisanje.";
  AsideFile aside;  // removed again unless it is published
  if (aside.create(path) != 0) return refused;
  if (!paintPdf(doc, aside.path()) || aside.publish(true) != 0) return refused;
  return std::nullopt;
}

}  // namespace kavrina::reports
