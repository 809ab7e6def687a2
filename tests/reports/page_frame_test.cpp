// The recording printer and the shared page frame: what every report page carries.
#include "reports/page_frame.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "reports/recorded_page.h"
#include "reports/recording_printer.h"

namespace kavrina::reports {
namespace {

using test::findText;
using ui::TextAlign;

ReportStyle style(std::string font = "Arial", double size = 8) {
  ReportStyle s;
  s.fontName = std::move(font);
  s.fontSize = size;
  s.version = "1.07";
  return s;
}

FrameHeading heading() {
  return {"Spisak Osnovnih sredstava", "Preduzece DOO", "na dan: 31.12.2023", "Beograd"};
}

// A document of `pages` pages, each with the frame drawn.
RecordingPrinter framed(int pages, const ReportStyle& s = style()) {
  RecordingPrinter printer;
  setUpPortraitA4(printer, "SpisakOsnovnihSredstava", s);
  printer.BeginDoc();
  for (int i = 0; i < pages; ++i) {
    printer.NewPage();
    drawPageFrame(printer, s, heading());
  }
  printer.EndDoc();
  return printer;
}

TEST(PageFrame, FooterAndHeadingTextsInTheirRectanglesAndSizes) {
  const auto printer = framed(1);
  const auto& doc = printer.document();
  struct Expected {
    const char* text;
    ui::RectMm rect;
    TextAlign align;
    double size;
    bool bold;
  } expected[] = {
      {"Software: Kavrina 1.07 by Velmar", {8, 286, 202, 291}, TextAlign::Left, 6, false},
      {"Strana 1", {8, 286, 202, 291}, TextAlign::Center, 6, false},
      {"www.velmar.example", {8, 286, 202, 291}, TextAlign::Right, 6, false},
      {"Spisak Osnovnih sredstava", {8, 8, 202, 15}, TextAlign::Left, 14, true},
      {"Preduzece DOO", {8, 8, 202, 15}, TextAlign::Right, 14, true},
      {"na dan: 31.12.2023", {8, 15, 202, 20}, TextAlign::Left, 10, true},
      {"Beograd", {8, 15, 202, 20}, TextAlign::Right, 10, true},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.text);
    const auto t = findText(doc, 0, e.text);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->rect, e.rect);
    EXPECT_EQ(t->align, e.align);
    EXPECT_EQ(t->font.size, e.size);
    EXPECT_EQ(t->font.bold, e.bold);
    EXPECT_EQ(t->font.name, "Arial");
  }
  const auto lines = test::opsOf(doc, 0, OpKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect(), (ui::RectMm{8, 285, 202, 285}));
  EXPECT_EQ(doc.title, "SpisakOsnovnihSredstava");
  EXPECT_EQ(doc.widthMm(), 210);
  EXPECT_EQ(doc.heightMm(), 297);
}

TEST(PageFrame, LeavesTheBodyFontOfTheSettings) {
  RecordingPrinter printer = framed(1, style("Liberation Serif", 9));
  EXPECT_EQ(printer.font().name, "Liberation Serif");
  EXPECT_EQ(printer.font().size, 9);
  EXPECT_FALSE(printer.font().bold);
  // The frame's own sizes do not follow the body font size.
  const auto title = findText(printer.document(), 0, "Spisak Osnovnih sredstava");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->font.size, 14);
  EXPECT_EQ(title->font.name, "Liberation Serif");
}

TEST(PageFrame, FooterCountsPages) {
  const auto printer = framed(12);
  EXPECT_EQ(printer.document().pageCount(), 12);
  EXPECT_TRUE(findText(printer.document(), 11, "Strana 12"));
  EXPECT_FALSE(findText(printer.document(), 11, "Strana 11"));
}

TEST(PageFrame, EmptyHeadingTextsDrawNothing) {
  RecordingPrinter printer;
  printer.BeginDoc();
  printer.NewPage();
  drawPageFrame(printer, style(), {"Spisak Firmi", "", "na dan : 01.02.2024", ""});
  // Footer three, title one, second line one.
  EXPECT_EQ(test::textsOf(printer.document(), 0).size(), 5u);
}

TEST(RecordingPrinter, BeginDocDiscardsThePreviousDocumentButNotItsHolders) {
  auto printer = framed(3);
  auto held = printer.sharedDocument();
  printer.BeginDoc();
  EXPECT_EQ(printer.document().pageCount(), 0);
  EXPECT_EQ(printer.PageNumber(), 0);
  EXPECT_EQ(held->pageCount(), 3);
}

TEST(RecordingPrinter, RefusesDrawingWithoutAPage) {
  RecordingPrinter printer;
  EXPECT_THROW(printer.DrawLine(0, 0, 1, 1), std::logic_error);
  EXPECT_THROW(printer.NewPage(), std::logic_error);
  printer.BeginDoc();
  EXPECT_THROW(printer.DrawText("x", {0, 0, 1, 1}, TextAlign::Left), std::logic_error);
  printer.NewPage();
  printer.EndDoc();
  EXPECT_THROW(printer.DrawBox({0, 0, 1, 1}), std::logic_error);
  EXPECT_THROW(printer.setPaperSize(9), std::invalid_argument);
}

TEST(RecordingPrinter, PreviewAndPrintHandTheDocumentOn) {
  auto printer = framed(2);
  int previewed = 0;
  bool dialog = false;
  printer.OnPreview = [&](std::shared_ptr<const PageDocument> doc) {
    previewed = doc->pageCount();
  };
  printer.OnPrint = [&](std::shared_ptr<const PageDocument>, bool showDialog) {
    dialog = showDialog;
  };
  printer.Preview();
  printer.setShowDialog(false);
  printer.Print();
  EXPECT_EQ(previewed, 2);
  EXPECT_FALSE(dialog);
  EXPECT_EQ(printer.previewCount(), 1);
  EXPECT_EQ(printer.printCount(), 1);
}

TEST(RecordingPrinter, SharesOneFontEntryPerDistinctFont) {
  const auto printer = framed(5);
  // Footer 6, title 14 bold, second line 10 bold.
  EXPECT_EQ(printer.document().fonts().size(), 3u);
}

}  // namespace
}  // namespace kavrina::reports
