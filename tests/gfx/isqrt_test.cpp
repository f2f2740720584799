#include <gtest/gtest.h>

#include <cmath>

#include "gfx/gfxmath.h"

// Built with optimisation and without the sanitizers (see CMakeLists.txt). The 2^31 values are
// split into eight parts, each registered as its own test so that they spread over the cores.
namespace qm {
namespace {

class IsqrtExact : public testing::TestWithParam<int> {};

TEST_P(IsqrtExact, AgainstTheFloorOfTheRoot) {
  const int64_t end = int64_t(INT32_MAX) + 1;
  const int64_t lo = end * GetParam() / 8, hi = end * (GetParam() + 1) / 8;
  int64_t root = int64_t(std::sqrt(double(lo)));
  while (root * root > lo) --root;
  while ((root + 1) * (root + 1) <= lo) ++root;
  for (int64_t n = lo; n < hi; ++n) {
    if ((root + 1) * (root + 1) <= n) ++root;
    if (isqrt(int32_t(n)) != root) {
      ADD_FAILURE() << "isqrt(" << n << ") = " << isqrt(int32_t(n)) << ", expected " << root;
      return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Range, IsqrtExact, testing::Range(0, 8));

}  // namespace
}  // namespace qm
