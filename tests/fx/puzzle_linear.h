// PUZZLE's order as the linear search of the array draws it: each piece drawn from drand48, and a
// taken one replaced by the nearest free piece below it, else the nearest above the draw. The
// reference that the player's set of taken pieces must equal, and the peer it is timed against.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace fxtest {

inline std::vector<int32_t> puzzle_linear_order(int32_t n) {
  std::vector<int32_t> order(static_cast<size_t>(n), -1);
  auto taken = [&](int32_t k) { return std::find(order.begin(), order.end(), k) != order.end(); };
  for (int32_t i = 0; i < n; ++i) {
    const double r = drand48();
    int32_t k = int32_t(n * r);
    bool wrapped = false;
    while (taken(k)) {
      if (!wrapped && k > 0) --k;
      else if (!wrapped) wrapped = true, k = int32_t(n * r) + 1;
      else ++k;
    }
    order[size_t(i)] = k;
  }
  return order;
}

}  // namespace fxtest
