// PDF output through QPdfWriter, with the same replay as the preview and the printer. The
// engine writes into a device of ours that hands the bytes to the output file's own
// descriptor: no name is ever opened a second time.
#include "reports/qt/pdf_writer.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>

#include "common/output_file.h"
#include "common/output_target.h"
#include "reports/qt/page_painter.h"

namespace kavrina::reports {

namespace {

// Device resolution of the PDF; coordinates are written as decimals, so it only sets the
// precision of positions.
constexpr int kPdfResolution = 1200;

// A write-only, sequential device over an output file.
class OutputDevice : public QIODevice {
 public:
  explicit OutputDevice(output::OutputFile& file) : file_(file) {}
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    return file_.append({data, static_cast<std::size_t>(length)}) ? length : -1;
  }

 private:
  output::OutputFile& file_;
};

// Replays the pages into a PDF on `device`; false when the painter cannot work on it.
bool paintPdf(const PageDocument& doc, QIODevice& device) {
  QPdfWriter writer(&device);
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

std::optional<std::string> writePdf(const PageDocument& doc, const std::filesystem::path& path,
                                    const PdfPlace& place, std::string* warning) {
  if (warning) warning->clear();
  output::OutputFile file;  // its aside file goes again unless it takes the name
  if (auto refused = file.open(path, place.programFolder, place.replace)) return refused;
  {
    OutputDevice device(file);
    device.open(QIODevice::WriteOnly);
    if (!paintPdf(doc, device))
      return output::writeErrorText(file.lastError() != 0 ? file.lastError() : EACCES, path);
  }
  return output::errorOrWarning(file.finish(), warning);
}

}  // namespace kavrina::reports
