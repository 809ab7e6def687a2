// The replay onto a QPainter: texts placed by alignment and clipped to their rectangles.
#include "reports/qt/page_painter.h"

#include <gtest/gtest.h>

#include <QImage>

#include "reports/qt_fixture.h"

namespace kavrina::reports {
namespace {

class PagePainter : public test::QtReports {
 protected:
  // One page with `text` in `rect`, painted at 4 pixels per millimetre.
  QImage paint(const std::string& text, ui::RectMm rect, ui::TextAlign align) {
    PageDocument doc;
    doc.pages().emplace_back();
    ui::PrinterFont font;
    font.size = 14;
    doc.pages()[0].addText(text, rect, align, doc.fontIndex(font));
    QImage image(210 * 4, 297 * 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, doc, doc.pages()[0], QRectF(0, 0, image.width(), image.height()));
    return image;
  }

  // Leftmost and rightmost inked column, in millimetres.
  static std::pair<double, double> inkSpan(const QImage& image) {
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 160) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    return {left / 4.0, (right + 1) / 4.0};
  }
};

TEST_F(PagePainter, AlignsWithinTheRectangle) {
  const ui::RectMm rect{50, 20, 150, 30};
  const auto [l1, r1] = inkSpan(paint("Spisak", rect, ui::TextAlign::Left));
  EXPECT_NEAR(l1, 50, 1);
  const auto [l2, r2] = inkSpan(paint("Spisak", rect, ui::TextAlign::Right));
  EXPECT_NEAR(r2, 150, 1);
  const auto [l3, r3] = inkSpan(paint("Spisak", rect, ui::TextAlign::Center));
  EXPECT_NEAR((l3 + r3) / 2, 100, 1);
  EXPECT_NEAR(r1 - l1, r2 - l2, 0.5);  // the same word, the same width
}

TEST_F(PagePainter, ClipsTextToItsRectangle) {
  const auto [left, right] =
      inkSpan(paint("Spisak Osnovnih sredstava", {50, 20, 70, 30}, ui::TextAlign::Left));
  EXPECT_NEAR(left, 50, 1);
  EXPECT_LE(right, 70);
  EXPECT_GT(right, 65);  // the rectangle is filled, not left empty
}

TEST_F(PagePainter, PaddingOnTheOpenSideDoesNotMoveOrClipTheText) {
  const ui::RectMm narrow{100, 20, 120, 30};
  const auto [l1, r1] = inkSpan(paint("         1,051.00", narrow, ui::TextAlign::Right));
  const auto [l2, r2] = inkSpan(paint("1,051.00", narrow, ui::TextAlign::Right));
  EXPECT_DOUBLE_EQ(l1, l2);
  EXPECT_DOUBLE_EQ(r1, r2);
}

TEST_F(PagePainter, FontPixelSizeFollowsPointsInTenthsOfAMillimetre) {
  EXPECT_EQ(fontPixelSize(8), 28);    // 8 pt = 2.82 mm
  EXPECT_EQ(fontPixelSize(14), 49);
  EXPECT_EQ(fontPixelSize(6), 21);
  EXPECT_EQ(fontPixelSize(0), 1);
}

}  // namespace
}  // namespace kavrina::reports
