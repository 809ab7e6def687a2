// The selection colour of a view following its focus: an event filter on FocusIn/FocusOut.
#include "app/focus_selection.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPalette>

namespace kavrina::app {

namespace {

// The palette of a view without the focus: its selection in the inactive colour in every
// colour group, a grey when that is the selection colour itself.
QPalette unfocusedPalette(const QPalette& focused) {
  QPalette palette = focused;
  QColor inactive = focused.color(QPalette::Inactive, QPalette::Highlight);
  QColor text = focused.color(QPalette::Inactive, QPalette::HighlightedText);
  if (inactive == focused.color(QPalette::Active, QPalette::Highlight)) {
    inactive = focused.color(QPalette::Active, QPalette::Mid);
    text = focused.color(QPalette::Active, QPalette::Text);
  }
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Highlight, inactive);
    palette.setColor(group, QPalette::HighlightedText, text);
  }
  return palette;
}

class SelectionByFocus final : public QObject {
 public:
  explicit SelectionByFocus(QAbstractItemView* view)
      : QObject(view), view_(view), focused_(view->palette()) {
    show(view->hasFocus());
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) show(true);
    if (event->type() == QEvent::FocusOut) show(view_->hasFocus());
    return false;
  }

 private:
  void show(bool focus) {
    view_->setPalette(focus ? focused_ : unfocusedPalette(focused_));
    view_->viewport()->update();
  }

  QAbstractItemView* view_;
  QPalette focused_;
};

}  // namespace

void showSelectionByFocus(QAbstractItemView* view) {
  view->installEventFilter(new SelectionByFocus(view));
}

}  // namespace kavrina::app
