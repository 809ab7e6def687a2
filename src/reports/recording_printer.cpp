// Recording of the drawing operations, and the hand-over to preview and print.
#include "reports/recording_printer.h"

#include <stdexcept>

namespace kavrina::reports {

RecordingPrinter::RecordingPrinter() : document_(std::make_shared<PageDocument>()) {}

void RecordingPrinter::setPaperSize(int code) {
  if (code != ui::kPaperA4) {
    throw std::invalid_argument("unknown paper size code " + std::to_string(code));
  }
}

void RecordingPrinter::BeginDoc() {
  document_ = std::make_shared<PageDocument>();
  document_->title = title_;
  document_->orientation = orientation_;
  printing_ = true;
  ++beginDocCount_;
}

void RecordingPrinter::NewPage() {
  if (!printing_) throw std::logic_error("NewPage outside BeginDoc/EndDoc");
  std::vector<Page>& pages = document_->pages();
  pages.emplace_back();
  if (pages.size() > 1) pages.back().reserveLike(pages[pages.size() - 2]);
}

Page& RecordingPrinter::currentPage() {
  if (!printing_ || document_->pages().empty()) {
    throw std::logic_error("drawing without a page: NewPage must come first");
  }
  return document_->pages().back();
}

void RecordingPrinter::DrawText(std::string_view text, const ui::RectMm& rect,
                                ui::TextAlign align) {
  Page& page = currentPage();
  if (text.empty()) return;
  page.addText(text, rect, align, document_->fontIndex(font_));
}

void RecordingPrinter::DrawLine(double x1, double y1, double x2, double y2) {
  currentPage().addLine(x1, y1, x2, y2);
}

void RecordingPrinter::DrawBox(const ui::RectMm& rect) {
  currentPage().addBox(rect);
}

void RecordingPrinter::FillBox(const ui::RectMm& rect) {
  currentPage().addFill(rect);
}

int RecordingPrinter::PageNumber() const {
  return document_->pageCount();
}

void RecordingPrinter::EndDoc() {
  printing_ = false;
}

void RecordingPrinter::Preview() {
  ++previewCount_;
  if (OnPreview) OnPreview(document_);
}

void RecordingPrinter::Print() {
  ++printCount_;
  if (OnPrint) OnPrint(document_, showDialog_);
}

}  // namespace kavrina::reports
