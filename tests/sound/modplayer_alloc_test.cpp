// Rendering runs on the audio thread and must never allocate: every operator new of this program
// is counted, and ten seconds of a module using every effect are rendered between two readings.
#include <gtest/gtest.h>

#include "mod_harness.h"
#include "tests/counting_new.h"

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
