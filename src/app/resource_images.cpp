#include "app/resource_images.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>
#include <map>
#include <string>

namespace kavrina::app {

namespace {

// Every picture is drawn on a 32 by 32 canvas and scaled by the painter.
using Draw = std::function<void(QPainter&)>;

const QColor kBlue(30, 110, 190);
const QColor kDark(50, 60, 70);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kSky(63, 208, 252);

QPen pen(const QColor& c, double width) {
  return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void magnifier(QPainter& p, const QColor& glass) {
  p.setPen(pen(kDark, 3));
  p.setBrush(glass);
  p.drawEllipse(QPointF(13, 13), 8, 8);
  p.setPen(pen(kDark, 5));
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
}

void page(QPainter& p) {
  p.setPen(pen(kDark, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(7, 3, 18, 26));
  p.setPen(pen(QColor(150, 150, 150), 1.5));
  for (int y = 9; y <= 23; y += 4) p.drawLine(QPointF(10, y), QPointF(22, y));
}

void printer(QPainter& p) {
  p.setPen(pen(kDark, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(120, 130, 140));
  p.drawRoundedRect(QRectF(3, 11, 26, 12), 3, 3);
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 19, 14, 10));
  p.setPen(pen(kGreen, 2));
  p.drawPoint(QPointF(25, 15));
}

void triangle(QPainter& p, double x, bool right) {
  QPolygonF t;
  if (right)
    t << QPointF(x, 8) << QPointF(x + 12, 16) << QPointF(x, 24);
  else
    t << QPointF(x + 12, 8) << QPointF(x, 16) << QPointF(x + 12, 24);
  p.setPen(pen(kBlue.darker(130), 1.5));
  p.setBrush(kBlue);
  p.drawPolygon(t);
}

void bar(QPainter& p, double x) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue.darker(130));
  p.drawRect(QRectF(x, 8, 3, 16));
}

const std::map<std::string, Draw, std::less<>>& drawings() {
  static const std::map<std::string, Draw, std::less<>> kDrawings{
      // Tool bar of the main window.
      {"PROMENAFIRME",
       [](QPainter& p) {  // a building
         p.setPen(pen(kDark, 1.5));
         p.setBrush(QColor(220, 200, 160));
         p.drawRect(QRectF(5, 8, 22, 21));
         p.setBrush(kRed);
         p.drawPolygon(QPolygonF() << QPointF(3, 9) << QPointF(16, 2) << QPointF(29, 9));
         p.setBrush(kSky);
         for (int x : {8, 14, 20})
           for (int y : {12, 18}) p.drawRect(QRectF(x, y, 4, 4));
         p.setBrush(kDark);
         p.drawRect(QRectF(14, 23, 4, 6));
       }},
      {"OSNOVNASREDSTVA",
       [](QPainter& p) {  // a box with a tag
         p.setPen(pen(kDark, 1.5));
         p.setBrush(QColor(205, 160, 100));
         p.drawPolygon(QPolygonF() << QPointF(4, 10) << QPointF(16, 5) << QPointF(28, 10)
                                   << QPointF(28, 25) << QPointF(16, 30) << QPointF(4, 25));
         p.drawLine(QPointF(4, 10), QPointF(16, 15));
         p.drawLine(QPointF(28, 10), QPointF(16, 15));
         p.drawLine(QPointF(16, 15), QPointF(16, 30));
         p.setBrush(kPaper);
         p.drawRect(QRectF(7, 16, 6, 5));
       }},
      {"OBRACUNI",
       [](QPainter& p) {  // a calculator
         p.setPen(pen(kDark, 1.5));
         p.setBrush(QColor(90, 100, 110));
         p.drawRoundedRect(QRectF(6, 2, 20, 28), 3, 3);
         p.setBrush(QColor(190, 230, 190));
         p.drawRect(QRectF(9, 5, 14, 6));
         p.setBrush(kPaper);
         for (int x : {9, 15, 21})
           for (int y : {14, 19, 24}) p.drawRect(QRectF(x, y, 3, 3));
       }},
      {"PODESI",
       [](QPainter& p) {  // a gear
         p.setPen(pen(kDark, 1.5));
         p.setBrush(QColor(150, 160, 170));
         QPainterPath gear;
         for (int i = 0; i < 8; ++i) {
           p.save();
           p.translate(16, 16);
           p.rotate(i * 45);
           p.drawRect(QRectF(-3, -14, 6, 6));
           p.restore();
         }
         p.drawEllipse(QPointF(16, 16), 10, 10);
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(16, 16), 4, 4);
       }},
      {"INFO",
       [](QPainter& p) {  // "i" in a circle
         p.setPen(pen(kBlue.darker(130), 1.5));
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(16, 16), 13, 13);
         p.setPen(pen(Qt::white, 4));
         p.drawPoint(QPointF(16, 9));
         p.drawLine(QPointF(16, 14), QPointF(16, 24));
       }},
      // Images of the command tree.
      {"ACTION",
       [](QPainter& p) {
         p.setPen(pen(kGreen.darker(130), 1.5));
         p.setBrush(kGreen);
         p.drawPolygon(QPolygonF() << QPointF(8, 5) << QPointF(27, 16) << QPointF(8, 27));
       }},
      {"TRAZI", [](QPainter& p) { magnifier(p, QColor(200, 235, 250)); }},
      {"DODAJ",
       [](QPainter& p) {
         p.setPen(pen(kGreen, 7));
         p.drawLine(QPointF(16, 5), QPointF(16, 27));
         p.drawLine(QPointF(5, 16), QPointF(27, 16));
       }},
      {"IZMENI",
       [](QPainter& p) {  // a pencil
         p.setPen(pen(kDark, 1.5));
         p.setBrush(QColor(240, 190, 60));
         p.drawPolygon(QPolygonF() << QPointF(21, 4) << QPointF(28, 11) << QPointF(11, 28)
                                   << QPointF(4, 28) << QPointF(4, 21));
         p.drawLine(QPointF(4, 21), QPointF(11, 28));
       }},
      {"BRISI",
       [](QPainter& p) {
         p.setPen(pen(kRed, 6));
         p.drawLine(QPointF(7, 7), QPointF(25, 25));
         p.drawLine(QPointF(25, 7), QPointF(7, 25));
       }},
      {"STAMPAJ", printer},
      {"OSVEZI",
       [](QPainter& p) {  // a circular arrow
         p.setPen(pen(kGreen, 4));
         p.setBrush(Qt::NoBrush);
         p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
         p.setPen(pen(kGreen, 1));
         p.setBrush(kGreen);
         p.drawPolygon(QPolygonF() << QPointF(19, 2) << QPointF(27, 8) << QPointF(18, 12));
       }},
      // Tool bar of the print preview.
      {"TB_STAMPAJ", printer},
      {"TB_PRVASTRANA",
       [](QPainter& p) {
         bar(p, 6);
         triangle(p, 11, false);
       }},
      {"TB_PRETHODNASTRANA", [](QPainter& p) { triangle(p, 10, false); }},
      {"TB_SLEDECASTRANA", [](QPainter& p) { triangle(p, 10, true); }},
      {"TB_POSLEDNJASTRANA",
       [](QPainter& p) {
         triangle(p, 9, true);
         bar(p, 23);
       }},
      {"TB_UMANJENASTRANA",
       [](QPainter& p) {
         magnifier(p, kPaper);
         p.setPen(pen(kDark, 2.5));
         p.drawLine(QPointF(9, 13), QPointF(17, 13));
       }},
      {"TB_STANDARDNASTRANA", page},
      {"TB_UVECANASTRANA",
       [](QPainter& p) {
         magnifier(p, kPaper);
         p.setPen(pen(kDark, 2.5));
         p.drawLine(QPointF(9, 13), QPointF(17, 13));
         p.drawLine(QPointF(13, 9), QPointF(13, 17));
       }},
      // The program's icon: a sky-blue page with a rising line.
      {"KAVRINAICO",
       [](QPainter& p) {
         p.setPen(pen(kBlue.darker(140), 1.5));
         p.setBrush(kSky);
         p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
         p.setPen(pen(Qt::white, 3));
         p.drawPolyline(QPolygonF()
                        << QPointF(7, 24) << QPointF(13, 16) << QPointF(18, 19) << QPointF(25, 8));
       }},
  };
  return kDrawings;
}

QPixmap logo() {
  QPixmap pixmap(290, 56);
  pixmap.fill(kSky);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawEllipse(QPointF(250, 28), 60, 40);
  QFont font("Arial");
  font.setPixelSize(34);
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 280, 56), Qt::AlignRight | Qt::AlignVCenter, "VELMAR");
  return pixmap;
}

}  // namespace

QPixmap resourceImage(std::string_view name, int size) {
  if (name == "VELMAR") return logo();
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  const auto& all = drawings();
  if (auto it = all.find(name); it != all.end())
    it->second(p);
  else
    p.fillRect(QRectF(4, 4, 24, 24), QColor(160, 160, 160));
  return pixmap;
}

QIcon resourceIcon(std::string_view name) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(resourceImage(name, size));
  return icon;
}

}  // namespace kavrina::app
