// The page area of the preview.
#include "reports/qt/page_view.h"

#include <QPainter>
#include <algorithm>

#include "reports/qt/page_painter.h"

namespace kavrina::reports {

PageView::PageView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void PageView::showPage(std::shared_ptr<const PageDocument> doc, int page) {
  doc_ = std::move(doc);
  page_ = page;
  update();
}

void PageView::layOut(PreviewView view, QSize area) {
  const double w = doc_ ? doc_->widthMm() : ui::kA4WidthMm;
  const double h = doc_ ? doc_->heightMm() : ui::kA4HeightMm;
  const PixelSize size = pageSizeInView(view, area.width(), area.height(), w, h);
  const int width = std::max(area.width(), size.width + 2 * kPreviewMargin);
  int height = size.height + 2 * kPreviewMargin;
  int top = kPreviewMargin;
  if (view == PreviewView::FullSize) {
    height = std::max(area.height(), height);
    top = (height - size.height) / 2;
  }
  setFixedSize(width, height);
  pageRect_ = QRect((width - size.width) / 2, top, size.width, size.height);
  update();
}

void PageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(128, 128, 128));
  if (!doc_ || page_ < 1 || page_ > doc_->pageCount()) return;
  painter.fillRect(pageRect_, Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  paintPage(painter, *doc_, doc_->pages()[page_ - 1], pageRect_);
}

}  // namespace kavrina::reports
