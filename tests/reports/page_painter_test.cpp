// The replay onto a QPainter: texts placed by alignment and clipped to their rectangles.
#include "reports/qt/page_painter.h"

#include <gtest/gtest.h>

#include <QImage>

#include "reports/asset_list.h"
#include "reports/qt_fixture.h"
#include "reports/recording_printer.h"
#include "support/scripted_ui.h"

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

  // Leftmost and rightmost pixel column with a pixel darker than `grey`.
  static std::pair<int, int> inkedColumns(const QImage& image, int grey) {
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < grey) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    return {left, right};
  }

  // Leftmost and rightmost inked column, in millimetres.
  static std::pair<double, double> inkSpan(const QImage& image) {
    const auto [left, right] = inkedColumns(image, 160);
    return {left / 4.0, (right + 1) / 4.0};
  }

  // The first and last pixel columns with visible ink of the text operation `op` of `page`,
  // drawn alone at `pixelsPerMm` as the preview draws it.
  static std::pair<int, int> inkColumns(const PageDocument& source, const Page& page,
                                        const PageOp& op, double pixelsPerMm) {
    PageDocument doc;
    doc.pages().emplace_back();
    doc.pages()[0].addText(page.text(op), op.rect(), op.align(),
                           doc.fontIndex(source.fonts()[op.font]));
    // Only the band of the text's line is painted.
    const int top = static_cast<int>(op.y1 * pixelsPerMm) - 2;
    QImage image(static_cast<int>(210 * pixelsPerMm) + 1,
                 static_cast<int>((op.y2 - op.y1) * pixelsPerMm) + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, doc, doc.pages()[0], QRectF(0, -top, 210 * pixelsPerMm, 297 * pixelsPerMm));
    painter.end();
    // Even the faint edge of a glyph counts as ink.
    return inkedColumns(image, 224);
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

// The totals of the asset list with the widest amounts the picture writes: at every zoom
// of the preview (from the whole page in the smallest window to the enlarged view) and for
// a larger report font, a column of paper stays free between two adjacent amounts (and so
// no amount loses its first digits to the edge of its column).
TEST_F(PagePainter, AdjacentAmountsOfTheTotalsKeepAGapAtEveryZoom) {
  ui::ScriptedUi ui;
  for (const double points : {8.0, 10.0}) {
    SCOPED_TRACE(points);
    store::Program program;
    program.ui = &ui;
    program.NFONTSIZE = points;
    for (int i = 0; i < 10; ++i)
      program.AOSNOVNASREDSTVA.rows.push_back(
          test::listedAsset(std::to_string(i + 1), "Objekat", Date::fromYmd(2020, 3, 15),
                            99999999.99, 99999999.99, 49999999.99));
    RecordingPrinter printer;
    printAssetList(program, printer, Date::fromYmd(2024, 1, 1));
    const PageDocument& doc = printer.document();
    const Page& page = doc.pages().back();
    // The amounts right of "Ukupno:" on its line, left to right.
    float band = -1;
    for (const PageOp& op : page.ops())
      if (op.kind == OpKind::Text && page.text(op) == "Ukupno:") band = op.y1;
    ASSERT_GE(band, 0);
    std::vector<const PageOp*> amounts;
    for (const PageOp& op : page.ops())
      if (op.kind == OpKind::Text && op.y1 == band && op.align() == ui::TextAlign::Right)
        amounts.push_back(&op);
    ASSERT_EQ(amounts.size(), 4u);
    EXPECT_EQ(page.text(*amounts[0]), "999,999,999.90");

    for (const double pixelsPerMm : {1.3, 1.7, 2.3, 3.1, 4.4, 5.9, 8.3}) {
      SCOPED_TRACE(pixelsPerMm);
      std::vector<std::pair<int, int>> ink;
      for (const PageOp* op : amounts) ink.push_back(inkColumns(doc, page, *op, pixelsPerMm));
      for (std::size_t i = 1; i < ink.size(); ++i) {
        ASSERT_EQ(amounts[i - 1]->x2, amounts[i]->x1) << "adjacent columns";
        EXPECT_LT(ink[i - 1].second + 1, ink[i].first)
            << page.text(*amounts[i - 1]) << " ends at " << ink[i - 1].second << ", "
            << page.text(*amounts[i]) << " starts at " << ink[i].first;
      }
    }
  }
}

TEST_F(PagePainter, FontPixelSizeFollowsPointsInTenthsOfAMillimetre) {
  EXPECT_EQ(fontPixelSize(8), 28);  // 8 pt = 2.82 mm
  EXPECT_EQ(fontPixelSize(14), 49);
  EXPECT_EQ(fontPixelSize(6), 21);
  EXPECT_EQ(fontPixelSize(0), 1);
}

}  // namespace
}  // namespace kavrina::reports
