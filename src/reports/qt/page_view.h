// The widget inside the preview's scroll area that shows one page of the document on a grey
// background, at the size the current view gives it.
#pragma once

#include <QWidget>
#include <memory>

#include "reports/page_document.h"
#include "reports/preview_state.h"

namespace kavrina::reports {

class PageView : public QWidget {
  Q_OBJECT

 public:
  explicit PageView(QWidget* parent = nullptr);

  // Shows page `page` (from 1) of `doc`; no document shows the grey background only.
  void showPage(std::shared_ptr<const PageDocument> doc, int page);
  // Sizes the widget for `view` in a scroll area whose viewport is `area` pixels, and places
  // the page: 50 pixels from the top (centred horizontally) in the normal and enlarged
  // views, centred both ways in the whole-page view.
  void layOut(PreviewView view, QSize area);

  // The page's rectangle within the widget.
  QRect pageRect() const { return pageRect_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::shared_ptr<const PageDocument> doc_;
  int page_ = 0;
  QRect pageRect_;
};

}  // namespace kavrina::reports
