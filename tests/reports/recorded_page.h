// Test helpers that read a recorded document the way a reader reads the paper: the texts of
// a page with their rectangles, alignment and font, and the lines and boxes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reports/page_document.h"

namespace kavrina::test {

struct ShownText {
  std::string text;
  ui::RectMm rect;
  ui::TextAlign align;
  ui::PrinterFont font;
};

inline std::vector<ShownText> textsOf(const reports::PageDocument& doc, int pageIndex) {
  std::vector<ShownText> out;
  const auto& page = doc.pages().at(pageIndex);
  for (const auto& op : page.ops()) {
    if (op.kind != reports::OpKind::Text) continue;
    out.push_back({std::string(page.text(op)), op.rect(), op.align(), doc.fonts().at(op.font)});
  }
  return out;
}

// The first text on the page equal to `text`.
inline std::optional<ShownText> findText(const reports::PageDocument& doc, int pageIndex,
                                         const std::string& text) {
  for (auto& t : textsOf(doc, pageIndex)) {
    if (t.text == text) return t;
  }
  return std::nullopt;
}

// The texts of the page whose rectangle starts at `top` and lies within left..right.
inline std::vector<ShownText> textsInBand(const reports::PageDocument& doc, int pageIndex,
                                          double top) {
  std::vector<ShownText> out;
  for (auto& t : textsOf(doc, pageIndex)) {
    if (t.rect.top == top) out.push_back(t);
  }
  return out;
}

inline std::vector<reports::PageOp> opsOf(const reports::PageDocument& doc, int pageIndex,
                                          reports::OpKind kind) {
  std::vector<reports::PageOp> out;
  for (const auto& op : doc.pages().at(pageIndex).ops()) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

}  // namespace kavrina::test
