// Enter and Return on a focused push button press it, in forms whose buttons are not
// default buttons (there Enter in an edit must not save, so no button takes Enter for the
// whole form).
#pragma once

class QWidget;

namespace kavrina::ui {

// Makes Enter (either key) on any push or tool button inside `form`, present now, press
// that button as Space does. Enter elsewhere in the form is left to the focused control.
void enterPressesFocusedButtons(QWidget* form);

}  // namespace kavrina::ui
