// The IFF ANIM reader on arbitrary bytes: opening, loading frames 0, 1, the last and 0 again (a
// restart) must stay inside the chunks and the planes. Pictures are kept small so that the
// fuzzer spends its time in the delta decoder, not in filling buffers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "anim/readers.h"
#include "gfx/bitmap.h"
#include "picture_input.h"

namespace {

// The largest size any BMHD in the input claims: whichever the reader takes stays small.
int64_t claimed_pixels(const uint8_t* data, size_t size) {
  int64_t most = 0;
  for (size_t i = 0; i + 12 <= size; ++i)
    if (std::memcmp(data + i, "BMHD", 4) == 0)
      most = std::max(most, int64_t(data[i + 8] << 8 | data[i + 9]) *
                                int64_t(data[i + 10] << 8 | data[i + 11]));
  return most;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (claimed_pixels(data, size) > 512 * 512) return 0;
  FuzzPictureFile file(data, size);
  qm::qmIffAnim* a = nullptr;
  int32_t w = 0, h = 0, frames = 0;
  if (qm::iffanim_open(file.name, &a, &w, &h, &frames)) return 0;
  for (int32_t i : {0, 1, frames - 1, 0, 2}) {
    qm::qmos_free_pixels(qm::iffanim_load_frame(a, i));
    qm::iffanim_frame_delay(a, i);
  }
  qm::iffanim_close(a);
  return 0;
}
