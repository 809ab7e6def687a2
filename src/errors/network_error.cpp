#include "errors/network_error.h"

namespace kavrina::errors {
namespace {
bool& flag() {
  static bool value = false;
  return value;
}
}  // namespace

bool networkError() {
  return flag();
}
void setNetworkError(bool value) {
  flag() = value;
}

}  // namespace kavrina::errors
