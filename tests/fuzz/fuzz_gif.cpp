// The animated-GIF reader on arbitrary bytes: opening, loading every frame in order and seeking
// backwards and forwards must stay inside their buffers. Screens are kept small so that the
// fuzzer spends its time in the decoder, not in filling canvases.
#include <cstddef>
#include <cstdint>

#include "display/codecs/gif.h"
#include "gfx/bitmap.h"
#include "picture_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t w = 0, h = 0, frames = 0;
  qm::gifanim_open_memory(data, size, &w, &h, &frames, 1);
  if (int64_t(w) * h > 512 * 512) return 0;
  qm::qmGifReader* r = qm::gifanim_open_memory(data, size, &w, &h, &frames, 0);
  if (!r) return 0;
  const int32_t order[] = {0, 1, 2, frames - 1, 1, frames, -1, frames / 2, 0};
  for (int32_t i = 0; i < frames && i < 64; ++i) {
    qm::qmos_free_pixels(qm::gifanim_load_frame(r, i));
    qm::gifanim_frame_delay(r, i);
  }
  for (int32_t i : order) qm::qmos_free_pixels(qm::gifanim_load_frame(r, i));
  qm::gifanim_close(r);
  return 0;
}
