// Fitting an edited text into a character field of a table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kavrina::reg {

// `text` cut to at most `width` bytes without splitting a UTF-8 character, so that a
// table's character field never holds half a letter (an edit counts characters, the field
// counts bytes).
inline std::string fitField(std::string_view text, std::size_t width) {
  if (text.size() <= width) return std::string(text);
  std::size_t end = width;
  // Step back over continuation bytes to the start of the character that does not fit.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

}  // namespace kavrina::reg
