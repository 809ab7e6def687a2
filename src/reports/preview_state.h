// What the preview shows, apart from the pixels: the current page with its clamping, the
// page text of the toolbar box, the view, and the page's size in each view.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::reports {

// The three views of the preview.
enum class PreviewView {
  Normal,    // "Standardan pregled strane": page width = area width - 100
  FullSize,  // "Pregled cele strane": whole page inside the area less 50 on every side
  Zoom,      // "Uvecan pregled strane": normal height x 1.5 (portrait) or x 2 (landscape)
};

class PreviewState {
 public:
  // A new document of `pages` pages: page 1 (0 when there are none), the normal view.
  void reset(int pages);

  int page() const { return page_; }
  int pages() const { return pages_; }
  PreviewView view() const { return view_; }
  void setView(PreviewView view) { view_ = view; }

  // Moves to `page`; a page below 1 or above pages() is ignored. Answers whether it moved.
  bool setPage(int page);
  bool first() { return setPage(1); }
  bool previous() { return setPage(page_ - 1); }
  bool next() { return setPage(page_ + 1); }
  bool last() { return setPage(pages_); }

  // Moves to the page number typed in the page box (blanks around it allowed). Answers
  // false, without moving, for anything that is not a page of the document.
  bool goToTyped(std::string_view typed);

  // "Strana " + page + " od " + pages, plain digits ("Strana 2 od 7").
  std::string pageText() const;

 private:
  int page_ = 1;
  int pages_ = 1;
  PreviewView view_ = PreviewView::Normal;
};

// Size in pixels of a page of pageWidth x pageHeight (any unit) in `view`, for a client area
// of areaWidth x areaHeight pixels. Never smaller than 1 x 1.
struct PixelSize {
  int width = 0;
  int height = 0;
};
PixelSize pageSizeInView(PreviewView view, int areaWidth, int areaHeight, double pageWidth,
                         double pageHeight);

// Margin around the page in the preview, in pixels.
inline constexpr int kPreviewMargin = 50;

}  // namespace kavrina::reports
