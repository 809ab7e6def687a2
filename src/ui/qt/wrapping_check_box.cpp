// The check box with a wrapping caption.
#include "ui/qt/wrapping_check_box.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace kavrina::ui {

WrappingCheckBox::WrappingCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(parent), label_(new QLabel(caption, this)) {
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Clicks on the caption belong to the check box.
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);
  setAccessibleName(caption);
  QSizePolicy policy = sizePolicy();
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

QString WrappingCheckBox::caption() const {
  return label_->text();
}

int WrappingCheckBox::captionLeft() const {
  return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
         style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

int WrappingCheckBox::firstLineHeight() const {
  return std::max(style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this),
                  label_->fontMetrics().height());
}

int WrappingCheckBox::heightForWidth(int width) const {
  const int top = (firstLineHeight() - label_->fontMetrics().height()) / 2;
  return std::max(firstLineHeight(),
                  top + label_->heightForWidth(std::max(1, width - captionLeft())));
}

QSize WrappingCheckBox::sizeHint() const {
  const QSize caption = label_->sizeHint();
  return {captionLeft() + caption.width(), heightForWidth(captionLeft() + caption.width())};
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void WrappingCheckBox::resizeEvent(QResizeEvent* event) {
  QCheckBox::resizeEvent(event);
  const int left = captionLeft();
  // The first line of the caption beside the indicator, as on a check box of one line.
  const int top = (firstLineHeight() - label_->fontMetrics().height()) / 2;
  label_->setGeometry(left, top, std::max(1, width() - left), std::max(1, height() - top));
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  // The indicator beside the first line; the focus frame around the caption.
  option.rect.setHeight(firstLineHeight());
  option.state &= ~QStyle::State_HasFocus;
  painter.drawControl(QStyle::CE_CheckBox, option);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = label_->geometry().adjusted(-1, 0, 1, 0);
    focus.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace kavrina::ui
