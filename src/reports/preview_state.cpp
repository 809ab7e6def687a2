// Paging and view geometry of the preview.
#include "reports/preview_state.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kavrina::reports {

void PreviewState::reset(int pages) {
  pages_ = std::max(pages, 0);
  page_ = pages_ > 0 ? 1 : 0;
  view_ = PreviewView::Normal;
}

bool PreviewState::setPage(int page) {
  if (page < 1 || page > pages_ || page == page_) return false;
  page_ = page;
  return true;
}

bool PreviewState::goToTyped(std::string_view typed) {
  const auto first = typed.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  typed = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
  int page = 0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), page);
  if (error != std::errc() || end != typed.data() + typed.size()) return false;
  if (page < 1 || page > pages_) return false;
  page_ = page;
  return true;
}

std::string PreviewState::pageText() const {
  return "Strana " + std::to_string(page_) + " od " + std::to_string(pages_);
}

PixelSize pageSizeInView(PreviewView view, int areaWidth, int areaHeight, double pageWidth,
                         double pageHeight) {
  const double ratio = pageWidth > 0 ? pageHeight / pageWidth : 1.0;
  const double normalWidth = std::max(1, areaWidth - 2 * kPreviewMargin);
  double width = normalWidth;
  double height = normalWidth * ratio;
  switch (view) {
    case PreviewView::Normal:
      break;
    case PreviewView::FullSize: {
      const double fitWidth = std::max(1, areaWidth - 2 * kPreviewMargin);
      const double fitHeight = std::max(1, areaHeight - 2 * kPreviewMargin);
      const double scale = std::min(fitWidth / pageWidth, fitHeight / pageHeight);
      width = pageWidth * scale;
      height = pageHeight * scale;
      break;
    }
    case PreviewView::Zoom:
      height *= pageHeight >= pageWidth ? 1.5 : 2.0;
      width = height / ratio;
      break;
  }
  return {std::max(1, static_cast<int>(std::lround(width))),
          std::max(1, static_cast<int>(std::lround(height)))};
}

}  // namespace kavrina::reports
