// The recorded document's pages and font table.
#include "reports/page_document.h"

#include <limits>
#include <stdexcept>

namespace kavrina::reports {

void Page::addText(std::string_view text, const ui::RectMm& rect, ui::TextAlign align,
                   std::uint16_t font) {
  if (texts_.size() + text.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("page text buffer full");
  }
  PageOp op;
  op.kind = OpKind::Text;
  op.alignCode = static_cast<std::uint8_t>(align);
  op.font = font;
  op.textOffset = static_cast<std::uint32_t>(texts_.size());
  op.textLength = static_cast<std::uint32_t>(text.size());
  op.x1 = static_cast<float>(rect.left);
  op.y1 = static_cast<float>(rect.top);
  op.x2 = static_cast<float>(rect.right);
  op.y2 = static_cast<float>(rect.bottom);
  texts_.append(text);
  ops_.push_back(op);
}

void Page::addLine(double x1, double y1, double x2, double y2) {
  PageOp op;
  op.kind = OpKind::Line;
  op.x1 = static_cast<float>(x1);
  op.y1 = static_cast<float>(y1);
  op.x2 = static_cast<float>(x2);
  op.y2 = static_cast<float>(y2);
  ops_.push_back(op);
}

void Page::addBox(const ui::RectMm& rect) {
  addRect(OpKind::Box, rect);
}

void Page::addFill(const ui::RectMm& rect) {
  addRect(OpKind::Fill, rect);
}

void Page::reserveLike(const Page& like) {
  ops_.reserve(like.ops_.size());
  texts_.reserve(like.texts_.size());
}

void Page::addRect(OpKind kind, const ui::RectMm& rect) {
  PageOp op;
  op.kind = kind;
  op.x1 = static_cast<float>(rect.left);
  op.y1 = static_cast<float>(rect.top);
  op.x2 = static_cast<float>(rect.right);
  op.y2 = static_cast<float>(rect.bottom);
  ops_.push_back(op);
}

double PageDocument::widthMm() const {
  return orientation == ui::Orientation::Portrait ? ui::kA4WidthMm : ui::kA4HeightMm;
}

double PageDocument::heightMm() const {
  return orientation == ui::Orientation::Portrait ? ui::kA4HeightMm : ui::kA4WidthMm;
}

std::uint16_t PageDocument::fontIndex(const ui::PrinterFont& font) {
  // Reports switch between a handful of fonts; the last one used is the usual answer.
  if (lastFont_ < fonts_.size() && fonts_[lastFont_] == font) return lastFont_;
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i] == font) {
      lastFont_ = static_cast<std::uint16_t>(i);
      return lastFont_;
    }
  }
  if (fonts_.size() > std::numeric_limits<std::uint16_t>::max()) {
    throw std::length_error("too many fonts in one document");
  }
  fonts_.push_back(font);
  lastFont_ = static_cast<std::uint16_t>(fonts_.size() - 1);
  return lastFont_;
}

}  // namespace kavrina::reports
