// The module player on any bytes: the size query, the open over a state of that size, and one
// second rendered in 997-frame slices in every output form, with jumps (some refused) queued in
// between as the bytes at the end of the input choose.
#include <cstdint>
#include <memory>
#include <vector>

#include "sound/modplayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);  // the player writes into its image
  size_t state_size = 0;
  if (qm::qmos_mod_open(nullptr, image.data(), image.size(), 48000, &state_size)) return 0;
  std::unique_ptr<std::max_align_t[]> memory(
      new std::max_align_t[state_size / sizeof(std::max_align_t) + 1]);
  auto* player = reinterpret_cast<qm::qmModPlayer*>(memory.get());
  if (qm::qmos_mod_open(player, image.data(), image.size(), 48000, nullptr)) __builtin_trap();

  uint32_t seed = 2166136261u;
  for (size_t i = size > 8 ? size - 8 : 0; i < size; ++i) seed = (seed ^ data[i]) * 16777619u;
  int16_t out[2 * 997];
  for (int32_t slice = 0, done = 0; done < 48000; ++slice, done += 997) {
    seed = seed * 1103515245u + 12345u;
    if ((seed >> 16) % 5 == 0) qm::qmos_mod_queue_jump(player, int32_t((seed >> 8) % 131) - 1);
    switch (slice % 3) {
      case 0:
        qm::qmos_mod_fill_buffer(player, out, 997);
        break;
      case 1:
        qm::qmos_mod_render(player, out, nullptr, 2, 997, 16, 1);
        break;
      default:
        qm::qmos_mod_render(player, out, reinterpret_cast<int8_t*>(out) + 1, 2, 997, 8, 2);
        break;
    }
  }
  return 0;
}
