// Simple, clear tool-button images: a printer, paging arrows, three page sizes, "PDF", "XLS".
#include "reports/qt/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kavrina::reports {

namespace {

constexpr int kSize = 32;
const QColor kInk(40, 60, 110);

// A triangle pointing left (dir -1) or right (dir 1) with its tip at x.
void arrow(QPainter& p, double x, int dir) {
  QPolygonF tri;
  tri << QPointF(x, 16) << QPointF(x - dir * 10, 8) << QPointF(x - dir * 10, 24);
  p.drawPolygon(tri);
}

void page(QPainter& p, const QRectF& r) {
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setBrush(kInk);
  for (double y = r.top() + r.height() * 0.25; y < r.bottom() - 2; y += r.height() * 0.2) {
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  }
}

}  // namespace

QIcon toolbarIcon(std::string_view name) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kInk);
  if (name == "TB_STAMPAJ") {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 160, 180));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
  } else if (name == "TB_PRVASTRANA") {
    p.drawRect(QRectF(6, 8, 3, 16));
    arrow(p, 10, -1);
    arrow(p, 18, -1);
  } else if (name == "TB_PRETHODNASTRANA") {
    arrow(p, 11, -1);
  } else if (name == "TB_SLEDECASTRANA") {
    arrow(p, 21, 1);
  } else if (name == "TB_POSLEDNJASTRANA") {
    arrow(p, 14, 1);
    arrow(p, 22, 1);
    p.drawRect(QRectF(23, 8, 3, 16));
  } else if (name == "TB_UMANJENASTRANA") {
    page(p, QRectF(11, 9, 10, 14));
  } else if (name == "TB_STANDARDNASTRANA") {
    page(p, QRectF(8, 5, 16, 22));
  } else if (name == "TB_UVECANASTRANA") {
    page(p, QRectF(3, 1, 26, 30));
  } else if (name == "TB_PDF" || name == "TB_EXCEL") {
    const bool pdf = name == "TB_PDF";
    p.setBrush(pdf ? QColor(200, 40, 40) : QColor(30, 120, 60));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 7, 28, 18), 3, 3);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(2, 7, 28, 18), Qt::AlignCenter,
               pdf ? QStringLiteral("PDF") : QStringLiteral("XLS"));
  } else {
    return {};
  }
  p.end();
  return QIcon(pixmap);
}

}  // namespace kavrina::reports
