#include "support/test_seed.h"

#include <cstdlib>

namespace kavrina::test {

std::uint32_t testSeed() {
  if (const char* text = std::getenv("KAVRINA_TEST_SEED"); text && *text)
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
  return kDefaultTestSeed;
}

std::string seedNote(std::uint32_t seed) {
  return "KAVRINA_TEST_SEED=" + std::to_string(seed);
}

}  // namespace kavrina::test
