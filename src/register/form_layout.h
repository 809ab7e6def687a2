// Placing controls of a fixed-size form at the pixel positions of its layout, with the
// labelled edits' caption above the edit.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace kavrina::reg {

// The font the form layouts are measured for: a face with Arial's widths at 11 pixels,
// the size of an 8-point font at 96 dots per inch.
void useFormFont(QWidget* form);

// Puts `widget` at (left, top) with the given size inside its parent.
void place(QWidget* widget, int left, int top, int width, int height);

// The caption of a labelled edit: a label ending just above the edit, at its left edge,
// bound to the edit (a click or Alt key of the label focuses the edit).
QLabel* labelAbove(QWidget* edit, const QString& text);

}  // namespace kavrina::reg
