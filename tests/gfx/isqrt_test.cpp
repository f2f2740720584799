#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "gfx/gfxmath.h"

// Built with optimisation and without the sanitizers (see CMakeLists.txt): 2^31 calls.
namespace qm {
namespace {

// Every non-negative 32-bit value against the exact floor.
TEST(Isqrt, ExactOverWholeRange) {
  const unsigned threads = std::max(2u, std::thread::hardware_concurrency());
  std::vector<int64_t> first_bad(threads, -1);
  std::vector<std::thread> pool;
  const int64_t end = int64_t(INT32_MAX) + 1;
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      const int64_t lo = end * t / threads, hi = end * (t + 1) / threads;
      int64_t root = int64_t(std::sqrt(double(lo)));
      while (root * root > lo) --root;
      while ((root + 1) * (root + 1) <= lo) ++root;
      for (int64_t n = lo; n < hi; ++n) {
        if ((root + 1) * (root + 1) <= n) ++root;
        if (isqrt(int32_t(n)) != root) {
          first_bad[t] = n;
          return;
        }
      }
    });
  }
  for (auto& th : pool) th.join();
  for (int64_t b : first_bad) EXPECT_EQ(b, -1);
}

}  // namespace
}  // namespace qm
