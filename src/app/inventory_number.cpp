#include "app/inventory_number.h"

#include <cctype>

namespace kavrina::app {

std::string inventoryDigits(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string digits;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (digits.empty() && text[i] == '0') continue;
    digits += text[i];
  }
  return digits.empty() ? "0" : digits;
}

int compareInventory(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string nextInventory(const std::string& digits) {
  std::string out = digits.empty() ? "0" : digits;
  for (std::size_t i = out.size(); i-- > 0;) {
    if (out[i] != '9') {
      ++out[i];
      return out;
    }
    out[i] = '0';
  }
  return "1" + out;
}

}  // namespace kavrina::app
