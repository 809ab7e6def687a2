// The seed of a randomized test: $KAVRINA_TEST_SEED when set (to replay a failure), else a
// fresh one. It is printed, and the test names it in its failure messages.
#pragma once

#include <cstdint>

namespace kavrina::test {

std::uint32_t testSeed();

}  // namespace kavrina::test
