// Code 128 through libzint: the library's vector output gives the bars as rectangles in its
// own units; they are brought back to whole modules here.
#include "reports/code128_bars.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kavrina::reports {
namespace {

constexpr std::size_t kMaxTextBytes = 80;

struct SymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

}  // namespace

std::optional<Code128Symbol> encodeCode128(std::string_view text) {
  if (text.empty() || text.size() > kMaxTextBytes) return std::nullopt;
  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) return std::nullopt;
  symbol->symbology = BARCODE_CODE128;
  symbol->input_mode = UNICODE_MODE;
  symbol->show_hrt = 0;  // the report prints the number beneath itself
  symbol->scale = 1;
  const int status = ZBarcode_Encode_and_Buffer_Vector(
      symbol.get(), reinterpret_cast<const unsigned char*>(text.data()),
      static_cast<int>(text.size()), 0);
  if (status >= ZINT_ERROR || !symbol->vector || symbol->width <= 0) return std::nullopt;

  // The rectangles are in libzint's units: find the symbol's left edge and its module size
  // from the symbol's width in modules and the span of its bars (first bar to last bar:
  // a Code 128 symbol begins and ends with a bar).
  float left = 0;
  float right = 0;
  bool any = false;
  for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
    left = any ? std::min(left, r->x) : r->x;
    right = any ? std::max(right, r->x + r->width) : r->x + r->width;
    any = true;
  }
  if (!any || right <= left) return std::nullopt;
  const double unitsPerModule = (right - left) / symbol->width;

  Code128Symbol out;
  out.modules = symbol->width;
  for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
    const int start = static_cast<int>(std::lround((r->x - left) / unitsPerModule));
    const int width = static_cast<int>(std::lround(r->width / unitsPerModule));
    if (width > 0) out.bars.push_back({start, width});
  }
  std::sort(out.bars.begin(), out.bars.end(),
            [](const Bar& a, const Bar& b) { return a.start < b.start; });
  return out;
}

}  // namespace kavrina::reports
