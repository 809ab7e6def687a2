// The replay of recorded pages onto a QPainter.
#include "reports/qt/page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kavrina::reports {

namespace {

// Width of lines and box outlines: 0.2 mm.
constexpr double kLineWidthUnits = 2;
// Paper kept free at the left of a right-aligned text (an amount), so that it never runs
// into the amount of the column before: 0.8 mm, and at least two pixels of the device.
constexpr double kRightAlignedGapUnits = 8;
constexpr double kRightAlignedGapPixels = 2;

QFont toQFont(const ui::PrinterFont& font) {
  QFont qfont(QString::fromStdString(font.name));
  qfont.setPixelSize(fontPixelSize(font.size));
  qfont.setBold(font.bold);
  // Layout in page units, independent of the device's resolution.
  qfont.setHintingPreference(QFont::PreferNoHinting);
  // Plain letters: no ligature glyphs, which a PDF reader would not find when searching for
  // "fi", "fl" or "ff" (Latin text needs no shaping to be legible).
  qfont.setStyleStrategy(QFont::PreferNoShaping);
  return qfont;
}

QColor toQColor(std::uint32_t rgb) {
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QRectF unitsRect(const PageOp& op) {
  return QRectF(QPointF(op.x1 * kUnitsPerMm, op.y1 * kUnitsPerMm),
                QPointF(op.x2 * kUnitsPerMm, op.y2 * kUnitsPerMm));
}

}  // namespace

int fontPixelSize(double points) {
  return std::max(1, static_cast<int>(std::lround(points * 254.0 / 72.0)));
}

void paintPage(QPainter& painter, const PageDocument& doc, const Page& page, const QRectF& target) {
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / (doc.widthMm() * kUnitsPerMm),
                target.height() / (doc.heightMm() * kUnitsPerMm));
  const double pixelsPerUnit = std::abs(painter.deviceTransform().m11());
  const double rightGap = std::max(
      kRightAlignedGapUnits, pixelsPerUnit > 0 ? kRightAlignedGapPixels / pixelsPerUnit : 0.0);
  painter.setBrush(Qt::NoBrush);
  QPen linePen(Qt::black);
  linePen.setWidthF(kLineWidthUnits);

  std::vector<QFont> fonts;
  std::vector<QFontMetricsF> metrics;
  fonts.reserve(doc.fonts().size());
  metrics.reserve(doc.fonts().size());
  for (const auto& font : doc.fonts()) {
    fonts.push_back(toQFont(font));
    metrics.emplace_back(fonts.back());
  }

  int currentFont = -1;
  bool linePenSet = false;
  for (const PageOp& op : page.ops()) {
    switch (op.kind) {
      case OpKind::Text: {
        if (op.font != currentFont) {
          currentFont = op.font;
          painter.setFont(fonts[op.font]);
          painter.setPen(toQColor(doc.fonts()[op.font].color));
          linePenSet = false;
        } else if (linePenSet) {
          painter.setPen(toQColor(doc.fonts()[op.font].color));
          linePenSet = false;
        }
        std::string_view bytes = page.text(op);
        // Blanks on the open side of a line draw nothing and do not move what is drawn
        // (the amounts of the lists come padded with leading blanks); leaving them out
        // keeps such texts from needing a clip.
        if (op.align() == ui::TextAlign::Right) {
          bytes.remove_prefix(std::min(bytes.find_first_not_of(' '), bytes.size()));
        } else if (op.align() == ui::TextAlign::Left) {
          const auto last = bytes.find_last_not_of(' ');
          bytes = last == std::string_view::npos ? std::string_view() : bytes.substr(0, last + 1);
        }
        if (bytes.empty()) break;
        const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        // One line placed by hand: the rectangle's top is the line's top, the baseline one
        // ascent below it. Cheaper than laying the text out in a rectangle, which matters
        // for a document of a million texts.
        const QRectF rect = unitsRect(op);
        const QFontMetricsF& fm = metrics[op.font];
        const double advance = fm.horizontalAdvance(text);
        double x = rect.left();
        if (op.align() == ui::TextAlign::Right) {
          x = rect.right() - advance;
        } else if (op.align() == ui::TextAlign::Center) {
          x = rect.left() + (rect.width() - advance) / 2;
        }
        const QPointF baseline(x, rect.top() + fm.ascent());
        // A right-aligned text wider than its rectangle less the gap is narrowed to fit
        // rather than cut: an amount keeps all its digits and its distance from the one
        // before it.
        const double room = rect.width() - rightGap;
        const bool narrow = op.align() == ui::TextAlign::Right && advance > room && room > 0;
        const bool clip = (!narrow && advance > rect.width()) || fm.height() > rect.height();
        if (clip) {
          painter.save();
          painter.setClipRect(rect, Qt::IntersectClip);
        }
        if (narrow) {
          painter.save();
          painter.translate(rect.right(), baseline.y());
          painter.scale(room / advance, 1);
          painter.drawText(QPointF(-advance, 0), text);
          painter.restore();
        } else {
          painter.drawText(baseline, text);
        }
        if (clip) painter.restore();
        break;
      }
      case OpKind::Line:
      case OpKind::Box:
        if (!linePenSet) {
          painter.setPen(linePen);
          linePenSet = true;
        }
        if (op.kind == OpKind::Line) {
          painter.drawLine(QPointF(op.x1 * kUnitsPerMm, op.y1 * kUnitsPerMm),
                           QPointF(op.x2 * kUnitsPerMm, op.y2 * kUnitsPerMm));
        } else {
          painter.drawRect(unitsRect(op));
        }
        break;
      case OpKind::Fill:
        // A path, not a pixel fill: the PDF keeps the bars as vectors.
        painter.fillRect(unitsRect(op), Qt::black);
        break;
    }
  }
  painter.restore();
}

}  // namespace kavrina::reports
