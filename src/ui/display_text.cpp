// Line-break normalisation of message texts.
#include "ui/display_text.h"

namespace kavrina::ui {

std::string displayText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    // The other half of a CR LF or LF CR pair belongs to the same break.
    if (i + 1 < text.size()) {
      const char next = text[i + 1];
      if ((next == '\r' || next == '\n') && next != c) ++i;
    }
  }
  return out;
}

}  // namespace kavrina::ui
