#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "runtime/random.h"

namespace qm {
namespace {

// The draws are the C library's for every kind of seed (0, small, the sign bit set), also taken
// many at a time, and a run of bytes leaves the sequence where single draws would have.
TEST(Random, DrawsMatchTheCLibrary) {
  for (uint32_t seed : {0u, 1u, 2u, 99u, 4711u, 123456789u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    std::srand(seed);
    random_seed(seed);
    for (int32_t i = 0; i < 2000; ++i) ASSERT_EQ(random_next(), std::rand()) << "seed " << seed << ", draw " << i;
    std::vector<uint8_t> bytes(1001);
    random_fill_bytes(bytes.data(), bytes.size(), 255);
    for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], uint8_t(std::rand() % 255)) << "seed " << seed;
    ASSERT_EQ(random_next(), std::rand()) << "seed " << seed;
  }
}

}  // namespace
}  // namespace qm
