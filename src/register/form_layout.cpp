// Layout helpers of the forms.
#include "register/form_layout.h"

namespace kavrina::reg {

namespace {
constexpr int kFormFontPixels = 11;
constexpr int kLabelHeight = 13;
constexpr int kLabelSpacing = 3;  // between a labelled edit's caption and the edit
}  // namespace

void useFormFont(QWidget* form) {
  QFont font = form->font();
  // A face with Arial's widths, so that the captions fit the layout's pixel positions.
  font.setFamilies({"Liberation Sans", "Arial"});
  font.setPixelSize(kFormFontPixels);
  form->setFont(font);
}

void place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
}

QLabel* labelAbove(QWidget* edit, const QString& text) {
  auto* label = new QLabel(text, edit->parentWidget());
  const QRect r = edit->geometry();
  label->setGeometry(r.left(), r.top() - kLabelHeight - kLabelSpacing,
                     label->fontMetrics().horizontalAdvance(text) + 4, kLabelHeight + 2);
  label->setBuddy(edit);
  return label;
}

}  // namespace kavrina::reg
