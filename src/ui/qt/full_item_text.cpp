// Readable long items of drop-down lists.
#include "ui/qt/full_item_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <algorithm>

namespace kavrina::ui {

void showFullItemTexts(QComboBox* box) {
  int widest = 0;
  for (int i = 0; i < box->count(); ++i) {
    box->setItemData(i, box->itemText(i), Qt::ToolTipRole);
    widest = std::max(widest, box->view()->fontMetrics().horizontalAdvance(box->itemText(i)));
  }
  // Room for the item's margins and a vertical scroll bar.
  const int margins = 4 * box->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, box) +
                      box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box) + 16;
  box->view()->setMinimumWidth(std::max(box->width(), widest + margins));
  auto showCurrent = [box] { box->setToolTip(box->currentText()); };
  QObject::connect(box, &QComboBox::currentIndexChanged, box, showCurrent);
  showCurrent();
}

}  // namespace kavrina::ui
