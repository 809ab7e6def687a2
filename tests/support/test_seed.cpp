#include "support/test_seed.h"

#include <cstdlib>
#include <iostream>
#include <random>

namespace kavrina::test {

std::uint32_t testSeed() {
  std::uint32_t seed = 0;
  if (const char* text = std::getenv("KAVRINA_TEST_SEED"); text && *text)
    seed = static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
  else
    seed = std::random_device{}();
  std::cout << "seed " << seed << " (KAVRINA_TEST_SEED=" << seed << " repeats it)" << std::endl;
  return seed;
}

}  // namespace kavrina::test
