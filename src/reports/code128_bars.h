// The bars of a Code 128 barcode as a plain list of dark modules, for a report to draw as
// filled rectangles through the page model (so that a PDF keeps them as vectors).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kavrina::reports {

// One dark bar: its first module and its width in modules (1 to 4).
struct Bar {
  int start = 0;
  int width = 0;

  friend bool operator==(const Bar&, const Bar&) = default;
};

// The symbol of one text: its width in modules (start, data, check and stop characters,
// without the quiet zones) and its bars from left to right.
struct Code128Symbol {
  int modules = 0;
  std::vector<Bar> bars;
};

// The quiet zone a reader needs on each side of the symbol, in modules.
inline constexpr int kCode128QuietModules = 10;

// Encodes `text` (UTF-8) as Code 128 with libzint, choosing the code sets itself (digit
// pairs in set C). No value when the text is empty, longer than 80 bytes, or holds a letter
// that Code 128 cannot carry (outside ISO 8859-1).
std::optional<Code128Symbol> encodeCode128(std::string_view text);

}  // namespace kavrina::reports
