// Rendering runs on the audio thread and must never allocate: every operator new of this program
// is counted, and ten seconds of a module using every effect are rendered between two readings.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "mod_harness.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// These replace the global functions, so malloc and free pair with them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
  std::free(p);
}

TEST(ModPlayer, RenderingAllocatesNothing) {
  LoadedModule mod = load_module(modgen::fixture("effects"));
  std::vector<int16_t> buffer(2 * 48000);
  const long before = g_allocations;
  for (int32_t done = 0; done < 480000; done += 997)
    qm::qmos_mod_fill_buffer(mod.player, buffer.data(), 997);
  qm::qmos_mod_render(mod.player, buffer.data(), nullptr, 2, 48000, 16, 1);
  EXPECT_EQ(g_allocations - before, 0);
  EXPECT_GT(before, 0);  // the counter counts
}
