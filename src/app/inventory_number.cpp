#include "app/inventory_number.h"

namespace kavrina::app {

int compareInventory(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace kavrina::app
