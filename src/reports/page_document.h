// The recorded document: each page kept once as a list of drawing operations (text with
// rectangle, alignment and font; line; box) in millimetres, so that the same pages can be
// shown in the preview, played to the printer and written as PDF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/workbook.h"
#include "ui/printer.h"

namespace kavrina::reports {

enum class OpKind : std::uint8_t { Text, Line, Box, Fill };

// One drawing operation (Fill: a rectangle filled in black). Kept small: a 2,000-page document
// holds about a million of them.
struct PageOp {
  OpKind kind = OpKind::Text;
  std::uint8_t alignCode = 0;  // Text: the TextAlign code (0, 2 or 6)
  std::uint16_t font = 0;      // Text: index into PageDocument::fonts()
  std::uint32_t textOffset = 0;
  std::uint32_t textLength = 0;
  // Text, Box and Fill: left, top, right, bottom. Line: x1, y1, x2, y2.
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  ui::TextAlign align() const { return static_cast<ui::TextAlign>(alignCode); }
  ui::RectMm rect() const { return {x1, y1, x2, y2}; }
};

// One page: its operations in drawing order, with their texts in one buffer.
class Page {
 public:
  void addText(std::string_view text, const ui::RectMm& rect, ui::TextAlign align,
               std::uint16_t font);
  void addLine(double x1, double y1, double x2, double y2);
  void addBox(const ui::RectMm& rect);
  void addFill(const ui::RectMm& rect);
  // Makes room for as many operations and text bytes as `like` holds: the pages of a list
  // are much alike, so the next one grows without moving.
  void reserveLike(const Page& like);

  const std::vector<PageOp>& ops() const { return ops_; }
  // The text of a Text operation of this page.
  std::string_view text(const PageOp& op) const {
    return std::string_view(texts_).substr(op.textOffset, op.textLength);
  }

 private:
  void addRect(OpKind kind, const ui::RectMm& rect);

  std::vector<PageOp> ops_;
  std::string texts_;
};

// A finished or growing document: title, paper, the fonts its texts use, and its pages.
class PageDocument {
 public:
  std::string title;
  ui::Orientation orientation = ui::Orientation::Portrait;
  // The same document as a spreadsheet, when its report gives one (none: no "Excel").
  sheet::WorkbookSource workbook;

  // Paper size in millimetres in the document's orientation (A4).
  double widthMm() const;
  double heightMm() const;

  // Index of `font` in fonts(), adding it when new. Raises std::length_error past 65,535
  // different fonts.
  std::uint16_t fontIndex(const ui::PrinterFont& font);
  const std::vector<ui::PrinterFont>& fonts() const { return fonts_; }

  std::vector<Page>& pages() { return pages_; }
  const std::vector<Page>& pages() const { return pages_; }
  int pageCount() const { return static_cast<int>(pages_.size()); }

 private:
  std::vector<ui::PrinterFont> fonts_;
  std::uint16_t lastFont_ = 0;
  std::vector<Page> pages_;
};

}  // namespace kavrina::reports
