// The replay of recorded pages onto a QPainter.
#include "reports/qt/page_painter.h"

#include <QFont>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kavrina::reports {

namespace {

// Width of lines and box outlines: 0.2 mm.
constexpr double kLineWidthUnits = 2;

QFont toQFont(const ui::PrinterFont& font) {
  QFont qfont(QString::fromStdString(font.name));
  qfont.setPixelSize(fontPixelSize(font.size));
  qfont.setBold(font.bold);
  // Layout in page units, independent of the device's resolution.
  qfont.setHintingPreference(QFont::PreferNoHinting);
  return qfont;
}

QColor toQColor(std::uint32_t rgb) {
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int qtAlignment(ui::TextAlign align) {
  const int horizontal = align == ui::TextAlign::Left    ? Qt::AlignLeft
                         : align == ui::TextAlign::Right ? Qt::AlignRight
                                                         : Qt::AlignHCenter;
  return horizontal | Qt::AlignTop | Qt::TextSingleLine;
}

QRectF unitsRect(const PageOp& op) {
  return QRectF(QPointF(op.x1 * kUnitsPerMm, op.y1 * kUnitsPerMm),
                QPointF(op.x2 * kUnitsPerMm, op.y2 * kUnitsPerMm));
}

}  // namespace

int fontPixelSize(double points) {
  return std::max(1, static_cast<int>(std::lround(points * 254.0 / 72.0)));
}

void paintPage(QPainter& painter, const PageDocument& doc, const Page& page,
               const QRectF& target) {
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / (doc.widthMm() * kUnitsPerMm),
                target.height() / (doc.heightMm() * kUnitsPerMm));
  painter.setBrush(Qt::NoBrush);
  QPen linePen(Qt::black);
  linePen.setWidthF(kLineWidthUnits);

  std::vector<QFont> fonts;
  fonts.reserve(doc.fonts().size());
  for (const auto& font : doc.fonts()) fonts.push_back(toQFont(font));

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
        const std::string_view text = page.text(op);
        painter.drawText(unitsRect(op), qtAlignment(op.align()),
                         QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
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
    }
  }
  painter.restore();
}

}  // namespace kavrina::reports
