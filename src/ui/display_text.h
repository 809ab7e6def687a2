// Turns a message text as the program composes it into the text a box displays.
#pragma once

#include <string>
#include <string_view>

namespace kavrina::ui {

// The program builds its messages with carriage returns, line feeds and the pairs CR LF and
// LF CR. Each pair, and each lone CR or LF, becomes one line feed, so that "\r\r" gives an
// empty line and "\n\r\n\r" gives two line breaks. Every other character is kept.
std::string displayText(std::string_view text);

}  // namespace kavrina::ui
