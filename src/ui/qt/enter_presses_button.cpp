// Enter on a focused push button: an event filter on each button of a form.
#include "ui/qt/enter_presses_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace kavrina::ui {

namespace {

class EnterPressesButton final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr || !button->isEnabled() || !button->hasFocus()) return false;
    button->click();
    return true;
  }
};

}  // namespace

void enterPressesFocusedButtons(QWidget* form) {
  auto* filter = new EnterPressesButton(form);
  for (QPushButton* button : form->findChildren<QPushButton*>()) button->installEventFilter(filter);
  for (QToolButton* button : form->findChildren<QToolButton*>()) button->installEventFilter(filter);
}

}  // namespace kavrina::ui
