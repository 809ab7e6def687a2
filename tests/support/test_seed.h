// The seed of a randomized test: a fixed one, so that every run draws the same cases, unless
// $KAVRINA_TEST_SEED names another (to explore, or to replay a failure seen with it). A test
// puts seedNote(seed) in a SCOPED_TRACE, so a failure says how to repeat it.
#pragma once

#include <cstdint>
#include <string>

namespace kavrina::test {

inline constexpr std::uint32_t kDefaultTestSeed = 20261208;

std::uint32_t testSeed();

// "KAVRINA_TEST_SEED=N", for the failure messages of a test drawn from seed N.
std::string seedNote(std::uint32_t seed);

}  // namespace kavrina::test
