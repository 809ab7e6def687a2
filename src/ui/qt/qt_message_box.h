// The Qt message box of the given kind and button set.
#pragma once

#include <string_view>

#include "ui/message_box.h"

class QWidget;

namespace kavrina::ui {

// Shows a modal QMessageBox over `parent` (may be null) with the kind's icon and title
// (messageTitle), the plain text `text` with its line breaks normalised (displayText), and
// the buttons OK, or Yes and No. Answers as UserInterface::messageBox.
Answer showQtMessageBox(QWidget* parent, std::string_view text, MessageKind kind,
                        MessageButtons buttons);

}  // namespace kavrina::ui
